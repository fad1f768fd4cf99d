#pragma once
// Between the model's names (UTF-8 strings) and std::filesystem's paths. On
// POSIX systems a path holds the bytes; on Windows std::filesystem would read
// a narrow string in the C library's code page, not as the file calls read it.

#include <filesystem>
#include <string>

namespace mw::platform {

/// The path of a name; on Windows a name that is no valid UTF-8 is read in
/// the ANSI code page, as every file call reads it.
std::filesystem::path pathOf(const std::string& name);
/// The name (UTF-8 on Windows) of a path.
std::string nameOf(const std::filesystem::path& path);

}  // namespace mw::platform
