#include "common/file_bytes.h"

#include <cerrno>
#include <cstring>

#include "common/errors.h"
#include "platform/system_files.h"

namespace mw {

std::optional<std::string> ReadFileBytes(const std::string& path) {
    const int fd = platform::openForReading(path);
    if (fd < 0) {
        if (errno == ENOENT) return std::nullopt;
        if (errno == ENODEV) throw IoError(path, "open", "not a regular file");
        throw IoError(path, "open", std::strerror(errno));
    }
    if (!platform::isRegularFile(fd)) {
        platform::close(fd);
        throw IoError(path, "open", "not a regular file");
    }
    std::string bytes;
    char buf[65536];
    for (;;) {
        const std::int64_t n = platform::read(fd, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            const std::string why = std::strerror(errno);
            platform::close(fd);
            throw IoError(path, "read", why);
        }
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    platform::close(fd);
    return bytes;
}

}  // namespace mw
