#include "project/project_check.h"

#include "check/checked_map.h"
#include "check/map_check.h"
#include "map/design_file_lookup.h"

namespace mw {

std::vector<MapProblem> CheckMap(const MapProject& project) {
    return CheckMap(BuildProjectRecord(project), ProjectFolder(project.projectFile));
}

MapGraph BuildMapGraph(const MapProject& project) {
    const MapProjectRecord map = BuildProjectRecord(project);
    const std::vector<CheckedSystem> systems =
        ReadCheckedSystems(map, ProjectFolder(project.projectFile));
    return BuildMapGraph(systems, CheckMap(map, systems));
}

}  // namespace mw
