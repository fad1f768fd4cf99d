#include "mission/mission_random.h"

#include <chrono>

namespace mw {

namespace {
std::uint32_t clockSeed() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
}
}  // namespace

MissionRandom::MissionRandom(std::optional<std::uint32_t> seed)
    : seed_(seed ? *seed : clockSeed()), engine_(seed_) {}

int MissionRandom::upTo(int maxInclusive) {
    if (maxInclusive <= 0) return 0;
    // The modulo bias over a 32-bit draw is far below anything a map shows.
    const std::uint32_t range = static_cast<std::uint32_t>(maxInclusive) + 1u;
    return static_cast<int>(engine_() % range);
}

}  // namespace mw
