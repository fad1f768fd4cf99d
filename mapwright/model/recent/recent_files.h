#pragma once
// The recent-files list of the System menu: the last design and project
// files opened or saved, most recent first.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mw {

inline constexpr std::size_t kMaxRecentFiles = 8;

enum class EditorFileKind { DesignFile, ProjectFile };

/// A ".vmpf" file (in any case) is a map project, every other file a system design.
EditorFileKind EditorFileKindOf(std::string_view path);
/// The name ends in ".sdf" or ".vmpf", in any case.
bool HasEditorFileExtension(std::string_view path);

/// A folder name longer than this is shortened in the menu from its start.
inline constexpr std::size_t kRecentFolderShown = 48;

/// The menu's text for an entry: the file's name and, in brackets, its
/// folder ("alpha.sdf  (/home/ann/maps/north)"), so two files of one name
/// can be told apart. A long folder keeps its end: ".../maps/north".
std::string RecentFileLabel(const std::string& path);

/// The list once `path` was opened or saved: the file comes first, an
/// earlier entry for it goes (paths compare made absolute and normal), and
/// at most eight stay. Entries are kept absolute.
std::vector<std::string> RememberRecent(const std::vector<std::string>& list,
                                        const std::string& path);

}  // namespace mw
