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

/// The object kind a record's tag names; nothing for the header and for tags
/// the readers pass over.
std::optional<ObjectKind> kindOfTag(std::string_view tag);

}  // namespace mw
