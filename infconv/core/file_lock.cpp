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
    if (m_fd != os::kNoHandle) os::close(m_fd);
    m_fd = os::kNoHandle;
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
        int locked = os::lock(fd, false);
        if (locked != 0 && errno == EWOULDBLOCK) {
            if (!wait) {
                os::close(fd);
                return false;
            }
            if (onWait && !announced) onWait();
            announced = true;
            locked = os::lock(fd, true);
        }
        if (locked != 0) {
            // The file system keeps no locks: convert without one.
            os::close(fd);
            return true;
        }
        // The name may have been given to a new file meanwhile.
        if (os::status(path).id == opened) {
            if (m_fd != os::kNoHandle) os::close(m_fd);
            m_fd = fd;
            return true;
        }
        os::close(fd);
    }
}
