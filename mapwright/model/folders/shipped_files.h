#pragma once
// Where the files that ship with the editor are found: the tool pictures, the
// program icon, the About banner, the help pages and the default name
// database. Each is looked for beside the executable first (the build folder,
// or a copy unpacked anywhere keeps working), then in the installed data
// folder, ../share/mapwright relative to the executable.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "names/name_settings.h"  // kDefaultNameDatabase, shipped as well

namespace mw {

/// The installed data folder, relative to the folder of the executable.
inline constexpr std::string_view kDataFromBin = "../share/mapwright";

class ShippedFiles {
  public:
    /// The folders in the order they are searched.
    explicit ShippedFiles(std::vector<std::filesystem::path> folders)
        : folders_(std::move(folders)) {}
    /// An executable in exeDir: exeDir, then exeDir/dataFromBin.
    static ShippedFiles ForExecutable(const std::filesystem::path& exeDir,
                                      std::string_view dataFromBin = kDataFromBin);

    const std::vector<std::filesystem::path>& folders() const { return folders_; }

    /// The first folder's regular file of that relative name, if any has one.
    std::optional<std::filesystem::path> find(const std::filesystem::path& relative) const;
    /// find(), or else the name in the first folder, so a message names a place.
    std::filesystem::path locate(const std::filesystem::path& relative) const;

  private:
    std::vector<std::filesystem::path> folders_;
};

/// The shipped page that stands for a help file name: "readme.hlp" is
/// "help/readme.html".
std::filesystem::path HelpPageFor(std::string_view helpFileName);

/// Every file an installation must hold, as relative names: the tool
/// pictures, the banner, the program icon, the help pages and main.ond.
std::vector<std::string> ShippedFileNames();

}  // namespace mw
