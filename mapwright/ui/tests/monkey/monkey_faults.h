#pragma once
// The file layer's faults as the walk injects them: before an action, at
// random, one step of a write (its Nth call, or the write that carries its
// Nth byte) fails with ENOSPC or EIO, now and then for every later call too.
// And the files of the walk's folders as they were, to compare after.

#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "common/file_faults.h"

namespace mw::ui::test {

/// Every file under the folders (but those of a folder named "check"), by
/// path, with its bytes.
using FolderBytes = std::map<std::string, std::string>;
FolderBytes filesUnder(const std::vector<std::filesystem::path>& folders);

class FaultDrill {
  public:
    /// With the chance `rate`, draws a fault and arms it.
    bool maybeArm(std::mt19937_64& rng, double rate);
    /// No fault armed from now on; true when the one armed failed a call.
    bool disarm();
    /// "Write ENOSPC", "Rename EIO", ...: the step and error of the fault armed last.
    std::string label() const;
    /// How the fault armed last fails: "lasting", "at a byte", "once".
    std::string how() const;
    mw::FileStep step() const { return fault_.step; }

  private:
    mw::FileFault fault_;
    bool armed_ = false;
};

}  // namespace mw::ui::test
