#pragma once
// The faults a write can meet, for tests that fail a write at every point:
// each call of each step the write makes (counted by a run without faults),
// and the write of its first, middle and last byte; ENOSPC and EIO in turn.

#include <string>
#include <vector>

#include "common/file_faults.h"

namespace model_test {

inline std::vector<mw::FileFault> faultPoints(const mw::FileCounts& counts) {
    std::vector<mw::FileFault> faults;
    int n = 0;
    const auto error = [&n] { return ++n % 2 == 1 ? ENOSPC : EIO; };
    for (const mw::FileStep step :
         {mw::FileStep::Create, mw::FileStep::Write, mw::FileStep::Sync, mw::FileStep::Rename})
        for (std::int64_t call = 1; call <= counts.of(step); ++call)
            faults.push_back({step, call, 0, error(), false});
    if (counts.bytes > 0)
        for (const std::int64_t byte : {std::int64_t{1}, counts.bytes / 2 + 1, counts.bytes})
            faults.push_back({mw::FileStep::Write, 1, byte, error(), false});
    // A disk that is full from the start and stays so.
    if (counts.of(mw::FileStep::Write) > 0)
        faults.push_back({mw::FileStep::Write, 1, 0, ENOSPC, true});
    return faults;
}

inline std::string describe(const mw::FileFault& f) {
    static const char* const kSteps[] = {"create", "write", "sync", "rename", "sync folder"};
    return std::string(kSteps[static_cast<int>(f.step)]) +
           (f.byte > 0 ? " at byte " + std::to_string(f.byte) : " call " + std::to_string(f.call)) +
           (f.lasting ? " and after" : "") + " errno " + std::to_string(f.error);
}

}  // namespace model_test
