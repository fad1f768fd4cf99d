#pragma once
// What the generic slots of a design-file record mean for each kind: one field
// map per object record, naming each field's meaning, the record member that
// holds it and the slot the file keeps it in. The design file, the generator,
// the text safety check, the map check and `show` all read these maps, so a
// new field or a moved slot is one edit here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "system/object_records.h"
#include "system/sdf_record.h"

namespace mw {

/// What a field means, whatever slot holds it.
enum class Meaning : std::uint8_t {
    Name,
    Type,
    Model,
    OrbitsAround,
    Number,
    Diameter,
    Owner,
    Race,
    Population,
    Capacity,
    Value,
    LeadsTo,
    NodeId,
    Deployed,
    Rank,
    NumberOfShips,
    SunName,
    SunType,
    Background,
    Scale,
};

/// A meaning's name in messages ("orbits around"); `show` writes it with '_'
/// for each space.
constexpr std::string_view meaningName(Meaning m) {
    constexpr std::array<std::string_view, 20> kNames{
        "name",       "type",     "model",      "orbits around",   "number",   "diameter",
        "owner",      "race",     "population", "capacity",        "value",    "leads to",
        "node id",    "deployed", "rank",       "number of ships", "sun name", "sun type",
        "background", "scale"};
    return kNames[static_cast<std::size_t>(m)];
}

enum class FieldType : std::uint8_t { Text, Int, Byte };

/// A field as the layers that read records slot by slot see it.
struct FieldInfo {
    Meaning meaning;
    SdfSlot slot;
    FieldType type;
    std::size_t capacity;  // characters the object's record keeps of a text; 0 for a number
    constexpr std::string_view name() const { return meaningName(meaning); }
};

/// A field of a typed object record: its meaning, its slot in the file and
/// the member that holds it.
template <typename Record, typename Member>
struct RecordField {
    Meaning meaning;
    SdfSlot slot;
    Member Record::*member;

