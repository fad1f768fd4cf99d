#pragma once
// Failures a test makes the file layer meet, as a full or failing disk would:
// the Nth call of one step of a write fails, or the write that carries its
// Nth byte, with the errno chosen. Nothing is armed unless a test arms it;
// the file layer (file_layer.h) asks before every step and counts the steps,
// so a test can first count a write's steps and then fail each in turn.

#include <cerrno>
#include <cstddef>
#include <cstdint>

namespace mw {

/// The steps of a write, in the order a save takes them.
enum class FileStep {
    Create,      // a temporary or new file is created
    Write,       // bytes go into it
    Sync,        // it is flushed to the disk and closed
    Rename,      // it replaces the target (or a file is set aside)
    SyncFolder,  // the folder's entry is flushed to the disk
};
inline constexpr int kFileStepCount = 5;

struct FileFault {
    FileStep step = FileStep::Write;
    /// The Nth call of the step since arming fails (1: the next one).
    std::int64_t call = 1;
    /// For Write, when above 0 (and `call` is then not used): the write that
    /// would carry the Nth byte since arming writes the bytes before it and
    /// fails.
    std::int64_t byte = 0;
    int error = ENOSPC;
    /// Every later call of the step fails too (a disk that stays full);
    /// otherwise the fault fails one call.
    bool lasting = false;
};

/// The calls of each step, and the bytes written, since counting started.
struct FileCounts {
    std::int64_t calls[kFileStepCount] = {};
    std::int64_t bytes = 0;
    std::int64_t of(FileStep step) const { return calls[static_cast<int>(step)]; }
};

namespace file_faults {

/// Arms the fault (replacing one armed before) and starts counting afresh.
void Arm(const FileFault& fault);
/// No fault from now on; the counts go on.
void Disarm();
/// The armed fault has failed a call since it was armed.
bool Fired();
FileCounts Counts();
void ResetCounts();

// For the file layer.
/// Counts one call of the step: 0 when it may run, else the errno to fail with.
int Before(FileStep step);
/// Counts a write of `size` bytes: how many of them may be written (`size`
/// when all); when fewer, `error` gets the errno the write then fails with.
std::size_t Writable(std::size_t size, int& error);

}  // namespace file_faults

/// Arms a fault while it lives.
class ScopedFileFault {
  public:
    explicit ScopedFileFault(const FileFault& fault) { file_faults::Arm(fault); }
    ~ScopedFileFault() { file_faults::Disarm(); }
    ScopedFileFault(const ScopedFileFault&) = delete;
    ScopedFileFault& operator=(const ScopedFileFault&) = delete;
    bool fired() const { return file_faults::Fired(); }
};

}  // namespace mw
