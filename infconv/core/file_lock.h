// Keeps a second conversion of the same file out while one runs.
#pragma once

#include <functional>
#include <string>

#include "cfile.h"

// An exclusive lock on the file (os::FileLock), released on destruction and
// by the system when the process ends in any way: a killed conversion never
// leaves a file locked.
class cFileLock {
  public:
    cFileLock() = default;
    ~cFileLock();
    cFileLock(const cFileLock&) = delete;
    cFileLock& operator=(const cFileLock&) = delete;

    // Locks the file at `path`. When another process holds it: with `wait`,
    // calls `onWait` once and waits; without, returns false. A conversion
    // replaces the file under the same name, so after waiting the lock is
    // taken again on the file the name holds now. A directory, FIFO, socket
    // or device is refused (cFileOpenException "not a regular file") without
    // blocking. A name that cannot be opened is left unlocked (true): loading
    // it reports why.
    bool lock(const std::string& path, bool wait, const std::function<void()>& onWait = {});

    // The locked file, open for reading at its start, where the lock keeps
    // it open; os::kNoHandle otherwise, and when unlocked.
    os::Handle fd() const { return m_lock.file(); }
    bool locked() const { return m_lock.locked(); }
    // The file locked, or found busy, by the last lock() (zero when it could not be opened).
    const cFile::Identity& identity() const { return m_identity; }
    // Lets the file go (as destruction does).
    void unlock();

  private:
    os::FileLock m_lock;
    cFile::Identity m_identity;
};
