#pragma once
// The editor's one pseudo-random source. The application seeds it from the
// clock; tests give it a fixed seed so every draw can be predicted.

#include <cstdint>
#include <random>

namespace mw {

class EditorRandom {
  public:
    /// Seeded from the clock.
    EditorRandom();
    /// A fixed sequence: reseedFromClock() leaves it alone.
    explicit EditorRandom(std::uint64_t seed);

    /// Fixes the sequence from now on (tests).
    void seed(std::uint64_t value);
    /// Starts a new sequence from the clock, unless a fixed seed was given.
    /// Two reseeds within the same clock tick still give different sequences.
    void reseedFromClock();

    /// A uniform whole number in 0..n-1; 0 when n <= 0.
    int uniform(int n);

    bool isFixed() const { return fixed_; }

  private:
    std::mt19937_64 engine_;
    bool fixed_ = false;
    std::uint64_t reseeds_ = 0;
};

}  // namespace mw
