#include "inf_tokenizer_paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

bool pathExists(int directoryFd, const std::string& path) {
    struct stat st;
    return ::fstatat(directoryFd, path.c_str(), &st, 0) == 0;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// The entry of `dir` that equals `part` ignoring case; of several, the
// smallest by byte order, so the choice does not depend on listing order.
bool findIgnoringCase(int directoryFd, const std::string& dir, const std::string& part,
                      std::string& found) {
    const int fd =
        ::openat(directoryFd, dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    DIR* d = ::fdopendir(fd);
    if (!d) {
        ::close(fd);
        return false;
    }
    bool any = false;
    while (dirent* entry = ::readdir(d)) {
        std::string_view name(entry->d_name);
        if (!equalsIgnoringCase(name, part)) continue;
        if (!any || name < found) found.assign(name);
        any = true;
    }
    ::closedir(d);
    return any;
}

}  // namespace

std::string resolveInfIncludeName(const std::string& name, int directoryFd) {
    std::string unified = name;
    std::replace(unified.begin(), unified.end(), '\\', '/');
    if (unified.empty() || pathExists(directoryFd, unified)) return unified;

    std::vector<std::string> parts;
    std::size_t start = 0;
    const bool absolute = unified.front() == '/';
    while (start <= unified.size()) {
        std::size_t slash = unified.find('/', start);
        if (slash == std::string::npos) slash = unified.size();
        if (slash > start) parts.push_back(unified.substr(start, slash - start));
        start = slash + 1;
    }

    std::string resolved = absolute ? "/" : "";
    for (const std::string& part : parts) {
        const std::string dir = resolved.empty() ? "." : resolved;
        std::string candidate = resolved + part;
        if (part != "." && part != ".." && !pathExists(directoryFd, candidate)) {
            std::string match;
            if (!findIgnoringCase(directoryFd, dir, part, match)) return unified;
            candidate = resolved + match;
        }
        resolved = candidate + "/";
    }
    if (!resolved.empty() && resolved.back() == '/' && resolved != "/") resolved.pop_back();
    return resolved;
}
