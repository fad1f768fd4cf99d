#pragma once
// A whole file read at once, for the few places that keep a file's bytes
// (undo snapshots of the name lists, tests). Only regular files are read, and
// opening never blocks on a FIFO.

#include <optional>
#include <string>

namespace mw {

/// The file's bytes, or nothing when no file of that name exists. A path that
/// names something other than a regular file, or a failed read, raises IoError.
std::optional<std::string> ReadFileBytes(const std::string& path);

}  // namespace mw
