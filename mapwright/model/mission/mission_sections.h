#pragma once
// The writers of the mission source's top-level sections, called in file
// order by GenerateMissionInfText.

#include <vector>

#include "map/map_project_record.h"
#include "map/map_systems.h"
#include "mission/mission_random.h"
#include "mission/mission_writer.h"

namespace mw::mission {

void writeHeader(MissionWriter& out, const MapProjectRecord& map);
void writePlanetTypes(MissionWriter& out);
void writeRaces(MissionWriter& out);
/// The map's systems, read before anything is written, in slot order.
void writeSolarSystems(MissionWriter& out, const std::vector<MapSystem>& systems,
                       MissionRandom& random);
void writeEmpires(MissionWriter& out, const MapProjectRecord& map);

/// Number of player empires the map declares, held to 0..8 so that a damaged
/// count can neither read past the empire records nor write without end.
int declaredEmpires(const MapProjectRecord& map);
/// True when the count is one the game accepts (2, 4 or 8).
bool playableEmpireCount(const MapProjectRecord& map);

}  // namespace mw::mission
