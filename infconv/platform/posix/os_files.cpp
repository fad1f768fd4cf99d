// Files and directories on POSIX systems: descriptors, and lookups relative
// to directory descriptors.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "os.h"

namespace os {

namespace {

// Files that open creates are readable and writable (the umask applies).
constexpr mode_t kCreatePermissions = 0666;

int fdOf(const Dir& dir) {
    return static_cast<int>(dir.handle());
}

FileId idOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace

bool isAbsolutePath(const std::string& name) {
    return !name.empty() && name[0] == '/';
}

Dir::~Dir() {
    if (m_handle >= 0) ::close(static_cast<int>(m_handle));
}

Dir::Dir(Dir&& other) noexcept
    : m_handle(std::exchange(other.m_handle, kCurrent)), m_path(std::move(other.m_path)) {}

Dir& Dir::operator=(Dir&& other) noexcept {
    if (this != &other) {
        if (m_handle >= 0) ::close(static_cast<int>(m_handle));
        m_handle = std::exchange(other.m_handle, kCurrent);
        m_path = std::move(other.m_path);
    }
    return *this;
}

Dir Dir::open(const Dir& base, const std::string& name, bool followLink) {
    Dir dir;
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    const int fd = ::openat(fdOf(base), name.c_str(), flags);
    dir.m_handle = fd < 0 ? kInvalid : fd;
    return dir;
}

const Dir& currentDir() {
    static const Dir current;
    return current;
}

std::string currentDirectoryPath() {
    std::string path(256, '\0');
    while (::getcwd(path.data(), path.size()) == nullptr) {
        if (errno != ERANGE) return {};
        path.resize(path.size() * 2);
    }
    path.resize(std::char_traits<char>::length(path.c_str()));
    return path;
}

Status statusAt(const Dir& dir, const std::string& name, bool followLink) {
    struct stat info {};
    Status status;
    if (::fstatat(fdOf(dir), name.c_str(), &info, followLink ? 0 : AT_SYMLINK_NOFOLLOW) != 0)
        return status;
    status.kind = S_ISREG(info.st_mode)   ? Status::Kind::Regular
                  : S_ISDIR(info.st_mode) ? Status::Kind::Directory
                                          : Status::Kind::Other;
    status.size = static_cast<std::int64_t>(info.st_size);
    if (followLink) status.id = idOf(info);
    // The owner's write bit stands in for the read-only attribute (an access
    // check would pass everything for a privileged user).
    const std::size_t slash = name.find_last_of('/');
    const bool dotName = name[slash == std::string::npos ? 0 : slash + 1] == '.';
    status.plainDirectory = S_ISDIR(info.st_mode) && (info.st_mode & S_IWUSR) != 0 && !dotName;
    return status;
}

bool maySearch(const Dir& dir, const std::string& name) {
    return ::faccessat(fdOf(dir), name.c_str(), X_OK, AT_EACCESS) == 0;
}

Listing::Listing(const Dir& dir) {
    // The listing owns a descriptor of its own, so the directory's stays usable.
    const int fd = ::openat(fdOf(dir), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    m_state = ::fdopendir(fd);
    if (!m_state) ::close(fd);
}

Listing::~Listing() {
    if (m_state) ::closedir(static_cast<DIR*>(m_state));
}

std::optional<std::string> Listing::next() {
    if (!m_state) return std::nullopt;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(static_cast<DIR*>(m_state));
        if (!entry) return std::nullopt;
        const std::string name = entry->d_name;
        if (name != "." && name != "..") return name;
    }
}

Opened openRegular(const Dir& dir, const std::string& name, int flags, Handle& handle, FileId* id) {
    handle = kNoHandle;
    // A FIFO would block in open() and a device may be touched by it, so the
    // name is looked at first, the open does not wait, and what was opened is
    // checked again (the name may have changed meanwhile).
    struct stat info {};
    if (::fstatat(fdOf(dir), name.c_str(), &info, 0) == 0 && !S_ISREG(info.st_mode))
        return Opened::NotRegular;
    int openFlags = (flags & kReadWrite) ? O_RDWR : (flags & kWriteOnly) ? O_WRONLY : O_RDONLY;
    if (flags & kCreate) openFlags |= O_CREAT;
    if (flags & kTruncate) openFlags |= O_TRUNC;
    if (flags & kExclusive) openFlags |= O_EXCL;
    if (flags & kAppend) openFlags |= O_APPEND;
    const int fd =
        ::openat(fdOf(dir), name.c_str(), openFlags | O_NONBLOCK | O_CLOEXEC, kCreatePermissions);
    if (fd < 0) return Opened::Failed;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Opened::NotRegular;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (id) *id = idOf(info);
    handle = fd;
    return Opened::Yes;
}

Handle createNew(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, kCreatePermissions);
    return fd < 0 ? kNoHandle : fd;
}

std::int64_t read(Handle file, void* destination, std::size_t n) {
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(file), destination, n);
        if (got >= 0 || errno != EINTR) return got;
    }
}

std::int64_t write(Handle file, const void* source, std::size_t n) {
    for (;;) {
        const ssize_t put = ::write(static_cast<int>(file), source, n);
        if (put >= 0 || errno != EINTR) return put;
    }
}

std::int64_t seek(Handle file, std::int64_t offset, Origin origin) {
    const int whence = origin == Origin::Start     ? SEEK_SET
                       : origin == Origin::Current ? SEEK_CUR
                                                   : SEEK_END;
    return ::lseek(static_cast<int>(file), static_cast<off_t>(offset), whence);
}

std::int64_t size(Handle file) {
    struct stat info {};
    if (::fstat(static_cast<int>(file), &info) != 0) return -1;
    return static_cast<std::int64_t>(info.st_size);
}

int close(Handle file) {
    return ::close(static_cast<int>(file));
}

int syncData(Handle file) {
    return ::fdatasync(static_cast<int>(file));
}

FileLock::~FileLock() {
    unlock();
}

// The lock (flock) belongs to the open file, so it goes when the file is closed.
int FileLock::lock(Handle file, const FileId&, bool wait) {
    unlock();
    for (;;) {
        const int locked = ::flock(static_cast<int>(file), LOCK_EX | (wait ? 0 : LOCK_NB));
        if (locked == 0) {
            m_lock = m_file = file;
            return 0;
        }
        if (errno != EINTR) {
            const int error = errno;
            ::close(static_cast<int>(file));
            errno = error;
            return -1;
        }
    }
}

void FileLock::unlock() {
    if (m_file != kNoHandle) ::close(static_cast<int>(m_file));
    m_lock = m_file = kNoHandle;
}

int link(const std::string& from, const std::string& to) {
    return ::link(from.c_str(), to.c_str());
}

bool linkUnsupported(int errorNumber) {
    return errorNumber == EPERM || errorNumber == EOPNOTSUPP || errorNumber == EMLINK ||
           errorNumber == ENOSYS || errorNumber == EXDEV;
}

int rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str());
}

int remove(const std::string& path) {
    return ::unlink(path.c_str());
}

int makeDirectories(const std::string& path) {
    for (std::size_t at = 1; at <= path.size(); ++at) {
        if (at < path.size() && path[at] != '/') continue;
        const std::string part = path.substr(0, at);
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return -1;
    }
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? 0 : -1;
}

}  // namespace os
