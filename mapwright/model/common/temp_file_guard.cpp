#include "common/temp_file_guard.h"

#include <atomic>
#include <cstring>
#include <iterator>

#include "platform/system_files.h"

namespace mw {

namespace {

// Temporary names for the interruption's cleanup, which may only touch
// lock-free state: fixed slots, each armed once its name is complete.
struct TempSlot {
    enum : int { kFree, kFilling, kArmed };
    std::atomic<int> state{kFree};
    char path[4096];
};
TempSlot tempSlots[16];

void removeTempFiles() {
    for (TempSlot& slot : tempSlots)
        if (slot.state.load() == TempSlot::kArmed) platform::removeNow(slot.path);
}

}  // namespace

TempFileGuard::TempFileGuard(const std::string& path) : slot_(-1) {
    platform::onInterrupt(removeTempFiles);
    if (path.size() >= sizeof(TempSlot::path)) return;
    for (int i = 0; i < static_cast<int>(std::size(tempSlots)); ++i) {
        int expected = TempSlot::kFree;
        if (!tempSlots[i].state.compare_exchange_strong(expected, TempSlot::kFilling)) continue;
        std::memcpy(tempSlots[i].path, path.c_str(), path.size() + 1);
        tempSlots[i].state.store(TempSlot::kArmed);
        slot_ = i;
        return;
    }
}

TempFileGuard::~TempFileGuard() {
    if (slot_ >= 0) tempSlots[slot_].state.store(TempSlot::kFree);
}

}  // namespace mw
