#pragma once
// The constant tables of the mission source: planet types with their race
// rows, planet models, races and the player empires' colours. Kept as data so
// the writers only walk them.

#include <cstddef>
#include <span>
#include <string_view>

namespace mw::mission {

struct RaceTerraform {
    int populationModifier;
    int terraformLevel;
    std::string_view wantedTarget;  // empty: no TerraformWantedTarget line
    std::string_view invention;
};

struct PlanetType {
    std::string_view name;   // section name, also the ID order
    std::string_view token;  // name block value
    RaceTerraform human, kariak, darzok;
};

/// The order in which a model section lists its keys.
enum class ModelKeyOrder { A, B, C, D, E, F };

struct PlanetModel {
    std::string_view type;  // the PlanetType it belongs to
    std::string_view name;  // section name
    std::string_view modelname;
    int isSpecial;
    std::string_view ambientColor;
    std::string_view ambientRadius;
    std::string_view ambientColor2;   // only order F
    std::string_view ambientRadius2;  // only order F
    std::string_view texture;         // file name below planets/
    int cloudState;                   // Cloud0State and Cloud1State
    int glowState;
    std::string_view glowColor;
    ModelKeyOrder order;
};

struct Race {
    std::string_view section;
    int id;
    int isMainRace;
    int populationBase;
    std::string_view nameValue;  // empty: no name block
    bool extraLanguages;         // polish, extra1..extra4 after spanish
};

std::span<const PlanetType> planetTypes();
std::span<const PlanetModel> planetModels();
std::span<const Race> races();
/// Colour of player empire 1..8 as written ("246, 0, 0").
std::string_view empireColor(int number);

}  // namespace mw::mission
