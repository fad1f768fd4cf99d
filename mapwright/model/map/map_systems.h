#pragma once
// The map's systems as the generator writes them: each filled slot's name
// with the records of its design file.

#include <string>
#include <vector>

#include "map/map_project_record.h"
#include "system/sdf_record.h"

namespace mw {

struct MapSystem {
    std::string systemName;  // the slot's system name: the system section's name
    SdfRecord sun;           // the design file's first record
    std::vector<SdfRecord> objects;
};

/// Reads the slot's system from the design file at `path`. IoError names a
/// file that is missing, empty or damaged.
MapSystem ReadMapSystem(const SystemSlot& slot, const std::string& path);

/// Every filled slot's system, in slot order, from the paths the slots store.
std::vector<MapSystem> ReadMapSystems(const MapProjectRecord& map);

}  // namespace mw
