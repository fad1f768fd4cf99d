// Temporary files that an interrupted run must not leave behind.
#pragma once

#include <string>

#include "os.h"

// While it lives, the file named at construction is removed when the user
// interrupts the process (Ctrl+C; SIGTERM and SIGHUP; on Windows also
// Ctrl+Break and closing the console). The handlers are installed on first
// use, only where the program has not taken the interruption over (an
// ignored signal or a program's own handler is left alone); after removing
// the files they end the process the default way. Only the name is
// remembered: the file itself is created and removed by the owner as usual.
class cTempFileGuard {
  public:
    explicit cTempFileGuard(const std::string& path);
    ~cTempFileGuard();
    cTempFileGuard(const cTempFileGuard&) = delete;
    cTempFileGuard& operator=(const cTempFileGuard&) = delete;

  private:
    int m_slot;  // -1 when the name could not be kept (too long, all slots taken)
};

// Holds interruptions back while it lives, so the renames that put a
// finished file in place all happen or none does; one that came meanwhile
// takes effect at destruction.
using cSignalHold = os::InterruptHold;
