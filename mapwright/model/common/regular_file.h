#pragma once
// Only regular files are read or written: a directory, FIFO, socket or device
// (also behind a symbolic link) is refused with "not a regular file", checked
// without blocking and before any byte moves.

#include <cstdio>
#include <string>

namespace mw {

inline constexpr const char* kNotRegularFile = "not a regular file";

/// Raises IoError(path, operation, "not a regular file") when something other
/// than a regular file is at path (a symbolic link is followed). A missing
/// file passes: writers create it.
void requireRegularOrMissing(const std::string& path, const std::string& operation);

/// Raises IoError when the name holds a NUL byte (read from a file), which
/// would open a shorter name.
void requireWholeName(const std::string& path, const std::string& operation);

/// Opens a regular file for reading with the stdio mode ("rb"). A FIFO would
/// block in open() and a device may be touched by it, so the name is looked
/// at first, the open does not wait, and what was opened is checked again.
/// Failures raise IoError naming the file.
std::FILE* openRegular(const std::string& path, const char* mode);

/// The text of errno for messages.
std::string errnoText();

}  // namespace mw
