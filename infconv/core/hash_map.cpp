#include "hash_map.h"

namespace hash_map_detail {

std::uint32_t StringKeyTraits::hash(std::string_view key) {
    std::uint32_t h = 0;
    for (char raw : key) h = hashStep(h, raw);
    return h;
}

}  // namespace hash_map_detail
