#include "common/editor_random.h"

#include <chrono>

namespace mw {

namespace {

std::uint64_t clockSeed(std::uint64_t salt) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::uint64_t z = static_cast<std::uint64_t>(
                          std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()) +
                      0x9E3779B97F4A7C15ULL * (salt + 1);
    // splitmix64 finaliser: neighbouring clock values give unrelated seeds.
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

}  // namespace

EditorRandom::EditorRandom() {
    reseedFromClock();
}

EditorRandom::EditorRandom(std::uint64_t seed) {
    this->seed(seed);
}

void EditorRandom::seed(std::uint64_t value) {
    engine_.seed(value);
    fixed_ = true;
}

void EditorRandom::reseedFromClock() {
    if (fixed_) return;
    engine_.seed(clockSeed(reseeds_++));
}

int EditorRandom::uniform(int n) {
    if (n <= 0) return 0;
    // Rejection sampling: the same draws on every standard library, and no
    // bias toward small values from a plain modulo.
    const auto range = static_cast<std::uint64_t>(n);
    const std::uint64_t limit = UINT64_MAX - (UINT64_MAX % range + 1) % range;
    std::uint64_t v;
    do {
        v = engine_();
    } while (v > limit);
    return static_cast<int>(v % range);
}

}  // namespace mw
