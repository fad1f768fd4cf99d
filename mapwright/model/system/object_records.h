#pragma once
// The seven record types of a solar system's object tables.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/fixed_string.h"

namespace mw {

enum class ObjectKind { Planet, MicroAsteroid, Asteroid, Wreck, Nebula, JumpNode, Ship };
inline constexpr int kObjectKindCount = 7;

/// Plural English name of a kind, for messages ("planets", "jump nodes", ...).
std::string_view kindName(ObjectKind kind);

/// One object of a system: its kind and its index in that kind's table.
struct ObjectRef {
    ObjectKind kind = ObjectKind::Planet;
    int index = 0;
    bool operator==(const ObjectRef&) const = default;
};
/// The object for messages: "planet 2", "jump node 1", ...
std::string objectLabel(ObjectRef object);

struct MarkerPos {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const MarkerPos&) const = default;
};

struct PlanetRecord {
    FixedString<15> name;  // key
    FixedString<20> type;
    FixedString<20> model;
    std::int32_t x = 0, y = 0, z = 0;
    FixedString<45> orbitsAround;
    std::int32_t number = 0;
    std::int32_t diameter = 0;
    FixedString<20> owner;
    FixedString<15> race;
    std::int32_t population = 0;
    std::uint8_t deleted = 0;
    MarkerPos marker;
    const auto& key() const { return name; }
    bool operator==(const PlanetRecord&) const = default;
};

struct MicroAsteroidRecord {
    FixedString<35> type;  // key
    std::int32_t x = 0, y = 0, z = 0;
    std::uint8_t deleted = 0;
    MarkerPos marker;
    const auto& key() const { return type; }
    bool operator==(const MicroAsteroidRecord&) const = default;
};

struct AsteroidRecord {
    FixedString<30> type;  // key
    std::int32_t x = 0, y = 0, z = 0;
    std::int32_t capacity = 0;
    std::uint8_t deleted = 0;
    MarkerPos marker;
    const auto& key() const { return type; }
    bool operator==(const AsteroidRecord&) const = default;
};

struct WreckRecord {
    FixedString<20> type;  // key
    std::int32_t x = 0, y = 0, z = 0;
    std::int32_t value = 0;
    std::uint8_t deleted = 0;
    MarkerPos marker;
    const auto& key() const { return type; }
    bool operator==(const WreckRecord&) const = default;
};

struct NebulaRecord {
    std::int32_t x = 0, y = 0, z = 0;
    FixedString<30> type;  // key
    std::uint8_t deleted = 0;
    MarkerPos marker;
    const auto& key() const { return type; }
    bool operator==(const NebulaRecord&) const = default;
};

struct JumpNodeRecord {
    std::int32_t x = 0, y = 0, z = 0;
    FixedString<125> leadsTo;  // key; "0" = not connected
    FixedString<125> nodeId;
    std::uint8_t deleted = 0;
    MarkerPos marker;
    const auto& key() const { return leadsTo; }
    bool operator==(const JumpNodeRecord&) const = default;
};

struct ShipRecord {
    FixedString<50> name;
    std::int32_t x = 0, y = 0, z = 0;
    FixedString<30> owner;
    FixedString<30> type;  // key
    std::uint8_t deleted = 0;
    std::uint8_t deployed = 0;
    std::int32_t rank = 0;
    std::int32_t numberOfShips = 0;
    MarkerPos marker;
    const auto& key() const { return type; }
    bool operator==(const ShipRecord&) const = default;
};

}  // namespace mw
