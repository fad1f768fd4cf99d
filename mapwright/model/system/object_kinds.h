#pragma once
// The seven object kinds in one table: what each is called and how the
// designer shows it, the tool that places it, how many a system holds, its
// design-file tag and its field map (object_fields.h). Messages, markers,
// tools, the design file, the generator, the checks and `show` read it: a
// kind's new name or field is one edit here.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "system/object_fields.h"
#include "system/object_records.h"
#include "system/sdf_record.h"
#include "system/system_model.h"

namespace mw {

enum class Tool { Planet, Ship, Asteroid, MicroAsteroid, Wreck, Nebula, JumpNode, Delete };

struct KindInfo {
    ObjectKind kind;
    Tool tool;                  // the tool that places it; its code and picture are in kTools
    std::string_view singular;  // one object in messages: "planet" 2
    std::string_view plural;    // the kind in messages: "planets"
    std::string_view caption;   // its marker's caption: "P"
    std::string_view hint;      // its marker's hint, before the index: "Planet"
    std::string_view toolName;  // the placing tool's name: "Planet"
    int capacity;               // objects of the kind a system holds
    std::string_view fileTag;   // its records' tag in a design file
    std::string_view listName;  // its list in `show`
    std::span<const FieldInfo> fields;  // its field map, in the order `show` lists them
    std::size_t positionAt;             // `show` lists x, y, z after this many fields
};

/// One row a kind, in the order of ObjectKind.
inline constexpr std::array<KindInfo, kObjectKindCount> kKinds{{
    {ObjectKind::Planet, Tool::Planet, "planet", "planets", "P", "Planet", "Planet", kTableCapacity,
     sdf_tag::kPlanet, "planets", kFieldInfos<PlanetRecord>, 3},
    {ObjectKind::MicroAsteroid, Tool::MicroAsteroid, "micro-asteroid field",
     "micro-asteroid fields", "ma", "Microasteroid", "Micro-asteroid", kTableCapacity,
     sdf_tag::kMicroAsteroids, "micro_asteroids", kFieldInfos<MicroAsteroidRecord>, 1},
    {ObjectKind::Asteroid, Tool::Asteroid, "asteroid", "asteroids", "as", "Minable asteroid",
     "Asteroid", kTableCapacity, sdf_tag::kAsteroid, "asteroids", kFieldInfos<AsteroidRecord>, 1},
    {ObjectKind::Wreck, Tool::Wreck, "wreck", "wrecks", "W", "Wreckage", "Wreckage", kTableCapacity,
     sdf_tag::kWreck, "wrecks", kFieldInfos<WreckRecord>, 1},
    {ObjectKind::Nebula, Tool::Nebula, "nebula", "nebulae", "N", "Nebulae", "Nebulae",
     kTableCapacity, sdf_tag::kNebula, "nebulae", kFieldInfos<NebulaRecord>, 1},
    {ObjectKind::JumpNode, Tool::JumpNode, "jump node", "jump nodes", "J", "Jumpnode", "Jumpnode",
     kTableCapacity, sdf_tag::kJumpNode, "jump_nodes", kFieldInfos<JumpNodeRecord>, 2},
    {ObjectKind::Ship, Tool::Ship, "ship", "ships", "S", "Ship", "Ship", kTableCapacity,
     sdf_tag::kShip, "ships", kFieldInfos<ShipRecord>, 6},
}};

/// The order in which a design file holds the kinds.
inline constexpr std::array<ObjectKind, kObjectKindCount> kFileOrder{
    ObjectKind::Planet, ObjectKind::MicroAsteroid, ObjectKind::Nebula, ObjectKind::Asteroid,
    ObjectKind::Wreck,  ObjectKind::JumpNode,      ObjectKind::Ship};

constexpr const KindInfo& kindInfo(ObjectKind kind) {
    return kKinds[static_cast<std::size_t>(kind)];
}

/// The kind's field of that meaning; nothing when the kind has none.
constexpr const FieldInfo* findField(ObjectKind kind, Meaning m) {
    for (const FieldInfo& f : kindInfo(kind).fields)
        if (f.meaning == m) return &f;
    return nullptr;
}

/// A field of a kind by its meaning; naming one the kind lacks does not compile.
template <ObjectKind K, Meaning M>
inline constexpr FieldInfo kKindField = *findField(K, M);

/// A text of a kind's record by its meaning.
template <ObjectKind K, Meaning M>
std::string_view textField(const SdfRecord& r) {
    constexpr FieldInfo f = kKindField<K, M>;
    static_assert(f.type == FieldType::Text);
    return slotText(r, f.slot);
}

/// A number of a kind's record by its meaning.
template <ObjectKind K, Meaning M>
std::int32_t numberField(const SdfRecord& r) {
    constexpr FieldInfo f = kKindField<K, M>;
    static_assert(f.type != FieldType::Text);
    return slotNumber(r, f.slot);
}

namespace kinds_detail {
constexpr bool soundTable() {
    for (std::size_t i = 0; i < kKinds.size(); ++i) {
        const KindInfo& k = kKinds[i];
        if (static_cast<std::size_t>(k.kind) != i || !soundFieldMap(k.fields)) return false;
        if (k.capacity < 1 || k.capacity > kTableCapacity || k.positionAt > k.fields.size())
            return false;
    }
    return soundFieldMap(kSunFields);
}
static_assert(soundTable(), "kKinds is in the order of ObjectKind and its field maps are sound");
}  // namespace kinds_detail

}  // namespace mw
