#pragma once
// The wizard's map after a load: each slot whose design file is no longer
// where the project file says gets the file of the same name beside it.

#include <string>
#include <vector>

#include "map/design_file_lookup.h"
#include "project/map_project.h"

namespace mw {

/// What a lookup over the slots found.
struct SlotLookup {
    /// One note per replaced path, naming the system, the stored path and the one used.
    std::vector<std::string> replaced;
    /// Systems whose design file is in neither place: "system 'Alpha': " and
    /// the DesignFileProblem.
    std::vector<std::string> missing;
};

/// Replaces each filled slot's missing design file by the file of the same
/// name beside the project file; a design file found nowhere is reported and
/// its slot keeps the stored path.
SlotLookup LocateSlotFiles(MapProject& project, const std::string& projectPath);

}  // namespace mw
