#pragma once
// The fixes the map check offers where one is safe: a one-way link made
// two-way (the partner's design file leads back), a system listed under
// another name than its sun's (the map takes the sun's name), and a node
// leading nowhere (it leads to "0"). A fix is worked out from the files as
// they are when it is asked for, and is a set of file edits, which can be
// taken back while the files hold what the fix left, and at most one rename
// of a slot of the map.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "check/map_problem.h"
#include "common/file_edit.h"
#include "map/map_project_record.h"

namespace mw {

/// A slot of the map takes another system name.
struct SlotRename {
    std::size_t slot = 0;
    std::string from;
    std::string to;
};

struct CheckFix {
    std::string caption;  // "Make two-way", "Use the sun's name", "Set to 0"
    std::string change;   // what it changes, one line for the map maker
    std::vector<FileEdit> files;
    std::optional<SlotRename> rename;
};

namespace fix_caption {
inline constexpr std::string_view kMakeTwoWay = "Make two-way";
inline constexpr std::string_view kUseSunName = "Use the sun's name";
inline constexpr std::string_view kSetToZero = "Set to 0";
}  // namespace fix_caption

/// The fix of the problem, read from the map's design files as they are now
/// (a stored path that names no file is looked up in projectFolder); nothing
/// when the problem has none that is safe: a one-way link whose partner
/// leads to another node (its own link would be lost), a sun name another
/// slot already uses, a problem the files no longer show.
std::optional<CheckFix> FixFor(const MapProblem& problem, const MapProjectRecord& map,
                               const std::filesystem::path& projectFolder);
/// The fix of each problem, in order, the files read once.
std::vector<std::optional<CheckFix>> FixesFor(const std::vector<MapProblem>& problems,
                                              const MapProjectRecord& map,
                                              const std::filesystem::path& projectFolder);

/// The edit of the project file at `path` that renames the slot, every other
/// field kept. IoError naming the file when it cannot be read.
FileEdit ProjectRenameEdit(const std::string& path, const SlotRename& rename);

}  // namespace mw
