#pragma once
// The map check: what would keep the map's mission from loading, or from
// playing as the map maker meant, found before the game finds it.

#include <filesystem>
#include <vector>

#include "check/checked_map.h"
#include "check/map_problem.h"
#include "map/map_project_record.h"

namespace mw {

/// Every problem of the map, reading the design files its slots name (a
/// stored path that names no file is looked up in projectFolder, the project
/// file's folder). In order: the map's own problems, then system by system
/// in slot order, each system's own before its objects', the objects by kind
/// and index.
std::vector<MapProblem> CheckMap(const MapProjectRecord& map,
                                 const std::filesystem::path& projectFolder);
/// The same over systems already read.
std::vector<MapProblem> CheckMap(const MapProjectRecord& map,
                                 const std::vector<CheckedSystem>& systems);

}  // namespace mw
