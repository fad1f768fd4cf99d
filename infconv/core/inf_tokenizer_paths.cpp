#include "inf_tokenizer_paths.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace {

bool pathExists(const os::Dir& directory, const std::string& path) {
    return os::statusAt(directory, path, true).kind != os::Status::Kind::Missing;
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
bool findIgnoringCase(const os::Dir& directory, const std::string& dir, const std::string& part,
                      std::string& found) {
    const os::Dir opened = os::Dir::open(directory, dir.empty() ? "." : dir, true);
    if (!opened.valid()) return false;
    os::Listing listing(opened);
    bool any = false;
    while (std::optional<std::string> name = listing.next()) {
        if (!equalsIgnoringCase(*name, part)) continue;
        if (!any || *name < found) found = *name;
        any = true;
    }
    return any;
}

}  // namespace

std::string resolveInfIncludeName(const std::string& name, const os::Dir& directory) {
    std::string unified = name;
    std::replace(unified.begin(), unified.end(), '\\', '/');
    if (unified.empty() || pathExists(directory, unified)) return unified;

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
        if (part != "." && part != ".." && !pathExists(directory, candidate)) {
            std::string match;
            if (!findIgnoringCase(directory, dir, part, match)) return unified;
            candidate = resolved + match;
        }
        resolved = candidate + "/";
    }
    if (!resolved.empty() && resolved.back() == '/' && resolved != "/") resolved.pop_back();
    return resolved;
}