    static constexpr FieldType type = std::is_same_v<Member, std::int32_t>   ? FieldType::Int
                                      : std::is_same_v<Member, std::uint8_t> ? FieldType::Byte
                                                                             : FieldType::Text;
    static constexpr std::size_t capacity() {
        if constexpr (type == FieldType::Text)
            return Member::capacity;
        else
            return 0;
    }
    constexpr FieldInfo info() const { return {meaning, slot, type, capacity()}; }
};
// Spelled out for compilers without deduction for aggregates.
template <typename Record, typename Member>
RecordField(Meaning, SdfSlot, Member Record::*) -> RecordField<Record, Member>;

/// The field map of each object record, in the order `show` lists the fields.
template <typename Record>
struct FieldMap;

template <>
struct FieldMap<PlanetRecord> {
    using R = PlanetRecord;
    static constexpr auto fields = std::tuple{
        RecordField{Meaning::Name, SdfSlot::Name, &R::name},
        RecordField{Meaning::Type, SdfSlot::TextA, &R::type},
        RecordField{Meaning::Model, SdfSlot::TextE, &R::model},
        RecordField{Meaning::OrbitsAround, SdfSlot::TextC, &R::orbitsAround},
        RecordField{Meaning::Number, SdfSlot::Number, &R::number},
        RecordField{Meaning::Diameter, SdfSlot::Diameter, &R::diameter},
        RecordField{Meaning::Owner, SdfSlot::TextB, &R::owner},
        RecordField{Meaning::Race, SdfSlot::TextD, &R::race},
        RecordField{Meaning::Population, SdfSlot::Population, &R::population},
    };
};

template <>
struct FieldMap<MicroAsteroidRecord> {
    using R = MicroAsteroidRecord;
    static constexpr auto fields = std::tuple{RecordField{Meaning::Type, SdfSlot::Name, &R::type}};
};

template <>
struct FieldMap<AsteroidRecord> {
    using R = AsteroidRecord;
    static constexpr auto fields = std::tuple{
        RecordField{Meaning::Type, SdfSlot::Name, &R::type},
        RecordField{Meaning::Capacity, SdfSlot::Amount, &R::capacity},
    };
};

template <>
struct FieldMap<WreckRecord> {
    using R = WreckRecord;
    static constexpr auto fields = std::tuple{
        RecordField{Meaning::Type, SdfSlot::Name, &R::type},
        RecordField{Meaning::Value, SdfSlot::Amount, &R::value},
    };
};

template <>
struct FieldMap<NebulaRecord> {
    using R = NebulaRecord;
    static constexpr auto fields = std::tuple{RecordField{Meaning::Type, SdfSlot::Name, &R::type}};
};

template <>
struct FieldMap<JumpNodeRecord> {
    using R = JumpNodeRecord;
    static constexpr auto fields = std::tuple{
        RecordField{Meaning::LeadsTo, SdfSlot::Name, &R::leadsTo},
        RecordField{Meaning::NodeId, SdfSlot::TextA, &R::nodeId},
    };
};

template <>
struct FieldMap<ShipRecord> {
    using R = ShipRecord;
    static constexpr auto fields = std::tuple{
        RecordField{Meaning::Name, SdfSlot::Name, &R::name},
        RecordField{Meaning::Owner, SdfSlot::TextB, &R::owner},
        RecordField{Meaning::Type, SdfSlot::TextA, &R::type},
        RecordField{Meaning::Deployed, SdfSlot::Flag, &R::deployed},
        RecordField{Meaning::Rank, SdfSlot::Rank, &R::rank},
        RecordField{Meaning::NumberOfShips, SdfSlot::Number, &R::numberOfShips},
    };
};

/// Calls f(field) for every field of the record's map, in map order.
template <typename Record, typename F>
constexpr void forEachField(F&& f) {
    std::apply([&](const auto&... field) { (f(field), ...); }, FieldMap<Record>::fields);
}

/// The record's field map without the members.
template <typename Record>
inline constexpr auto kFieldInfos = std::apply(
    [](const auto&... field) { return std::array<FieldInfo, sizeof...(field)>{field.info()...}; },
    FieldMap<Record>::fields);

/// The four texts of the header record ("sun").
inline constexpr std::array<FieldInfo, 4> kSunFields{{
    {Meaning::SunName, SdfSlot::Name, FieldType::Text, slotCapacity(SdfSlot::Name)},
    {Meaning::SunType, SdfSlot::TextA, FieldType::Text, slotCapacity(SdfSlot::TextA)},
    {Meaning::Background, SdfSlot::TextB, FieldType::Text, slotCapacity(SdfSlot::TextB)},
    {Meaning::Scale, SdfSlot::TextC, FieldType::Text, slotCapacity(SdfSlot::TextC)},
}};

/// A sound map: text fields in text slots, the byte in the flag, numbers in
/// number slots, and no slot used twice.
constexpr bool soundFieldMap(std::span<const FieldInfo> fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const FieldInfo& f = fields[i];
        const bool fits = f.type == FieldType::Text ? isTextSlot(f.slot)
                          : f.type == FieldType::Byte
                              ? f.slot == SdfSlot::Flag
                              : !isTextSlot(f.slot) && f.slot != SdfSlot::Flag;
        if (!fits) return false;
        for (std::size_t j = 0; j < i; ++j)
            if (fields[j].slot == f.slot || fields[j].meaning == f.meaning) return false;
    }
    return true;
}

constexpr const FieldInfo* findSunField(Meaning m) {
    for (const FieldInfo& f : kSunFields)
        if (f.meaning == m) return &f;
    return nullptr;
}

/// A header field by its meaning; naming one the header lacks does not compile.
template <Meaning M>
inline constexpr FieldInfo kSunField = *findSunField(M);

/// A header text by its meaning.
template <Meaning M>
std::string_view sunText(const SdfRecord& header) {
    return slotText(header, kSunField<M>.slot);
}

}  // namespace mw
