#include "log.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <cstdlib>

#include "log_box.h"
#include "version_info.h"

cLog* ErrorLog = nullptr;
cLog* WarningLog = nullptr;
cLog* ProgLog = nullptr;
cLog* ServerLog = nullptr;
cLog* ClientLog = nullptr;
cLog* ReleaseLog = nullptr;
cLog* MultiLog = nullptr;
cLog* SystemLog = nullptr;
cLog* ScriptLog = nullptr;
cLog* AILog = nullptr;

namespace {

constexpr std::size_t kMessageBuffer = 65536;

// A log file is appended to only when it is a regular file: a FIFO in its
// place would block the open, a device would take the lines.
os::Handle openLogFile(const std::string& name) {
    os::Handle file = os::kNoHandle;
    os::openRegular(os::currentDir(), name, os::kWriteOnly | os::kCreate | os::kAppend, file);
    return file;
}

std::string* captureSink = nullptr;
LogClock clockOverride = nullptr;

struct ChannelDefaults {
    cLog** slot;
    const char* name;
    bool enabled;
    bool closeAfterEachLine;
    bool errorBox;
    bool warningBox;
};

// Creation order; destruction runs backwards.
const ChannelDefaults kChannels[] = {
    {&ErrorLog, "ErrorLog", true, true, true, false},
    {&WarningLog, "WarningLog", true, true, false, true},
    {&ProgLog, "ProgLog", false, false, false, false},
    {&ServerLog, "ServerLog", true, false, false, false},
    {&ClientLog, "ClientLog", true, false, false, false},
    {&ReleaseLog, "ReleaseLog", true, false, false, false},
    {&MultiLog, "MultiLog", false, false, false, false},
    {&SystemLog, "SystemLog", false, true, false, false},
    {&ScriptLog, "ScriptLog", false, false, false, false},
    {&AILog, "AILog", false, false, false, false},
};

std::string formatMessage(const char* format, va_list args) {
    std::string buffer(kMessageBuffer, '\0');
    int n = std::vsnprintf(buffer.data(), buffer.size(), format, args);
    if (n < 0) n = 0;
    buffer.resize(std::min<std::size_t>(static_cast<std::size_t>(n), kMessageBuffer - 1));
    return buffer;
}

std::string withVersion(const std::string& message, const std::string& version) {
    return message + "\r\n\nVersion: " + version;
}

}  // namespace

std::uint32_t logMilliseconds() {
    if (clockOverride) return clockOverride();
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void setLogClock(LogClock clock) {
    clockOverride = clock;
}

void setLogCapture(std::string* sink) {
    captureSink = sink;
}

std::string logDirectory() {
    if (auto dir = os::environment("INFCONV_LOG_DIR")) return *dir;
    const char separator = os::kPathSeparator;
    return os::userStateDirectory() + separator + "infconv" + separator + "log";
}

cLog::cLog(const std::string& baseName, bool enabled_, bool closeAfterEachLine_, bool errorBox_,
           bool warningBox_)
    : enabled(enabled_),
      closeAfterEachLine(closeAfterEachLine_),
      errorBox(errorBox_),
      warningBox(warningBox_) {
    auto slash = baseName.find_last_of('/');
    channelName_ = slash == std::string::npos ? baseName : baseName.substr(slash + 1);
    // The log directory stands in for the original fixed folder; the channel
    // name and the ".!" ending are kept.
    fileName_ = logDirectory() + os::kPathSeparator + channelName_ + ".!";
    version_ = versionInfo().version();
    applySettings();
}

cLog::~cLog() {
    closeLogFile(this);
    // A channel switched off after its file was opened still must not leak it.
    if (file_ != os::kNoHandle) {
        os::close(file_);
        file_ = os::kNoHandle;
    }
}

void cLog::write(const char* text) {
    if (file_ == os::kNoHandle) {
        const std::size_t end = fileName_.find_last_of(os::kPathSeparator);
        if (end != std::string::npos) os::makeDirectories(fileName_.substr(0, end));
        file_ = openLogFile(fileName_);
    }
    if (file_ != os::kNoHandle) {
        // One write a line: lines of several processes do not mix.
        const std::string line = std::string(text) + '\n';
        os::write(file_, line.data(), line.size());
    }
}

void logPrintf(cLog* channel, const char* format, ...) {
    if (!channel || !channel->enabled) return;
    const int savedErrno = errno;

    va_list args;
    va_start(args, format);
    const std::string message = formatMessage(format, args);
    va_end(args);

    channel->write(message.c_str());
    if (captureSink) {
        captureSink->append(message);
        captureSink->push_back('\n');
    }

    const std::int64_t elapsed =
        static_cast<std::int64_t>(logMilliseconds()) - channel->lastCloseTime_;
    if ((elapsed < 0 ? -elapsed : elapsed) > channel->closeInterval) closeAllLogs();
    if (channel->closeAfterEachLine) closeLogFile(channel);

    if (channel->errorBox) {
        std::string text = withVersion(message, channel->version_);
        if (channel->offerDebuggerBreak) text += "\r\n\nGenerate exception?";
        const bool breakWanted = showErrorBox(text, channel->offerDebuggerBreak);
        if (breakWanted) raiseDebuggerBreak();
        // Ending with a failure status so callers can tell the run was cut short.
        std::exit(1);
    }
    if (channel->warningBox) showWarningBox(withVersion(message, channel->version_));

    errno = savedErrno;
}

void closeLogFile(cLog* channel) {
    if (!channel || !channel->enabled || channel->file_ == os::kNoHandle) return;
    channel->lastCloseTime_ = logMilliseconds();
    os::close(channel->file_);
    channel->file_ = os::kNoHandle;
}

void closeAllLogs() {
    for (const auto& c : kChannels) closeLogFile(*c.slot);
}

const char* getVersionString() {
    return versionInfo().version().c_str();
}

void createLogChannels() {
    static bool exitHookRegistered = false;
    if (!exitHookRegistered) {
        // Normal exit processing (also after an error report) closes the files.
        std::atexit(destroyLogChannels);
        exitHookRegistered = true;
    }
    for (const auto& c : kChannels) {
        if (*c.slot) continue;
        *c.slot = new cLog(std::string("c:/projects/log/") + c.name, c.enabled,
                           c.closeAfterEachLine, c.errorBox, c.warningBox);
    }
}

void destroyLogChannels() {
    for (auto it = std::rbegin(kChannels); it != std::rend(kChannels); ++it) {
        delete *it->slot;
        *it->slot = nullptr;
    }
}
