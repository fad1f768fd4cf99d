#include "common/temp_file_guard.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <iterator>
#include <mutex>

namespace mw {

namespace {

// Temporary names for the signal handler, which may only touch lock-free
// state: fixed slots, each armed once its name is complete.
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct TempSlot {
    enum : int { kFree, kFilling, kArmed };
    std::atomic<int> state{kFree};
    char path[4096];
};
TempSlot tempSlots[16];

void removeTempFilesAndEnd(int signal) {
    for (TempSlot& slot : tempSlots)
        if (slot.state.load() == TempSlot::kArmed) ::unlink(slot.path);
    // SA_RESETHAND restored the default action: raised again, the signal
    // ends the process as soon as this handler returns.
    ::raise(signal);
}

void installTempFileHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const int signal : kSignals) {
            struct sigaction current {};
            if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
                continue;
            struct sigaction action {};
            action.sa_handler = removeTempFilesAndEnd;
            sigemptyset(&action.sa_mask);
            for (const int other : kSignals) sigaddset(&action.sa_mask, other);
            action.sa_flags = SA_RESETHAND;
            ::sigaction(signal, &action, nullptr);
        }
    });
}

}  // namespace

TempFileGuard::TempFileGuard(const std::string& path) : slot_(-1) {
    installTempFileHandlers();
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
