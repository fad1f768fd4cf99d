#include "map/map_systems.h"

#include "common/errors.h"
#include "system/design_file_reader.h"

namespace mw {

MapSystem ReadMapSystem(const SystemSlot& slot, const std::string& path) {
    if (path.empty())
        throw IoError("(design file of system " + slot.systemName.str() + ")", "open",
                      "no file name stored for the system");
    DesignFile read = ReadDesignFile(path);
    return {slot.systemName.str(), read.header, std::move(read.records)};
}

std::vector<MapSystem> ReadMapSystems(const MapProjectRecord& map) {
    std::vector<MapSystem> systems;
    for (const SystemSlot& slot : map.systems)
        if (!slot.empty()) systems.push_back(ReadMapSystem(slot, slot.designFile.str()));
    return systems;
}

}  // namespace mw
