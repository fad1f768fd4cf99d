// Temporary files that an interrupted run must not leave behind.
#pragma once

#include <signal.h>

#include <string>

// While it lives, the file named at construction is removed when SIGINT,
// SIGTERM or SIGHUP ends the process. The handlers are installed on first
// use, only for signals still at their default action (an ignored signal or a
// program's own handler is left alone); after removing the files they end
// the process the default way. Only the name is remembered: the file itself
// is created and removed by the owner as usual.
class cTempFileGuard {
  public:
    explicit cTempFileGuard(const std::string& path);
    ~cTempFileGuard();
    cTempFileGuard(const cTempFileGuard&) = delete;
    cTempFileGuard& operator=(const cTempFileGuard&) = delete;

  private:
    int m_slot;  // -1 when the name could not be kept (too long, all slots taken)
};

// Holds SIGINT, SIGTERM and SIGHUP back while it lives, so the renames that
// put a finished file in place all happen or none does; a signal that came
// meanwhile takes effect at destruction.
class cSignalHold {
  public:
    cSignalHold();
    ~cSignalHold();
    cSignalHold(const cSignalHold&) = delete;
    cSignalHold& operator=(const cSignalHold&) = delete;

  private:
    sigset_t m_previous;
};
