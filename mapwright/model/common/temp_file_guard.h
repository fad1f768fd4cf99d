#pragma once
// Temporary files that a signal must not leave behind.

#include <string>

namespace mw {

/// While it lives, the named temporary file is removed when an interruption
/// ends the process (SIGINT, SIGTERM or SIGHUP; on Windows Ctrl+C, Ctrl+Break
/// or the console closing). The handlers are installed on first use, only
/// for interruptions at their default action (a program's own handler or an
/// ignored signal is left alone), and end the process the default way after
/// the removal. The owner creates and removes the file as usual.
class TempFileGuard {
  public:
    explicit TempFileGuard(const std::string& path);
    ~TempFileGuard();
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;

  private:
    int slot_;  // -1 when the name could not be kept (too long, all slots taken)
};

}  // namespace mw
