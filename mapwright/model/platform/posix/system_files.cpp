// The model's files on POSIX systems.
#include "platform/system_files.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

namespace mw::platform {

FileKind kindAt(const std::string& path, bool followLink, std::int64_t* size) {
    struct stat info {};
    const int result = followLink ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
    if (result != 0) return FileKind::Missing;
    if (size) *size = static_cast<std::int64_t>(info.st_size);
    return S_ISREG(info.st_mode) ? FileKind::Regular : FileKind::Other;
}

int openForReading(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

bool isRegularFile(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return true;
}

int createNew(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

int createTemporary(std::string& templ) {
    return ::mkostemp(templ.data(), O_CLOEXEC);
}

int openLockFile(const std::string& path) {
    return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
}

bool lockExclusive(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

std::int64_t read(int fd, void* destination, std::size_t n) {
    for (;;) {
        const ssize_t got = ::read(fd, destination, n);
        if (got >= 0 || errno != EINTR) return got;
    }
}

std::int64_t write(int fd, const void* source, std::size_t n) {
    for (;;) {
        const ssize_t put = ::write(fd, source, n);
        if (put >= 0 || errno != EINTR) return put;
    }
}

int sync(int fd) {
    return ::fsync(fd);
}

int close(int fd) {
    return ::close(fd);
}

namespace {

mode_t currentUmask() {
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
}

}  // namespace

void takeOverAccess(int fd, const std::string& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
            // EPERM: not a group of ours; the file keeps our own.
        }
        ::fchmod(fd, old.st_mode & 07777);
        return;
    }
    ::fchmod(fd, 0666 & ~currentUmask());
}

int replace(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str());
}

int remove(const std::string& path) {
    return ::unlink(path.c_str());
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "";
}

ApplicationFolders applicationFolders() {
    return {};
}

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
void (*interruptCleanup)() = nullptr;

void cleanUpAndEnd(int signal) {
    if (interruptCleanup) interruptCleanup();
    // SA_RESETHAND restored the default action: raised again, the signal
    // ends the process as soon as this handler returns.
    ::raise(signal);
}

}  // namespace

void onInterrupt(void (*cleanup)()) {
    static std::once_flag once;
    std::call_once(once, [cleanup] {
        interruptCleanup = cleanup;
        for (const int signal : kSignals) {
            struct sigaction current {};
            if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
                continue;
            struct sigaction action {};
            action.sa_handler = cleanUpAndEnd;
            sigemptyset(&action.sa_mask);
            for (const int other : kSignals) sigaddset(&action.sa_mask, other);
            action.sa_flags = SA_RESETHAND;
            ::sigaction(signal, &action, nullptr);
        }
    });
}

void removeNow(const char* path) {
    ::unlink(path);
}

static_assert(sizeof(sigset_t) <= 128, "InterruptHold keeps a signal mask");

InterruptHold::InterruptHold() {
    sigset_t held;
    sigemptyset(&held);
    for (const int signal : kSignals) sigaddset(&held, signal);
    pthread_sigmask(SIG_BLOCK, &held, reinterpret_cast<sigset_t*>(previous_));
}

InterruptHold::~InterruptHold() {
    pthread_sigmask(SIG_SETMASK, reinterpret_cast<sigset_t*>(previous_), nullptr);
}

}  // namespace mw::platform
