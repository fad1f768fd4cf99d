#pragma once
// Where the name files live. The list files' names are relative, and so is the
// default name database "main.ond"; they resolve against one working folder,
// the editor state's (an empty folder means the process's current directory).
// An absolute name database path is used as it is.

#include <filesystem>
#include <string>
#include <string_view>

namespace mw {

inline constexpr std::string_view kPoolFile = "p_names.dat";   // planet name pool
inline constexpr std::string_view kUsedListFile = "list.dat";  // names of the planets on the map

class NameDirectory {
  public:
    /// Empty: the current directory at the time of each operation.
    explicit NameDirectory(std::filesystem::path dir = {}) : dir_(std::move(dir)) {}

    /// The path of a file name in this folder (an absolute name stays as it is).
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
