#include "project/project_check.h"

#include "check/checked_map.h"
#include "check/map_check.h"
#include "map/design_file_lookup.h"

namespace mw {

std::vector<MapProblem> CheckMap(const MapProject& project) {
    return CheckMap(BuildProjectRecord(project), ProjectFolder(project.projectFile));
}

MapGraph BuildMapGraph(const MapProject& project) {
    return BuildMapGraph(BuildProjectRecord(project), ProjectFolder(project.projectFile));
}

}  // namespace mw
