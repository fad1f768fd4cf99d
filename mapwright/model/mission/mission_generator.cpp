#include "mission/mission_generator.h"

#include <string>

#include "common/safe_save.h"
#include "mission/mission_sections.h"
#include "mission/mission_text_safety.h"

namespace mw {

namespace mission {

int declaredEmpires(const MapProjectRecord& map) {
    if (map.empireCount < 0) return 0;
    return map.empireCount > kMaxEmpires ? kMaxEmpires : map.empireCount;
}

bool playableEmpireCount(const MapProjectRecord& map) {
    return map.empireCount == 2 || map.empireCount == 4 || map.empireCount == 8;
}

void writeHeader(MissionWriter& out, const MapProjectRecord& map) {
    out.keyString("MultiPlayerName", map.mapName.view());
    out.keyString("MultiPlayerDesc", map.description.view());
    std::string names;
    for (int k = 1; k <= declaredEmpires(map); ++k) {
        if (k > 1) names += ", ";
        names += quoted("Empire" + std::to_string(k));
    }
    out.key("PlayerEmpireName", names);
    out.keyString("NextLevelName", "");
    out.keyString("Script", "");
    out.key("WinAutomaticly", 1);
    out.key("TransferNeededToSave", 0);
    out.key("TransferNeededToSelect", 0);
    out.key("TransferSquadsNr", 0);
    out.key("TransferHeroesNr", 0);
    out.keyString("PlayerSolarSystem", "");
    out.key("PlayerStartPos", "0, 0, 0");
    out.key("LevelNr", 100);
}

}  // namespace mission

std::string GenerateMissionInfText(const MapProjectRecord& map, MissionRandom& random) {
    // Every design file is read and every text checked before a line is
    // written: a failing file or a text the mission cannot carry ends the
    // generation with nothing written.
    const std::vector<MapSystem> systems = ReadMapSystems(map);
    RequireSafeMissionText(map, systems);

    MissionWriter out;
    mission::writeHeader(out, map);
    mission::writePlanetTypes(out);
    mission::writeRaces(out);
    out.emptySection("Inventions");
    mission::writeSolarSystems(out, systems, random);
    mission::writeEmpires(out, map);
    out.emptySection("Heroes");
    return out.take();
}

std::string GenerateMissionInfText(const MapProjectRecord& map, std::optional<std::uint32_t> seed) {
    MissionRandom random(seed);
    return GenerateMissionInfText(map, random);
}

void GenerateMissionInf(const MapProjectRecord& map, const std::string& outputPath,
                        std::optional<std::uint32_t> seed) {
    SaveFileBytes(outputPath, GenerateMissionInfText(map, seed));
}

}  // namespace mw
