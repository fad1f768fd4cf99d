#include "monkey_faults.h"

#include <fstream>
#include <sstream>

namespace mw::ui::test {

FolderBytes filesUnder(const std::vector<std::filesystem::path>& folders) {
    namespace fs = std::filesystem;
    FolderBytes files;
    for (const fs::path& folder : folders) {
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(folder, ec);
             it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (it->is_directory() && it->path().filename() == "check") {
                it.disable_recursion_pending();
                continue;
            }
            if (!it->is_regular_file()) continue;
            std::ifstream in(it->path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            files[it->path().string()] = bytes.str();
        }
    }
    return files;
}

bool FaultDrill::maybeArm(std::mt19937_64& rng, double rate) {
    if (!std::bernoulli_distribution(rate)(rng)) return false;
    const auto uniform = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    // Writes and their steps come more often than the folder sync.
    static constexpr mw::FileStep kSteps[] = {
        mw::FileStep::Create, mw::FileStep::Create, mw::FileStep::Write,
        mw::FileStep::Write,  mw::FileStep::Write,  mw::FileStep::Sync,
        mw::FileStep::Rename, mw::FileStep::Rename, mw::FileStep::SyncFolder};
    fault_ = mw::FileFault{};
    fault_.step = kSteps[uniform(0, 8)];
    fault_.call = uniform(0, 2) == 0 ? uniform(2, 4) : 1;
    if (fault_.step == mw::FileStep::Write && uniform(0, 1) == 0)
        fault_.byte = uniform(1, uniform(0, 1) ? 600 : 40000);
    fault_.error = uniform(0, 1) ? ENOSPC : EIO;
    fault_.lasting = uniform(0, 3) == 0;
    mw::file_faults::Arm(fault_);
    armed_ = true;
    return true;
}

bool FaultDrill::disarm() {
    if (!armed_) return false;
    armed_ = false;
    const bool fired = mw::file_faults::Fired();
    mw::file_faults::Disarm();
    return fired;
}

std::string FaultDrill::label() const {
    static const char* const kNames[] = {"Create", "Write", "Sync", "Rename", "SyncFolder"};
    return std::string(kNames[int(fault_.step)]) + (fault_.error == ENOSPC ? " ENOSPC" : " EIO");
}

std::string FaultDrill::how() const {
    return fault_.lasting ? "lasting" : fault_.byte > 0 ? "at a byte" : "once";
}

}  // namespace mw::ui::test
