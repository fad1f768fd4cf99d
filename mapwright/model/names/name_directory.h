#pragma once
// Where the name list files live. Their names are relative and are resolved
// against one working directory: the process's current directory in the
// editor (an empty directory), a chosen one in tests and tools.

#include <filesystem>
#include <string>
#include <string_view>

namespace mw {

inline constexpr std::string_view kPoolFile = "p_names.dat";      // planet name pool
inline constexpr std::string_view kUsedListFile = "list.dat";     // names of the planets on the map
inline constexpr std::string_view kPoolScratchFile = "seged.dat";  // while the pool is filtered
inline constexpr std::string_view kListScratchFile = "temp.dat";   // while a list is rewritten

class NameDirectory {
public:
    /// Empty: the current directory at the time of each operation.
    explicit NameDirectory(std::filesystem::path dir = {}) : dir_(std::move(dir)) {}

    /// The path of a list file name in this directory.
    std::string resolve(std::string_view fileName) const {
        if (dir_.empty()) return std::string(fileName);
        return (dir_ / std::filesystem::path(fileName)).string();
    }
    std::string pool() const { return resolve(kPoolFile); }
    std::string usedList() const { return resolve(kUsedListFile); }

    const std::filesystem::path& dir() const { return dir_; }

private:
    std::filesystem::path dir_;
};

}  // namespace mw
