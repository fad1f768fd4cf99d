#pragma once
// Reading and writing system design files (*.sdf): the object tables of a
// SystemModel plus the four header texts, as 568-byte SdfRecords.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "system/object_fields.h"
#include "system/object_records.h"
#include "system/sdf_record.h"
#include "system/system_model.h"

namespace mw {

/// The four texts of a design file's first record.
struct SystemHeader {
    std::string sunName;
    std::string sunType;
    std::string background;
    std::string scale;
    bool operator==(const SystemHeader&) const = default;
};

/// How many characters the header record keeps of each of the four texts.
namespace header_capacity {
inline constexpr std::size_t kSunName = kSunField<Meaning::SunName>.capacity;
inline constexpr std::size_t kSunType = kSunField<Meaning::SunType>.capacity;
inline constexpr std::size_t kBackground = kSunField<Meaning::Background>.capacity;
inline constexpr std::size_t kScale = kSunField<Meaning::Scale>.capacity;
}  // namespace header_capacity

/// One object read from a file, so the designer window can place its marker.
struct PlacedObject {
    ObjectKind kind;
    int index;
    MarkerPos marker;
};

/// One "jumpnode" record of a file: the node's own id and where it leads.
struct JumpNodeLink {
    std::string nodeId;
    std::string leadsTo;
    bool operator==(const JumpNodeLink&) const = default;
};

/// A jump node's id as opened: made from the system's name and the node's
/// new index, or kept as the file stores it (a recovery file holds the
/// system exactly as it was on the map).
enum class NodeIds { FollowSystemName, AsStored };

using ObjectSink = std::function<void(const PlacedObject&)>;
using HeaderSink = std::function<void(const SystemHeader&)>;

/// The bytes of a design file: the header and every live object, kind by
/// kind in the file's order, each kind in ascending index order.
std::string EncodeSystem(std::string_view sunName, std::string_view sunType,
                         std::string_view background, std::string_view scale,
                         const SystemModel& model);

/// Writes the header and every live object, kind by kind in the file's order,
/// each kind in ascending index order. The target is replaced only once the
/// whole file is written, so a failure leaves the previous file as it was.
void SaveSystem(const std::string& path, std::string_view sunName, std::string_view sunType,
                std::string_view background, std::string_view scale, const SystemModel& model);

/// Resets the tables and reads the file into them, each kind numbered 1, 2, 3...
/// in file order; unknown tags are skipped. The header's sun name becomes the
/// model's current system name and the base of every jump node id. onHeader
/// (optional) hears the header as soon as it is read, onObject every object
/// after it is stored. On a failure (IoError, ConversionError, TableFullError,
/// each naming the file) the records read before it stay loaded.
SystemHeader OpenSystem(const std::string& path, SystemModel& model,
                        const ObjectSink& onObject = {}, const HeaderSink& onHeader = {},
                        NodeIds ids = NodeIds::FollowSystemName);

/// The (node id, leads to) pairs of the file's "jumpnode" records in file order.
std::vector<JumpNodeLink> ReadJumpNodes(const std::string& path);

}  // namespace mw
