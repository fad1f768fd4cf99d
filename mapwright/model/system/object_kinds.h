#pragma once
// What each of the seven object kinds is called and how the designer shows it,
// in one table that the messages, the markers and the tools read: a kind's
// new name is one edit here.

#include <array>
#include <cstddef>
#include <string_view>

#include "system/object_records.h"

namespace mw {

enum class Tool { Planet, Ship, Asteroid, MicroAsteroid, Wreck, Nebula, JumpNode, Delete };

struct KindInfo {
    ObjectKind kind;
    Tool tool;                  // the tool that places it
    std::string_view singular;  // one object in messages: "planet" 2
    std::string_view plural;    // the kind in messages: "planets"
    std::string_view caption;   // its marker's caption: "P"
    std::string_view hint;      // its marker's hint, before the index: "Planet"
    std::string_view toolName;  // the placing tool's name: "Planet"
};

/// One row a kind, in the order of ObjectKind.
inline constexpr std::array<KindInfo, kObjectKindCount> kKinds{{
    {ObjectKind::Planet, Tool::Planet, "planet", "planets", "P", "Planet", "Planet"},
    {ObjectKind::MicroAsteroid, Tool::MicroAsteroid, "micro-asteroid field",
     "micro-asteroid fields", "ma", "Microasteroid", "Micro-asteroid"},
    {ObjectKind::Asteroid, Tool::Asteroid, "asteroid", "asteroids", "as", "Minable asteroid",
     "Asteroid"},
    {ObjectKind::Wreck, Tool::Wreck, "wreck", "wrecks", "W", "Wreckage", "Wreckage"},
    {ObjectKind::Nebula, Tool::Nebula, "nebula", "nebulae", "N", "Nebulae", "Nebulae"},
    {ObjectKind::JumpNode, Tool::JumpNode, "jump node", "jump nodes", "J", "Jumpnode", "Jumpnode"},
    {ObjectKind::Ship, Tool::Ship, "ship", "ships", "S", "Ship", "Ship"},
}};

constexpr const KindInfo& kindInfo(ObjectKind kind) {
    return kKinds[static_cast<std::size_t>(kind)];
}

}  // namespace mw
