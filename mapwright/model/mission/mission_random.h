#pragma once
// The mission generator's random source for section-name numbers. Seeded once
// per generation, from the clock unless a seed is given; the same seed draws
// the same numbers on every platform (no library distributions involved).

#include <cstdint>
#include <optional>
#include <random>

namespace mw {

class MissionRandom {
  public:
    explicit MissionRandom(std::optional<std::uint32_t> seed = std::nullopt);

    /// A number in 0..maxInclusive (maxInclusive >= 0).
    int upTo(int maxInclusive);

    std::uint32_t seed() const { return seed_; }

  private:
    std::uint32_t seed_;
    std::mt19937 engine_;
};

}  // namespace mw
