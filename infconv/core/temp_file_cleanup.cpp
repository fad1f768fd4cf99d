#include "temp_file_cleanup.h"

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

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

void removeTempFiles(int signal) {
    for (Slot& slot : g_slots)
        if (slot.state.load() == Slot::kArmed) ::unlink(slot.path);
    // SA_RESETHAND restored the default action; the signal raised again ends
    // the process as soon as this handler returns.
    ::raise(signal);
}

void installHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int signal : kSignals) {
            struct sigaction current {};
            if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
                continue;
            struct sigaction action {};
            action.sa_handler = removeTempFiles;
            sigemptyset(&action.sa_mask);
            for (int other : kSignals) sigaddset(&action.sa_mask, other);
            action.sa_flags = SA_RESETHAND;
            ::sigaction(signal, &action, nullptr);
        }
    });
}

sigset_t heldSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kSignals) sigaddset(&set, signal);
    return set;
}

}  // namespace

cTempFileGuard::cTempFileGuard(const std::string& path) : m_slot(-1) {
    installHandlers();
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

cSignalHold::cSignalHold() {
    const sigset_t held = heldSignals();
    ::pthread_sigmask(SIG_BLOCK, &held, &m_previous);
}

cSignalHold::~cSignalHold() {
    ::pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
}
