#include "file_lock.h"

#include <cerrno>

#include "exceptions.h"

namespace {

[[noreturn]] void refuseNotRegular(const std::string& path) {
    throw new cFileOpenException(path, kNotRegularFileDetail,
                                 cFileException::Refusal::NotRegularFile);
}

}  // namespace

cFileLock::~cFileLock() {
    unlock();
}

void cFileLock::unlock() {
    m_lock.unlock();
}

bool cFileLock::lock(const std::string& path, bool wait, const std::function<void()>& onWait) {
    bool announced = false;
    m_identity = {};
    for (;;) {
        os::Handle fd = os::kNoHandle;
        cFile::Identity opened;
        switch (os::openRegular(os::currentDir(), path, os::kReadOnly, fd, &opened)) {
            case os::Opened::Yes:
                break;
            case os::Opened::NotRegular:
                refuseNotRegular(path);
            case os::Opened::Failed:
                return true;
        }
        m_identity = opened;
        // Once the wait is announced, the file the name holds now is waited for.
        if (m_lock.lock(fd, opened, announced) != 0) {
            if (errno != EWOULDBLOCK) return true;  // no locks here: convert without one
            if (!wait) return false;
            if (onWait && !announced) onWait();
            announced = true;
            continue;
        }
        // The name may have been given to a new file meanwhile.
        if (os::status(path).id == opened) return true;
        m_lock.unlock();
    }
}
