#include "mission/mission_tables.h"

#include <array>

namespace mw::mission {

namespace {

constexpr std::string_view kNoTarget{};

constexpr std::array<PlanetType, 13> kPlanetTypes{{
    {"LIFELESS",
     "#iNEW_INF_1#",
     {20, 1, kNoTarget, "bio_adv08"},
     {60, 2, "ACID", "bio_bas05"},
     {125, 5, kNoTarget, "Gns_bas00"}},
    {"ACID",
     "#iINF_2#",
     {20, 1, kNoTarget, "bio_adv08"},
     {70, 3, "ROCKY", "Gns_bas00"},
     {100, 4, kNoTarget, "Gns_bas00"}},
    {"VOLCANIC",
     "#iINF_3#",
     {30, 1, kNoTarget, "bio_bas03"},
     {125, 5, kNoTarget, "Gns_bas00"},
     {100, 4, kNoTarget, "Gns_bas00"}},
    {"ROCKY",
     "#iINF_4#",
     {30, 1, kNoTarget, "bio_bas03"},
     {90, 4, kNoTarget, "Gns_bas00"},
     {100, 4, kNoTarget, "Gns_bas00"}},
    {"DESERT",
     "#iINF_5#",
     {50, 1, kNoTarget, "bio_bas03"},
     {100, 4, kNoTarget, "Gns_bas00"},
     {60, 3, "VOLCANIC", "Gns_bas00"}},
    {"ARCTIC",
     "#iINF_6#",
     {40, 1, kNoTarget, "bio_bas03"},
     {30, 4, kNoTarget, "Gns_bas00"},
     {80, 3, "ROCKY", "Gns_bas00"}},
    {"PLAINS",
     "#iINF_7#",
     {60, 2, "FOREST", "bio_bas05"},
     {80, 3, "DESERT", "Gns_bas00"},
     {60, 2, "DESERT", "bio_bas05"}},
    {"SWAMP",
     "#iINF_8#",
     {70, 2, "OCEAN", "bio_bas05"},
     {70, 3, "ARCTIC", "Gns_bas00"},
     {40, 2, "ARCTIC", "bio_bas05"}},
    {"FOREST",
     "#iINF_9#",
     {70, 3, kNoTarget, "Gns_bas00"},
     {60, 2, "PLAINS", "bio_bas05"},
     {40, 1, "PLAINS", "bio_bas03"}},
    {"OCEAN",
     "#iINF_10#",
     {80, 3, kNoTarget, "Gns_bas00"},
     {60, 2, "SWAMP", "bio_bas05"},
     {30, 1, "SWAMP", "bio_bas03"}},
    {"TERRAN",
     "#iINF_11#",
     {100, 4, kNoTarget, "Gns_bas00"},
     {50, 1, "OCEAN", "bio_bas03"},
     {20, 1, kNoTarget, "bio_adv08"}},
    {"GAIA",
     "#iINF_12#",
     {125, 5, kNoTarget, "Gns_bas00"},
     {50, 1, "FOREST", "bio_adv08"},
     {20, 1, kNoTarget, "bio_adv08"}},
    {"GAS_GIANT",
     "#iINF_13#",
     {0, 0, kNoTarget, "Gns_bas01"},
     {0, 0, kNoTarget, "Gns_bas01"},
     {0, 0, kNoTarget, "Gns_bas01"}},
}};

constexpr Race kRaces[] = {
    {"NONE", 0, 0, 0, {}, false},
    {"HUMAN", 1, 1, 3000, "Human", false},
    {"KARIAK", 2, 1, 2500, "Kariak", false},
    {"DARZOK", 3, 1, 2500, "Darzok", true},
};

constexpr std::string_view kEmpireColors[] = {
    "246, 0, 0",    "64, 211, 64",  "74, 74, 255",  "214, 219, 45",
    "52, 189, 186", "129, 43, 195", "158, 29, 120", "194, 144, 28",
};

}  // namespace

std::span<const PlanetType> planetTypes() {
    return kPlanetTypes;
}
std::span<const Race> races() {
    return kRaces;
}

std::string_view empireColor(int number) {
    if (number < 1 || number > static_cast<int>(std::size(kEmpireColors))) return {};
    return kEmpireColors[number - 1];
}

}  // namespace mw::mission
