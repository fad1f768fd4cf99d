#pragma once
// The check and the map picture's graph of the map the wizard holds, its
// design files looked up beside the project file it was loaded from.

#include <vector>

#include "check/map_graph.h"
#include "check/map_problem.h"
#include "project/map_project.h"

namespace mw {

/// Every problem of the wizard's map (see CheckMap over a record).
std::vector<MapProblem> CheckMap(const MapProject& project);
/// Reads the wizard map's design files (looked up as CheckMap does) and checks the map.
MapGraph BuildMapGraph(const MapProject& project);

}  // namespace mw
