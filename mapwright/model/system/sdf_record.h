#pragma once
// One 568-byte record of a system design file (*.sdf), decoded. The file is a
// headerless sequence of these: the first is the system header ("sun"), every
// further one an object. This is the one place that knows the byte layout.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/decimal_field.h"
#include "common/fixed_string.h"
#include "system/object_records.h"

namespace mw {

inline constexpr std::size_t kSdfRecordSize = 568;

namespace sdf_tag {
inline constexpr std::string_view kSun = "sun";
inline constexpr std::string_view kPlanet = "planet";
inline constexpr std::string_view kMicroAsteroids = "microasteroids";
inline constexpr std::string_view kNebula = "nebulaes";
inline constexpr std::string_view kAsteroid = "asteroid";
inline constexpr std::string_view kWreck = "wreckage";
inline constexpr std::string_view kJumpNode = "jumpnode";
inline constexpr std::string_view kShip = "ship";
}  // namespace sdf_tag

struct SdfRecord {
    FixedString<23> tag;
    std::int32_t x = 0, y = 0, z = 0;
    DecimalField markerX, markerY;
    FixedString<20> name;
    FixedString<125> textA;
    std::int32_t amount = 0;
    std::uint8_t flag = 0;
    FixedString<120> textB;
    std::int32_t rank = 0;
    FixedString<120> textC;
    std::int32_t number = 0;
    FixedString<50> textD;
    std::int32_t diameter = 0;
    std::int32_t population = 0;
    FixedString<50> textE;

    using Bytes = std::array<std::uint8_t, kSdfRecordSize>;
    /// Where the name field (a jump node's leads-to) starts in the record.
    static constexpr std::size_t kNameOffset = 46;
    /// Encodes the record; unused and reserved bytes are zero.
    Bytes encode() const;
    static SdfRecord decode(const std::uint8_t* bytes);
};

/// The generic slots of a record that a kind's field map gives a meaning
/// (see object_kinds.h); the tag, the position and the marker are every
/// kind's own.
enum class SdfSlot : std::uint8_t {
    Name,
    TextA,
    TextB,
    TextC,
    TextD,
    TextE,
    Amount,
    Flag,
    Rank,
    Number,
    Diameter,
    Population,
};

constexpr bool isTextSlot(SdfSlot slot) {
    return slot <= SdfSlot::TextE;
}

/// Characters a text slot keeps; 0 for a number slot.
constexpr std::size_t slotCapacity(SdfSlot slot) {
    switch (slot) {
        case SdfSlot::Name:
            return decltype(SdfRecord::name)::capacity;
        case SdfSlot::TextA:
            return decltype(SdfRecord::textA)::capacity;
        case SdfSlot::TextB:
            return decltype(SdfRecord::textB)::capacity;
        case SdfSlot::TextC:
            return decltype(SdfRecord::textC)::capacity;
        case SdfSlot::TextD:
            return decltype(SdfRecord::textD)::capacity;
        case SdfSlot::TextE:
            return decltype(SdfRecord::textE)::capacity;
        default:
            return 0;
    }
}

/// The text of a text slot; empty for a number slot.
std::string_view slotText(const SdfRecord& record, SdfSlot slot);
/// Stores the text, cut to the slot; a number slot is left alone.
void setSlotText(SdfRecord& record, SdfSlot slot, std::string_view text);
/// The value of a number slot; 0 for a text slot.
std::int32_t slotNumber(const SdfRecord& record, SdfSlot slot);
/// Stores the value (the flag keeps its low byte); a text slot is left alone.
void setSlotNumber(SdfRecord& record, SdfSlot slot, std::int32_t value);

/// The object kind a record's tag names; nothing for the header and for tags
/// the readers pass over.
std::optional<ObjectKind> kindOfTag(std::string_view tag);

}  // namespace mw
