#pragma once
// The data of one map: up to ten system design files and the settings of the
// eight empires, as stored in a map project file (*.vmpf) and as handed to the
// mission generator.

#include <array>
#include <cstdint>
#include <string>

#include "common/fixed_string.h"

namespace mw {

inline constexpr int kMaxSystems = 10;
inline constexpr int kMaxEmpires = 8;

struct SystemSlot {
    FixedString<125> systemName;  // the sun record's name; empty = empty slot
    FixedString<255> designFile;  // full path of the *.sdf file
    bool empty() const { return systemName.empty(); }
    bool operator==(const SystemSlot&) const = default;
};

struct EmpireSetup {
    FixedString<125> name;
    FixedString<40> aiMode;
    FixedString<40> race;
    std::int32_t money = 0;
    FixedString<40> team;
    FixedString<40> researchList;
    std::int32_t maxSpyGroups = 0;
    std::int32_t maxShipGroups = 0;
    std::int32_t maxSpecialGroups = 0;
    bool operator==(const EmpireSetup&) const = default;

    /// The settings of a new map's empire number 1..8 (AI1/Team1 ...).
    static EmpireSetup defaults(int number) {
        EmpireSetup e;
        e.name = "AI" + std::to_string(number);
        e.aiMode = "Standard";
        e.race = "Human";
        e.money = 1000;
        e.team = "Team" + std::to_string(number);
        e.researchList = "Standard";
        e.maxSpyGroups = 4;
        e.maxShipGroups = 15;
        e.maxSpecialGroups = 6;
        return e;
    }
};

/// One map as saved: the filled slots come first (0..count-1); only the first
/// empireCount empire records are meaningful.
struct MapProjectRecord {
    std::array<SystemSlot, kMaxSystems> systems{};
    FixedString<125> mapName;
    FixedString<255> description;
    std::int32_t empireCount = 2;
    std::array<EmpireSetup, kMaxEmpires> empires{};
    bool operator==(const MapProjectRecord&) const = default;
};

}  // namespace mw
