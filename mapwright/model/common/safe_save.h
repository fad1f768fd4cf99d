#pragma once
// The one way the editor writes a file: the bytes go to a temporary file
// beside the target (TARGET.tmp-XXXXXX), which commit() flushes, syncs and
// renames over the target in one step, then syncs the folder. At every moment
// the target holds its old or its new content; the temporary file is removed
// on any failure, when the SafeSave ends without commit(), and when SIGINT,
// SIGTERM or SIGHUP ends the process. The new file keeps the old one's
// permission bits and, where the process may, its group; a file that did not
// exist gets 0666 less the umask. Only a regular file (or none) is replaced;
// a symbolic link at the target is replaced, not written through. Every step
// goes through the file layer (file_layer.h), and every failure names the
// target.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/temp_file_guard.h"

namespace mw {

class SafeSave {
  public:
    explicit SafeSave(std::string target);
    ~SafeSave();
    SafeSave(const SafeSave&) = delete;
    SafeSave& operator=(const SafeSave&) = delete;

    void write(const void* data, std::size_t size);
    /// The first half of commit(): every byte is on the disk in the
    /// temporary file; the target is not touched yet.
    void prepare();
    /// The target gets the bytes written; IoError naming it on failure.
    void commit();

    const std::string& target() const { return target_; }

  private:
    void flush();
    void discard();

    std::string target_;
    std::string temp_;
    std::unique_ptr<TempFileGuard> guard_;
    int fd_ = -1;
    bool prepared_ = false;
    std::string buffer_;
};

/// Replaces the file with the bytes through a SafeSave.
void SaveFileBytes(const std::string& path, const std::string& bytes);

/// A file's new content; none: the file is to be removed.
struct FileContent {
    std::string path;
    std::optional<std::string> bytes;
};

/// Files that belong together (the two name lists) are all replaced or none
/// is: each new file is written and synced first, only then are they moved
/// into place, and when one cannot be, those already replaced get their old
/// bytes back. IoError naming the file that failed (and any that could not
/// be put back).
void ReplaceFilesTogether(const std::vector<FileContent>& files);

}  // namespace mw
