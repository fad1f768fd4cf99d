// Applying the optional settings file "inf/program.inf" to a log channel.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "cfile.h"
#include "exceptions.h"
#include "inf_analyzer.h"
#include "log.h"

namespace {

constexpr const char* kSettingsFile = "inf/program.inf";

// A key's first value as a whole number: numbers are truncated, strings are
// read as the C library reads a number. Null when the key has no value.
bool firstValueAsInt(const cInfKey* key, int& result) {
    if (!key || key->valueCount() == 0) return false;
    const cInfValue& v = key->value(0);
    const double number = v.isNumber() ? v.number() : std::strtod(v.text().c_str(), nullptr);
    // Out-of-range values would make the conversion undefined; they count as on.
    if (!(number > -2147483648.0 && number < 2147483648.0)) {
        result = number == number ? 1 : 0;
        return true;
    }
    result = static_cast<int>(number);
    return true;
}

std::string valueText(const cInfValue& v) {
    if (!v.isNumber()) return v.text();
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(v.number()));
    return buffer;
}

}  // namespace

void cLog::applySettings() {
    if (!cFile::exists(kSettingsFile)) return;
    try {
        InfAnalyzer settings(kSettingsFile);
        cInfNode* log = settings.getRoot()->getSection("Log");
        if (!log) return;
        int flag = 0;
        if (const cInfKey* debug = log->getKey(channelName_ + "Debug");
            debug && debug->valueCount())
            debugSetting_ = valueText(debug->value(0));
        if (firstValueAsInt(log->getKey(channelName_ + "Release"), flag)) enabled = flag != 0;
        if (firstValueAsInt(log->getKey("WantToDebugInReleaseMode"), flag))
            offerDebuggerBreak = flag != 0;
    } catch (cException* e) {
        // An unreadable settings file leaves the defaults.
        std::unique_ptr<cException> owned(e);
    } catch (const std::exception&) {
    }
}
