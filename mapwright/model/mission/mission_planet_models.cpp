#include "mission/mission_tables.h"

namespace mw::mission {

namespace {

using O = ModelKeyOrder;

// One model a row, in the order the mission lists them:
// type, model, modelname, special, ambient, radius, ambient2, radius2, texture, clouds, glow,
// glow colour, order
// clang-format off
constexpr PlanetModel kModels[] = {
    {"LIFELESS", "t1", "planet_viz", 0, "143, 125, 59", "10", {}, {}, "elttelen08.tga", 1, 1, "111, 122, 76", O::A},
    {"LIFELESS", "t2", "planet_norm", 0, "185, 144, 108", "10", {}, {}, "elttelen01.tga", 0, 1, "80, 90, 95", O::A},
    {"LIFELESS", "t3", "planet_norm", 0, "74, 94, 100", "10", {}, {}, "elttelen02.tga", 0, 1, "35, 66, 88", O::A},
    {"LIFELESS", "t4", "planet_norm", 0, "83, 90, 130", "10", {}, {}, "elttelen03.tga", 1, 1, "35, 66, 113", O::A},
    {"LIFELESS", "t5", "planet_norm", 0, "42, 73, 94", "10", {}, {}, "elttelen05.tga", 1, 1, "45, 105, 110", O::A},
    {"LIFELESS", "t6", "planet_norm", 0, "115, 115, 154", "10", {}, {}, "elttelen06.tga", 1, 1, "80, 75, 110", O::A},
    {"LIFELESS", "t7", "planet_norm", 0, "77, 99, 95", "10", {}, {}, "elttelen07.tga", 1, 1, "95, 80, 110", O::A},
    {"LIFELESS", "t8", "planet_norm", 0, "154, 144, 120", "10", {}, {}, "elttelen04.tga", 0, 1, "85, 90, 95", O::A},
    {"LIFELESS", "mercury", "planet_norm", 1, "102, 70, 40", "30", {}, {}, "mercury.tga", 0, 1, "156, 138, 103", O::B},
    {"LIFELESS", "callisto", "planet_norm", 1, "143, 125, 59", "10", {}, {}, "callisto.tga", 0, 0, "0, 0, 0", O::B},
    {"LIFELESS", "ganymede", "planet_norm", 1, "143, 125, 59", "10", {}, {}, "ganymede.tga", 0, 0, "0, 0, 0", O::B},
    {"LIFELESS", "rhea", "planet_norm", 1, "143, 125, 59", "10", {}, {}, "moonmap.tga", 0, 0, "0, 0, 0", O::B},
    {"LIFELESS", "triton", "planet_norm", 1, "143, 125, 59", "10", {}, {}, "moonmap.tga", 0, 0, "0, 0, 0", O::B},
    {"LIFELESS", "titan", "planet_norm", 1, "143, 125, 59", "10", {}, {}, "moonmap.tga", 0, 0, "0, 0, 0", O::B},
    {"LIFELESS", "charon", "planet_norm", 1, "143, 125, 59", "10", {}, {}, "europa.tga", 0, 0, "0, 0, 0", O::B},
    {"LIFELESS", "titania", "planet_norm", 1, "143, 125, 59", "10", {}, {}, "moonmap.tga", 0, 0, "0, 0, 0", O::B},
    {"LIFELESS", "oberon", "planet_norm", 1, "143, 125, 59", "10", {}, {}, "moonmap.tga", 0, 0, "0, 0, 0", O::B},
    {"ACID", "t1", "planet_norm", 0, "90, 125, 131", "10", {}, {}, "savas01.tga", 1, 1, "60, 124, 134", O::A},
    {"ACID", "t2", "planet_norm", 0, "118, 125, 131", "10", {}, {}, "savas02.tga", 1, 1, "102, 116, 122", O::A},
    {"ACID", "venus", "planet_norm", 1, "143, 115, 59", "10", {}, {}, "venus.tga", 0, 1, "221, 201, 159", O::B},
    {"VOLCANIC", "t1", "planet_vulkan", 0, "218, 93, 34", "10", {}, {}, "vulkanikus01.tga", 0, 1, "90, 100, 122", O::A},
    {"VOLCANIC", "t2", "planet_vulkan", 0, "120, 70, 50", "10", {}, {}, "vulkanikus02.tga", 0, 1, "90, 130, 120", O::A},
    {"VOLCANIC", "t3", "planet_vulkan", 0, "185, 80, 30", "10", {}, {}, "vulkanikus03.tga", 0, 1, "90, 130, 120", O::A},
    {"VOLCANIC", "t4", "planet_vulkan", 0, "70, 42, 28", "10", {}, {}, "vulkanikus04.tga", 0, 1, "90, 130, 135", O::A},
    {"VOLCANIC", "io", "planet_norm", 1, "143, 105, 59", "10", {}, {}, "io.tga", 0, 1, "127, 104, 55", O::B},
    {"ROCKY", "t1", "planet_viz", 0, "91, 82, 74", "10", {}, {}, "sziklas01.tga", 1, 1, "88, 120, 110", O::E},
    {"ROCKY", "t2", "planet_viz", 0, "117, 115, 142", "10", {}, {}, "sziklas02.tga", 1, 1, "75, 80, 90", O::A},
    {"ROCKY", "t3", "planet_viz", 0, "117, 125, 10", "10", {}, {}, "sziklas02f.tga", 0, 1, "55, 60, 90", O::A},
    {"ROCKY", "t4", "planet_viz", 0, "104, 106, 115", "10", {}, {}, "sziklas03.tga", 0, 1, "60, 90, 100", O::A},
    {"ROCKY", "t5", "planet_norm", 0, "91, 82, 74", "10", {}, {}, "sziklas01.tga", 0, 1, "50, 70, 75", O::A},
    {"ROCKY", "t6", "planet_norm", 0, "122, 108, 102", "10", {}, {}, "sziklas05.tga", 0, 1, "60, 90, 100", O::A},
    {"ROCKY", "moon", "planet_norm", 1, "133, 125, 120", "10", {}, {}, "moon.tga", 0, 0, "0, 0, 0", O::B},
    {"ROCKY", "pluto", "planet_norm", 1, "123, 105, 59", "10", {}, {}, "pluto.tga", 0, 0, "0, 0, 0", O::B},
    {"DESERT", "t1", "planet_norm", 0, "161, 147, 139", "10", {}, {}, "sivatag04.tga", 0, 1, "50, 65, 80", O::C},
    {"DESERT", "t2", "planet_norm", 0, "91, 82, 74", "10", {}, {}, "sivatag01.tga", 0, 1, "30, 38, 28", O::C},
    {"DESERT", "t3", "planet_norm", 0, "117, 115, 142", "10", {}, {}, "sivatag02.tga", 0, 1, "40, 38, 29", O::C},
    {"DESERT", "t4", "planet_norm", 0, "104, 106, 115", "10", {}, {}, "sivatag03.tga", 0, 1, "40, 35, 35", O::C},
    {"ARCTIC", "t1", "planet_viz", 0, "129, 137, 166", "10", {}, {}, "jeges05.tga", 0, 1, "109, 122, 128", O::C},
    {"ARCTIC", "t2", "planet_viz", 0, "128, 149, 171", "10", {}, {}, "jeges03.tga", 0, 1, "109, 122, 128", O::C},
    {"ARCTIC", "t3", "planet_viz", 0, "169, 171, 166", "10", {}, {}, "jeges01.tga", 1, 1, "115, 144, 173", O::C},
    {"ARCTIC", "t4", "planet_viz", 0, "168, 170, 171", "10", {}, {}, "jeges04.tga", 0, 1, "69, 82, 96", O::C},
    {"ARCTIC", "europa", "planet_norm", 1, "143, 125, 110", "10", {}, {}, "europa.tga", 0, 0, "0, 0, 0", O::D},
    {"PLAINS", "t1", "planet_norm", 0, "73, 97, 77", "10", {}, {}, "fuvespuszta02.tga", 1, 1, "85, 100, 85", O::C},
    {"PLAINS", "t2", "planet_norm", 0, "47, 74, 55", "10", {}, {}, "fuvespuszta01.tga", 1, 1, "85, 105, 90", O::C},
    {"PLAINS", "t3", "planet_viz", 0, "118, 128, 118", "10", {}, {}, "tundra.tga", 1, 1, "85, 105, 90", O::C},
    {"SWAMP", "t1", "planet_norm", 0, "86, 101, 99", "10", {}, {}, "mocsaras01.tga", 1, 1, "72, 100, 90", O::C},
    {"SWAMP", "t2", "planet_norm", 0, "54, 55, 12", "10", {}, {}, "mocsaras02.tga", 1, 1, "80, 110, 90", O::C},
    {"FOREST", "t1", "planet_norm", 0, "73, 94, 77", "10", {}, {}, "fuvespuszta02.tga", 1, 1, "85, 100, 85", O::A},
    {"OCEAN", "t1", "planet_viz", 0, "96, 116, 133", "10", {}, {}, "ocean03.tga", 1, 1, "80, 125, 140", O::C},
    {"OCEAN", "t2", "planet_viz", 0, "80, 131, 123", "10", {}, {}, "ocean01.tga", 1, 1, "80, 155, 140", O::C},
    {"OCEAN", "t3", "planet_viz", 0, "86, 113, 139", "10", {}, {}, "ocean02.tga", 1, 1, "52, 120, 170", O::C},
    {"TERRAN", "t1", "planet_viz", 0, "59, 75, 59", "10", {}, {}, "terrain01.tga", 1, 1, "40, 100, 170", O::C},
    {"TERRAN", "t2", "planet_viz", 0, "98, 120, 105", "10", {}, {}, "terrain02.tga", 1, 1, "60, 90, 130", O::C},
    {"TERRAN", "t3", "planet_viz", 0, "98, 120, 105", "10", {}, {}, "terrain03.tga", 1, 1, "50, 95, 115", O::C},
    {"TERRAN", "earth", "planet_viz", 1, "40, 95, 140", "6", {}, {}, "earth.tga", 1, 1, "0, 113, 171", O::B},
    {"TERRAN", "mars", "planet_norm", 1, "75, 40, 30", "10", {}, {}, "mars.tga", 0, 0, "133, 168, 186", O::B},
    {"GAIA", "t1", "planet_viz", 0, "25, 70, 50", "10", "89, 120, 128", "10", "gaia01.tga", 1, 1, "53, 124, 165", O::F},
    {"GAS_GIANT", "t1", "planet_norm", 0, "203, 107, 117", "10", {}, {}, "gaz01.tga", 1, 1, "160, 180, 193", O::C},
    {"GAS_GIANT", "t2", "planet_norm", 0, "135, 177, 207", "10", {}, {}, "gaz02.tga", 0, 1, "60, 80, 93", O::C},
    {"GAS_GIANT", "t3", "planet_norm", 0, "166, 166, 133", "10", {}, {}, "gaz03.tga", 1, 1, "90, 80, 93", O::C},
    {"GAS_GIANT", "t4", "planet_norm", 0, "70, 99, 122", "10", {}, {}, "gaz04.tga", 0, 1, "20, 50, 100", O::C},
    {"GAS_GIANT", "t5", "planet_norm", 0, "131, 129, 117", "10", {}, {}, "gaz05.tga", 0, 1, "72, 89, 80", O::C},
    {"GAS_GIANT", "jupiter", "planet_norm", 1, "140, 120, 105", "10", {}, {}, "jupiter.tga", 0, 1, "201, 150, 109", O::D},
    {"GAS_GIANT", "saturn", "planet_norm", 1, "110, 100, 70", "10", {}, {}, "saturn.tga", 0, 1, "222, 184, 147", O::D},
    {"GAS_GIANT", "neptune", "planet_norm", 1, "30, 100, 180", "10", {}, {}, "neptune.tga", 0, 1, "96, 135, 236", O::B},
    {"GAS_GIANT", "uranus", "planet_norm", 1, "50, 120, 160", "10", {}, {}, "uranus.tga", 0, 1, "152, 179, 190", O::D},
};
// clang-format on

}  // namespace

std::span<const PlanetModel> planetModels() {
    return kModels;
}

}  // namespace mw::mission
