#include "cli_walk_directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "cfile.h"
#include "inf_tokenizer_paths.h"

namespace {

constexpr int kDirectoryFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

DIR* listing(void* dir) {
    return static_cast<DIR*>(dir);
}

}  // namespace

cWalkDirectory::cWalkDirectory(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}

cWalkDirectory::~cWalkDirectory() {
    if (m_listing) {
        ::closedir(listing(m_listing));  // closes m_fd too
    } else if (m_fd >= 0) {
        ::close(m_fd);
    }
}

std::unique_ptr<cWalkDirectory> cWalkDirectory::openCurrent() {
    std::error_code ec;
    std::string path = std::filesystem::current_path(ec).string();
    const int fd = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return std::unique_ptr<cWalkDirectory>(new cWalkDirectory(fd, std::move(path)));
}

std::optional<std::string> cWalkDirectory::nextEntry() {
    if (!m_listing && !m_listingFailed) {
        // The listing owns a descriptor of its own, so m_fd stays usable.
        const int dup = m_fd >= 0 ? ::fcntl(m_fd, F_DUPFD_CLOEXEC, 0) : -1;
        m_listing = dup >= 0 ? ::fdopendir(dup) : nullptr;
        if (!m_listing) {
            if (dup >= 0) ::close(dup);
            m_listingFailed = true;
        }
    }
    if (!m_listing) return std::nullopt;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(listing(m_listing));
        if (!entry) return std::nullopt;
        const std::string name = entry->d_name;
        if (name != "." && name != "..") return name;
    }
}

bool cWalkDirectory::isPlainDirectory(const std::string& name) const {
    struct stat info {};
    if (name.empty() || name[0] == '.') return false;
    if (::fstatat(m_fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return false;
    return S_ISDIR(info.st_mode) && (info.st_mode & S_IWUSR) != 0;
}

bool cWalkDirectory::mayEnter(const std::string& name) const {
    return ::faccessat(m_fd, name.c_str(), X_OK, AT_EACCESS) == 0;
}

std::unique_ptr<cWalkDirectory> cWalkDirectory::open(const std::string& name) const {
    const int fd = ::openat(m_fd, name.c_str(), kDirectoryFlags);
    // The name the system would report after changing into it: a plain
    // directory is no link, so it is this one's name and the entry's.
    std::string path = m_path.empty() || m_path.back() != '/' ? m_path + "/" + name : m_path + name;
    return std::unique_ptr<cWalkDirectory>(new cWalkDirectory(fd, std::move(path)));
}

std::optional<cWalkDirectory::FileInfo> cWalkDirectory::info(const std::string& name) const {
    struct stat info {};
    if (::fstatat(m_fd, name.c_str(), &info, 0) != 0) return std::nullopt;
    return FileInfo{S_ISREG(info.st_mode), static_cast<std::int64_t>(info.st_size)};
}

std::optional<std::string> cWalkDirectory::readRegular(const std::string& name) const {
    const int fd = ::openat(m_fd, name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct CloseAtEnd {
        int fd;
        ~CloseAtEnd() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    std::string content(static_cast<std::size_t>(info.st_size), '\0');
    for (std::size_t done = 0; done < content.size();) {
        const ssize_t got = ::read(fd, content.data() + done, content.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return std::nullopt;
        done += static_cast<std::size_t>(got);
    }
    return content;
}

bool cWalkDirectory::canRead(const std::string& name) const {
    return cFile::existsAt(m_fd, name);
}

std::string cWalkDirectory::resolveInclude(const std::string& name) const {
    return resolveInfIncludeName(name, m_fd);
}

std::optional<std::int64_t> cWalkDirectory::regularFileSize(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return static_cast<std::int64_t>(info.st_size);
}
