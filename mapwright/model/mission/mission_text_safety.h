#pragma once
// Which texts of a map the mission source carries, and which of them it
// cannot carry as they are. Strings of the INF text language have no escapes
// (a double quote ends them, a line feed is dropped), a section name ends at
// its first ']', and the sun's scale is written bare, three times with commas
// between. The generator refuses a map holding such a text rather than write
// a mission that the game's tools refuse or read differently.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/errors.h"
#include "map/map_project_record.h"
#include "map/map_systems.h"
#include "system/object_records.h"

namespace mw {

/// The ways the generator writes a text; one text may be written in several.
enum TextUse : unsigned {
    kAsString = 1,       // between double quotes
    kAsSectionName = 2,  // between '[' and ']'
    kAsBareValue = 4,    // a value without quotes
};

/// Why the mission source cannot carry the text written in these ways
/// ("holds a double quote"), or nothing when it can.
std::optional<std::string> UnsafeTextReason(std::string_view text, unsigned uses);

/// One text that the mission source carries, and where it comes from.
struct MissionText {
    std::string system;               // the slot's system name; empty for the map's own texts
    std::optional<ObjectRef> object;  // as the designer numbers it; none for the sun and the map
    std::string field;                // "type", "sun name", "Empire2 team", ...
    std::string_view text;
    unsigned uses = kAsString;
};
using MissionTextVisitor = std::function<void(const MissionText&)>;

/// The map's own texts: its name and description and the texts of the
/// player empires that are written.
void ForEachMapText(const MapProjectRecord& map, const MissionTextVisitor& visit);
/// The texts of one system that the mission source carries: its name in the
/// map and the texts of its design file.
void ForEachSystemText(const MapSystem& system, const MissionTextVisitor& visit);

/// A text the mission source cannot carry.
struct UnsafeText {
    std::string system;
    std::optional<ObjectRef> object;
    std::string field;
    std::string text;
    std::string reason;
    /// The field, its text and the reason: type "a\"b" holds a double quote; ...
    std::string describe() const;
};
std::optional<UnsafeText> FindUnsafe(const MissionText& text);

/// Raised by the generator for a map holding a text its mission cannot carry;
/// the message names the system, the object and the field.
class UnsafeTextError : public UserError {
  public:
    explicit UnsafeTextError(const UnsafeText& first);
};

/// Raises UnsafeTextError for the first text of the map or its systems that
/// the mission source cannot carry.
void RequireSafeMissionText(const MapProjectRecord& map, const std::vector<MapSystem>& systems);

}  // namespace mw
