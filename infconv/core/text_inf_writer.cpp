#include "text_inf_writer.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "exceptions.h"
#include "inf_tree.h"

namespace text_inf_writer {

namespace {

// Longest number text: sign, 39 integer digits of FLT_MAX, point, 7 decimals.
constexpr std::size_t kNumberBufferSize = 64;

// Writes the number's text at `out` and returns its end. std::to_chars gives
// the same correctly rounded digits as "%.0f" / "%.7f" without printf's
// multi-precision path.
char* formatNumberInto(char* out, float value) {
    char* const limit = out + kNumberBufferSize;
    // Whole numbers within the 32-bit range print without a fraction.
    if (value >= -2147483648.0f && value < 2147483648.0f) {
        auto whole = static_cast<std::int32_t>(value);
        if (static_cast<float>(whole) == value) {
            // "%.0f" keeps the sign of negative zero.
            if (whole == 0 && std::signbit(value)) *out++ = '-';
            return std::to_chars(out, limit, whole).ptr;
        }
    }
    if (!std::isfinite(value)) {
        // Rare; keep the C library's spelling ("inf", "-nan", ...).
        int written = std::snprintf(out, kNumberBufferSize, "%.7f", static_cast<double>(value));
        return out + written;
    }
    char* end =
        std::to_chars(out, limit, static_cast<double>(value), std::chars_format::fixed, 7).ptr;
    // Fixed notation with 7 decimals always has a point: strip zeros, then it.
    while (end[-1] == '0') --end;
    if (end[-1] == '.') --end;
    return end;
}

void appendNumber(std::string& out, float value) {
    char buffer[kNumberBufferSize];
    out.append(buffer, formatNumberInto(buffer, value));
}

}  // namespace

std::string formatNumber(float value) {
    char buffer[kNumberBufferSize];
    return std::string(buffer, formatNumberInto(buffer, value));
}

bool needsQuotes(std::string_view text) {
    if (text.empty()) return true;
    auto first = static_cast<unsigned char>(text[0]);
    if (first < 0x41 || first >= 0x80) return true;
    for (char c : text) {
        if (c == ' ' || c == '\r' || c == '\n' || (c >= '0' && c <= '9')) return true;
    }
    return false;
}

namespace {

void lineEnd(std::string& out) {
    out.append("\r\n", 2);
}

void indent(std::string& out, std::size_t depth) {
    out.append(depth, '\t');
}

}  // namespace

void cTextInfAppender::sectionStart(std::string_view name, std::size_t depth) {
    indent(m_out, depth - 1);
    m_out += '[';
    m_out += name;
    m_out += ']';
    lineEnd(m_out);
    indent(m_out, depth - 1);
    m_out += '{';
    lineEnd(m_out);
}

void cTextInfAppender::numberValue(float number, bool first) {
    if (!first) m_out.append(", ", 2);
    appendNumber(m_out, number);
}

void cTextInfAppender::sectionEnd(std::size_t depth) {
    indent(m_out, depth - 1);
    m_out += '}';
    lineEnd(m_out);
}

namespace {

// Header and keys of a node at the given depth (the root has depth 0).
void nodeHead(cTextInfAppender& out, const cInfNode& node, std::size_t depth) {
    if (depth > 0) out.sectionStart(node.name(), depth);
    for (const cInfKey* key : node.keys().items()) {
        out.keyStart(key->name(), depth);
        const cInfValueList& values = key->values();
        for (std::size_t v = 0; v < values.size(); ++v) {
            if (const cInfString* text = values.textAt(v)) {
                // Decided once per distinct string, not per use.
                if (text->quoting == cInfString::kUnknown)
                    text->quoting = needsQuotes(text->view());
                out.textValue(text->view(), text->quoting != 0, v == 0);
            } else {
                out.numberValue(values.numberAt(v), v == 0);
            }
        }
        out.keyEnd();
    }
    out.keysEnd();
}

}  // namespace

std::string render(const cInfNode& root, const std::string& fileName) {
    std::string text;
    cTextInfAppender out(text);
    struct Frame {
        const cInfNode* node;
        std::size_t next;
    };
    // Iterative, so a deeply nested tree costs heap, not stack.
    std::vector<Frame> stack;
    nodeHead(out, root, 0);
    stack.push_back({&root, 0});
    while (!stack.empty()) {
        Frame& top = stack.back();
        std::size_t depth = stack.size() - 1;
        if (top.next == top.node->sectionCount()) {
            if (depth > 0) out.sectionEnd(depth);
            stack.pop_back();
            continue;
        }
        const cInfNode* child = top.node->section(top.next++);
        if (depth + 1 > kMaxInfDepth) {
            throw new cFileException(fileName, "sections nested deeper than " +
                                                   std::to_string(kMaxInfDepth) +
                                                   " levels cannot be written");
        }
        nodeHead(out, *child, depth + 1);
        stack.push_back({child, 0});
    }
    return text;
}

}  // namespace text_inf_writer
