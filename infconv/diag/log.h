// Log channels of the converter: ten named channels, each appending lines to
// its own log file and optionally reporting them in an "ERROR" or "WARNING"
// box (standard error on this platform).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "os.h"

class cLog {
  public:
    cLog(const std::string& baseName, bool enabled, bool closeAfterEachLine, bool errorBox,
         bool warningBox);
    ~cLog();
    cLog(const cLog&) = delete;
    cLog& operator=(const cLog&) = delete;

    // Full log file path (log directory + channel name + ".!").
    const std::string& fileName() const { return fileName_; }
    // Channel name: the part of the base name after its last "/", e.g. "ErrorLog".
    const std::string& channelName() const { return channelName_; }
    const std::string& version() const { return version_; }
    // Value of the "<name>Debug" settings key, when present (nothing reads it).
    const std::string& debugSetting() const { return debugSetting_; }
    bool isOpen() const { return file_ != os::kNoHandle; }
    std::uint32_t lastCloseTime() const { return lastCloseTime_; }

    // Reads "inf/program.inf" (section "Log") and applies it to this channel.
    void applySettings();

    bool enabled;
    bool closeAfterEachLine;
    bool errorBox;
    bool warningBox;
    bool offerDebuggerBreak = false;
    std::uint32_t closeInterval = 2000;

  private:
    friend void logPrintf(cLog* channel, const char* format, ...);
    friend void closeLogFile(cLog* channel);
    void write(const char* text);

    std::string channelName_;
    std::string fileName_;
    std::string version_;
    std::string debugSetting_;
    os::Handle file_ = os::kNoHandle;
    std::uint32_t lastCloseTime_ = 0;
};

extern cLog* ErrorLog;
extern cLog* WarningLog;
extern cLog* ProgLog;
extern cLog* ServerLog;
extern cLog* ClientLog;
extern cLog* ReleaseLog;
extern cLog* MultiLog;
extern cLog* SystemLog;
extern cLog* ScriptLog;
extern cLog* AILog;

// Creates the ten channels in their order (each applying the settings file);
// does nothing for channels that already exist.
void createLogChannels();
// Destroys the channels in reverse order, closing their files.
void destroyLogChannels();

// Writes one report through the channel; a null or disabled channel does nothing.
void logPrintf(cLog* channel, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
void closeLogFile(cLog* channel);
void closeAllLogs();
const char* getVersionString();

// Directory the log files go to: $INFCONV_LOG_DIR, else infconv/log in the
// user's state folder ($XDG_STATE_HOME or ~/.local/state; on Windows
// %LOCALAPPDATA%).
std::string logDirectory();

// Test hook: when set, every line logPrintf writes through an enabled channel
// is also appended to *sink, followed by "\n". Pass nullptr to stop.
void setLogCapture(std::string* sink);

// Millisecond counter used by the close rule (32 bits, wraps). Tests may
// replace it; nullptr restores the system's monotonic counter.
using LogClock = std::uint32_t (*)();
void setLogClock(LogClock clock);
std::uint32_t logMilliseconds();
