#include "hash_map.h"

namespace hash_map_detail {

std::uint32_t StringKeyTraits::hash(std::string_view key) {
    std::uint32_t h = 0;
    for (char raw : key) {
        auto c = static_cast<signed char>(raw);
        // Lower-case letters and their neighbours (0x60..0x7F) are folded down.
        if (c >= 0x60) c = static_cast<signed char>(c - 40);
        h = (h >> 28) + h * 8 + static_cast<std::uint32_t>(static_cast<std::int32_t>(c));
    }
    return h;
}

}  // namespace hash_map_detail
