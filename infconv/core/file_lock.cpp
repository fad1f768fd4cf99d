#include "file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "exceptions.h"

namespace {

[[noreturn]] void refuseNotRegular(const std::string& path) {
    throw new cFileOpenException(path, kNotRegularFileDetail,
                                 cFileException::Refusal::NotRegularFile);
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

cFileLock::~cFileLock() {
    unlock();
}

void cFileLock::unlock() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

bool cFileLock::lock(const std::string& path, bool wait, const std::function<void()>& onWait) {
    bool announced = false;
    m_identity = {};
    for (;;) {
        struct stat named {};
        if (::stat(path.c_str(), &named) != 0) return true;
        if (!S_ISREG(named.st_mode)) refuseNotRegular(path);
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return true;
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            refuseNotRegular(path);
        }
        m_identity = {static_cast<std::uint64_t>(opened.st_dev),
                      static_cast<std::uint64_t>(opened.st_ino)};
        int locked = ::flock(fd, LOCK_EX | LOCK_NB);
        if (locked != 0 && errno == EWOULDBLOCK) {
            if (!wait) {
                ::close(fd);
                return false;
            }
            if (onWait && !announced) onWait();
            announced = true;
            do {
                locked = ::flock(fd, LOCK_EX);
            } while (locked != 0 && errno == EINTR);
        }
        if (locked != 0) {
            // The file system keeps no locks: convert without one.
            ::close(fd);
            return true;
        }
        struct stat now {};
        if (::stat(path.c_str(), &now) == 0 && sameFile(now, opened)) {
            if (m_fd >= 0) ::close(m_fd);
            m_fd = fd;
            return true;
        }
        ::close(fd);
    }
}
