#include "names/name_listing.h"

#include <algorithm>
#include <cctype>

#include "names/name_records.h"

namespace mw {

bool nameListOrder(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

std::vector<std::string> listDatabaseNames(const std::string& ondFile, bool planets,
                                           std::optional<char> style) {
    std::vector<std::string> names;
    OndReader in(ondFile);
    TOndRecord r;
    while (in.next(r)) {
        if (r.isPlanet() != planets) continue;
        if (style && !r.hasStyle(*style)) continue;
        names.push_back(r.name.str());
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return nameListOrder(a, b); });
    return names;
}

}  // namespace mw
