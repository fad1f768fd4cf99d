#include "system/system_file.h"

#include <optional>
#include <type_traits>

#include "common/decimal_field.h"
#include "common/errors.h"
#include "common/safe_save.h"
#include "system/design_file_reader.h"
#include "system/object_kinds.h"
#include "system/sdf_record.h"

namespace mw {

namespace {

SdfRecord placed(std::string_view tag, std::int32_t x, std::int32_t y, std::int32_t z,
                 const MarkerPos& marker) {
    SdfRecord r;
    r.tag = tag;
    r.x = x;
    r.y = y;
    r.z = z;
    r.markerX = toDecimalField(marker.x);
    r.markerY = toDecimalField(marker.y);
    return r;
}

// One field between a typed record and a file record; a text is cut to the
// narrower of the two.
template <typename Record, typename Member>
void store(SdfRecord& r, const RecordField<Record, Member>& f, const Record& rec) {
    if constexpr (RecordField<Record, Member>::type == FieldType::Text)
        setSlotText(r, f.slot, (rec.*f.member).view());
    else
        setSlotNumber(r, f.slot, rec.*f.member);
}

template <typename Record, typename Member>
void load(Record& rec, const RecordField<Record, Member>& f, const SdfRecord& r) {
    if constexpr (RecordField<Record, Member>::type == FieldType::Text)
        rec.*f.member = slotText(r, f.slot);
    else
        rec.*f.member = static_cast<Member>(slotNumber(r, f.slot));
}

template <typename Record>
SdfRecord encode(ObjectKind kind, const Record& rec) {
    SdfRecord r = placed(kindInfo(kind).fileTag, rec.x, rec.y, rec.z, rec.marker);
    forEachField<Record>([&](const auto& f) { store(r, f, rec); });
    return r;
}

template <typename Record>
void writeLive(std::string& out, const SystemModel& model, ObjectKind kind,
               const ObjectTable<Record>& table) {
    for (int i = 1; i <= kTableCapacity; ++i)
        if (model.IsLive(kind, i)) {
            const SdfRecord::Bytes bytes = encode(kind, table.at(i)).encode();
            out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        }
}

// Fills the record at index from the file record; cuts to the table fields.
void fill(SystemModel& model, ObjectKind kind, int index, const SdfRecord& r,
          const MarkerPos& marker, NodeIds ids) {
    model.withTable(kind, [&](auto& table) {
        auto& rec = table.at(index);
        using Record = std::remove_cvref_t<decltype(rec)>;
        forEachField<Record>([&](const auto& f) { load(rec, f, r); });
        rec.x = r.x, rec.y = r.y, rec.z = r.z;
        rec.deleted = 0;
        rec.marker = marker;
        // A file opened by the user gets ids that follow the system's own name.
        if constexpr (std::is_same_v<Record, JumpNodeRecord>)
            if (ids == NodeIds::FollowSystemName)
                rec.nodeId = makeNodeId(model.currentSystemName.view(), index);
    });
}

std::int32_t parseMarker(const std::string& path, std::size_t recordNumber,
                         const DecimalField& field) {
    try {
        return parseInteger(field.view());
    } catch (const ConversionError& e) {
        throw ConversionError(printableBytes(path) + ": record " + std::to_string(recordNumber) +
                              ": " + e.what());
    }
}

}  // namespace

std::string EncodeSystem(std::string_view sunName, std::string_view sunType,
                         std::string_view background, std::string_view scale,
                         const SystemModel& model) {
    SdfRecord header;
    header.tag = sdf_tag::kSun;
    setSlotText(header, kSunField<Meaning::SunName>.slot, sunName);
    setSlotText(header, kSunField<Meaning::SunType>.slot, sunType);
    setSlotText(header, kSunField<Meaning::Background>.slot, background);
    setSlotText(header, kSunField<Meaning::Scale>.slot, scale);
    header.markerX = "0";
    header.markerY = "0";
    const SdfRecord::Bytes headerBytes = header.encode();
    std::string out(reinterpret_cast<const char*>(headerBytes.data()), headerBytes.size());

    for (const ObjectKind kind : kFileOrder)
        model.withTable(kind, [&](const auto& table) { writeLive(out, model, kind, table); });
    return out;
}

void SaveSystem(const std::string& path, std::string_view sunName, std::string_view sunType,
                std::string_view background, std::string_view scale, const SystemModel& model) {
    SaveFileBytes(path, EncodeSystem(sunName, sunType, background, scale, model));
}

SystemHeader OpenSystem(const std::string& path, SystemModel& model, const ObjectSink& onObject,
                        const HeaderSink& onHeader, NodeIds ids) {
    model.ResetTables();
    DesignFileReader in(path);

    // The first record is the header whatever its tag says.
    const SdfRecord first = in.readHeader();
    SystemHeader header{std::string(sunText<Meaning::SunName>(first)),
                        std::string(sunText<Meaning::SunType>(first)),
                        std::string(sunText<Meaning::Background>(first)),
                        std::string(sunText<Meaning::Scale>(first))};
    // Nothing is live after the reset, so this is all a rename would do.
    model.currentSystemName = header.sunName;
    if (onHeader) onHeader(header);

    SdfRecord r;
    while (in.next(r)) {
        const auto kind = kindOfTag(r.tag.view());
        if (!kind) continue;
        const MarkerPos marker{parseMarker(path, in.recordNumber(), r.markerX),
                               parseMarker(path, in.recordNumber(), r.markerY)};
        int index = 0;
        try {
            index = model.AllocateIndex(*kind);
        } catch (const TableFullError&) {
            throw TableFullError(printableBytes(path) + ": record " +
                                 std::to_string(in.recordNumber()) + ": the file holds more than " +
                                 std::to_string(kindInfo(*kind).capacity) + " " +
                                 std::string(kindName(*kind)) +
                                 ", more than a system can hold; the designer cannot open it");
        }
        fill(model, *kind, index, r, marker, ids);
        if (onObject) onObject(PlacedObject{*kind, index, marker});
    }
    return header;
}

std::vector<JumpNodeLink> ReadJumpNodes(const std::string& path) {
    // Every record from the first: the header is read like any other.
    DesignFileReader in(path);
    std::vector<JumpNodeLink> links;
    SdfRecord r;
    while (in.next(r))
        if (kindOfTag(r.tag.view()) == ObjectKind::JumpNode)
            links.push_back({std::string(textField<ObjectKind::JumpNode, Meaning::NodeId>(r)),
                             std::string(textField<ObjectKind::JumpNode, Meaning::LeadsTo>(r))});
    return links;
}

}  // namespace mw
