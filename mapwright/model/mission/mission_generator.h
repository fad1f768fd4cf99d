#pragma once
// Writes a map's complete mission source in the game's INF text language:
// header, planet types, races, inventions, the map's solar systems, empires
// and heroes.

#include <cstdint>
#include <optional>
#include <string>

#include "map/map_project_record.h"
#include "mission/mission_random.h"

namespace mw {

/// The mission source of the map. Section-name numbers come from the random
/// source, seeded from the clock unless a seed is given (the same seed gives
/// the same text byte for byte). A design file that is missing, empty or
/// damaged raises IoError naming it; a text that the mission source cannot
/// carry (a double quote or a control character in a string, ...) raises
/// UnsafeTextError naming the system, the object and the field.
std::string GenerateMissionInfText(const MapProjectRecord& map, std::optional<std::uint32_t> seed);
std::string GenerateMissionInfText(const MapProjectRecord& map, MissionRandom& random);

/// Generates the text and writes it to outputPath in one replace: a failed
/// generation or write leaves an existing file as it was. IoError names the
/// failing file.
void GenerateMissionInf(const MapProjectRecord& map, const std::string& outputPath,
                        std::optional<std::uint32_t> seed);

}  // namespace mw
