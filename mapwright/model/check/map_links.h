#pragma once
// Links made and removed between two systems of the map, as the map
// picture's drag and its context menu make them: both design files change
// together, and the change is a CheckFix (file edits that can be taken back
// while the files hold what it left).

#include <cstddef>
#include <filesystem>

#include "check/check_fixes.h"
#include "map/map_project_record.h"

namespace mw {

/// Links the first free jump node (one leading to "0") of system `from` with
/// the first free one of system `to` (indices into the map's filled slots),
/// both ways. UserError saying why when it cannot be: the same system, a
/// design file that cannot be read, a system without a free jump node, or a
/// node id longer than a leads-to keeps.
CheckFix LinkSystemsBothWays(const MapProjectRecord& map, const std::filesystem::path& folder,
                             std::size_t from, std::size_t to);

/// Removes the link between the two systems: the first pair of their nodes
/// leading to each other both lead to "0"; without such a pair, the first
/// node of `from` leading to a node of `to` does. UserError when none does.
CheckFix UnlinkSystems(const MapProjectRecord& map, const std::filesystem::path& folder,
                       std::size_t from, std::size_t to);

}  // namespace mw
