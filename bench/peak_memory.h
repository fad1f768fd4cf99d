// Peak resident memory of one stage: the kernel's high-water mark is reset
// before the stage (/proc/self/clear_refs) and read after it (VmHWM).
#pragma once

#include <cstdint>

namespace bench {

class PeakMemory {
  public:
    // Resets the high-water mark and notes the resident size now.
    PeakMemory();
    // Bytes by which the peak rose above the resident size at construction.
    std::uint64_t riseBytes() const;
    // False when the kernel does not allow the reset (the figure then
    // includes whatever peak came before).
    bool exact() const { return exact_; }

  private:
    std::uint64_t startRss_ = 0;
    bool exact_ = false;
};

}  // namespace bench
