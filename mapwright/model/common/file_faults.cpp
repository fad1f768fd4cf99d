#include "common/file_faults.h"

#include <mutex>
#include <optional>

namespace mw::file_faults {

namespace {

struct State {
    std::mutex lock;
    std::optional<FileFault> armed;
    bool fired = false;
    FileCounts counts;
};

State& state() {
    static State s;
    return s;
}

}  // namespace

void Arm(const FileFault& fault) {
    State& s = state();
    const std::lock_guard held(s.lock);
    s.armed = fault;
    s.fired = false;
    s.counts = {};
}

void Disarm() {
    State& s = state();
    const std::lock_guard held(s.lock);
    s.armed.reset();
}

bool Fired() {
    State& s = state();
    const std::lock_guard held(s.lock);
    return s.fired;
}

FileCounts Counts() {
    State& s = state();
    const std::lock_guard held(s.lock);
    return s.counts;
}

void ResetCounts() {
    State& s = state();
    const std::lock_guard held(s.lock);
    s.counts = {};
}

int Before(FileStep step) {
    State& s = state();
    const std::lock_guard held(s.lock);
    const std::int64_t call = ++s.counts.calls[static_cast<int>(step)];
    const std::optional<FileFault>& f = s.armed;
    if (!f || f->step != step || (step == FileStep::Write && f->byte > 0)) return 0;
    if (call < f->call || (call > f->call && !f->lasting)) return 0;
    s.fired = true;
    return f->error;
}

std::size_t Writable(std::size_t size, int& error) {
    State& s = state();
    const std::lock_guard held(s.lock);
    const std::int64_t call = ++s.counts.calls[static_cast<int>(FileStep::Write)];
    const std::int64_t first = s.counts.bytes + 1;  // the number of the write's first byte
    const std::optional<FileFault>& f = s.armed;
    std::size_t allowed = size;
    if (f && f->step == FileStep::Write && (f->lasting || !s.fired)) {
        if (f->byte > 0) {
            const std::int64_t last = first + static_cast<std::int64_t>(size) - 1;
            if (size > 0 && last >= f->byte)
                allowed = first >= f->byte ? 0 : static_cast<std::size_t>(f->byte - first);
        } else if (call == f->call || (call > f->call && f->lasting)) {
            allowed = 0;
        }
    }
    s.counts.bytes += static_cast<std::int64_t>(allowed);
    if (allowed < size) {
        s.fired = true;
        error = f->error;
    }
    return allowed;
}

}  // namespace mw::file_faults
