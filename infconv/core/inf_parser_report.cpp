#include "inf_parser_report.h"

#include <algorithm>
#include <cstdio>

#include "inf_syntax_exception.h"
#include "inf_token_ring.h"
#include "log.h"

namespace {

// Where the reports say they come from; kept for whoever greps old logs.
constexpr const char* kSourceName = "Common/System/InfAnalyzer/InfAnalyzer";
constexpr int kErrorLine = 115;
constexpr std::int64_t kContext = kInfReportContext;

void appendTokens(std::string& out, const cInfTokenRing& tokens, std::int64_t first) {
    const std::int64_t count = tokens.total();
    for (std::int64_t i = std::max<std::int64_t>(first, 0); i < count && i < first + kContext;
         ++i) {
        tokens.appendRendering(i, out);
    }
}

std::string formatted(const char* format, int line, const std::string& text) {
    const int n = std::snprintf(nullptr, 0, format, line, kSourceName, text.c_str());
    std::string out(static_cast<std::size_t>(std::max(n, 0)) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, line, kSourceName, text.c_str());
    out.pop_back();
    return out;
}

}  // namespace

std::string buildInfErrorReport(const std::string& fileName, const cInfTokenRing& tokens,
                                std::int64_t cursor, const std::string& message) {
    const std::int64_t c = cursor;
    std::string text = "InfAnalyzer: Error in inf file: " + fileName + "\n" + message;
    text += "\n\n Previous " + std::to_string(kContext) + " tokens:\n";
    appendTokens(text, tokens, std::max<std::int64_t>(c - kContext, 0));
    text += "\n\n Following " + std::to_string(kContext) + " tokens:\n";
    appendTokens(text, tokens, c);
    return text;
}

void reportInfError(const std::string& fileName, const cInfTokenRing& tokens, std::int64_t cursor,
                    const std::string& message) {
    sendInfErrorReport(buildInfErrorReport(fileName, tokens, cursor, message));
}

namespace {

thread_local bool t_deferred = false;

[[noreturn]] void send(const char* format, int line, const std::string& text) {
    if (t_deferred) {
        throw new cInfSyntaxException(formatted(format, line, text),
                                      cInfSyntaxException::Pending{format, line, text});
    }
    logPrintf(ErrorLog, format, line, kSourceName, text.c_str());
    throw new cInfSyntaxException(formatted(format, line, text));
}

}  // namespace

cInfReportDeferral::cInfReportDeferral() : m_previous(t_deferred) {
    t_deferred = true;
}

cInfReportDeferral::~cInfReportDeferral() {
    t_deferred = m_previous;
}

void sendPendingInfReport(const cInfSyntaxException& held) {
    const cInfSyntaxException::Pending& p = held.pending();
    send(p.format, p.line, p.text);
}

void sendInfErrorReport(const std::string& text) {
    send("Error at line: %d\nIn file: %s\n\n\n%s", kErrorLine, text);
}

void reportInfAssertion(int line, const std::string& message) {
    send("Assertion failed at line %d\nIn file %s\n\n%s", line, message);
}
