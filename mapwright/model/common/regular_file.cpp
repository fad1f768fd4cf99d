#include "common/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/errors.h"

namespace mw {

std::string errnoText() {
    return std::strerror(errno);
}

void requireWholeName(const std::string& path, const std::string& operation) {
    if (path.find('\0') != std::string::npos)
        throw IoError(path, operation, "the name holds a NUL byte");
}

void requireRegularOrMissing(const std::string& path, const std::string& operation) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        throw IoError(path, operation, kNotRegularFile);
}

std::FILE* openRegular(const std::string& path, int flags, const char* mode) {
    requireWholeName(path, "open");
    requireRegularOrMissing(path, "open");
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw IoError(path, "open", errnoText());
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw IoError(path, "open", kNotRegularFile);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* f = ::fdopen(fd, mode);
    if (!f) {
        const std::string why = errnoText();
        ::close(fd);
        throw IoError(path, "open", why);
    }
    return f;
}

}  // namespace mw
