#include "common/regular_file.h"

#include <cerrno>
#include <cstring>

#include "common/errors.h"
#include "platform/system_files.h"

namespace mw {

std::string errnoText() {
    return std::strerror(errno);
}

void requireWholeName(const std::string& path, const std::string& operation) {
    if (path.find('\0') != std::string::npos)
        throw IoError(path, operation, "the name holds a NUL byte");
}

void requireRegularOrMissing(const std::string& path, const std::string& operation) {
    if (platform::kindAt(path, true) == platform::FileKind::Other)
        throw IoError(path, operation, kNotRegularFile);
}

std::FILE* openRegular(const std::string& path, const char* mode) {
    requireWholeName(path, "open");
    requireRegularOrMissing(path, "open");
    const int fd = platform::openForReading(path);
    if (fd < 0) throw IoError(path, "open", errnoText());
    if (!platform::isRegularFile(fd)) {
        platform::close(fd);
        throw IoError(path, "open", kNotRegularFile);
    }
    std::FILE* f = ::fdopen(fd, mode);
    if (!f) {
        const std::string why = errnoText();
        platform::close(fd);
        throw IoError(path, "open", why);
    }
    return f;
}

}  // namespace mw
