#include "temp_file_cleanup.h"

#include <atomic>
#include <cstring>

namespace {

// The handler may only look at lock-free state, so names live in fixed slots.
struct Slot {
    enum : int { kFree, kFilling, kArmed };
    std::atomic<int> state{kFree};
    char path[4096];
};
// A walk keeps a batch of temporary files (cli_tree_converter.cpp) at once.
constexpr int kSlotCount = 256;
// Zero at load time: a megabyte that a run touches only slot by slot (an
// initialiser run at start-up would fault every page of it in).
constinit Slot g_slots[kSlotCount]{};

void removeTempFiles() {
    for (Slot& slot : g_slots)
        if (slot.state.load() == Slot::kArmed) os::removeNow(slot.path);
}

}  // namespace

cTempFileGuard::cTempFileGuard(const std::string& path) : m_slot(-1) {
    os::onInterrupt(removeTempFiles);
    if (path.size() >= sizeof(Slot::path)) return;
    for (int i = 0; i < kSlotCount; ++i) {
        int expected = Slot::kFree;
        if (!g_slots[i].state.compare_exchange_strong(expected, Slot::kFilling)) continue;
        std::memcpy(g_slots[i].path, path.c_str(), path.size() + 1);
        g_slots[i].state.store(Slot::kArmed);
        m_slot = i;
        return;
    }
}

cTempFileGuard::~cTempFileGuard() {
    if (m_slot >= 0) g_slots[m_slot].state.store(Slot::kFree);
}
