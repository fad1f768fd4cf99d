#pragma once
// The one way the editor writes a file: the bytes go to a temporary file
// beside the target, which commit() flushes, syncs and renames over the
// target in one step. At every moment the target holds its old or its new
// content; the temporary file is removed on any failure, when the SafeSave
// ends without commit(), and when SIGINT, SIGTERM or SIGHUP ends the process.
// Only a regular file (or none) is replaced; a symbolic link at the target is
// replaced, not written through.

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

#include "common/temp_file_guard.h"

namespace mw {

class SafeSave {
  public:
    /// A fresh temporary file named after the target (TARGET.tmp-XXXXXX).
    explicit SafeSave(std::string target);
    /// The named scratch file as the temporary (a name list's "temp.dat");
    /// one left by an earlier run is replaced. Failures before the rename
    /// name the scratch file.
    SafeSave(std::string target, std::string scratch);
    ~SafeSave();
    SafeSave(const SafeSave&) = delete;
    SafeSave& operator=(const SafeSave&) = delete;

    void write(const void* data, std::size_t size);
    /// The target gets the bytes written; IoError naming the file on failure.
    void commit();

    const std::string& target() const { return target_; }

  private:
    void open(int fd);
    void discard();

    std::string target_;
    std::string temp_;
    std::string reported_;  // the name failures before the rename give
    std::unique_ptr<TempFileGuard> guard_;
    std::FILE* f_ = nullptr;
};

/// Replaces the file with the bytes through a SafeSave.
void SaveFileBytes(const std::string& path, const std::string& bytes);

}  // namespace mw
