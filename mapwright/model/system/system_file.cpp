#include "system/system_file.h"

#include <optional>

#include "common/decimal_field.h"
#include "common/errors.h"
#include "common/safe_save.h"
#include "system/design_file_reader.h"
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

SdfRecord encodePlanet(const PlanetRecord& p) {
    SdfRecord r = placed(sdf_tag::kPlanet, p.x, p.y, p.z, p.marker);
    r.name = p.name.view();
    r.textA = p.type.view();
    r.textE = p.model.view();
    r.textC = p.orbitsAround.view();
    r.diameter = p.diameter;
    r.textB = p.owner.view();
    r.textD = p.race.view();
    r.population = p.population;
    r.number = p.number;
    return r;
}

SdfRecord encodeMicroAsteroid(const MicroAsteroidRecord& m) {
    SdfRecord r = placed(sdf_tag::kMicroAsteroids, m.x, m.y, m.z, m.marker);
    r.name = m.type.view();
    return r;
}

SdfRecord encodeNebula(const NebulaRecord& n) {
    SdfRecord r = placed(sdf_tag::kNebula, n.x, n.y, n.z, n.marker);
    r.name = n.type.view();
    return r;
}

SdfRecord encodeAsteroid(const AsteroidRecord& a) {
    SdfRecord r = placed(sdf_tag::kAsteroid, a.x, a.y, a.z, a.marker);
    r.name = a.type.view();
    r.amount = a.capacity;
    return r;
}

SdfRecord encodeWreck(const WreckRecord& w) {
    SdfRecord r = placed(sdf_tag::kWreck, w.x, w.y, w.z, w.marker);
    r.name = w.type.view();
    r.amount = w.value;
    return r;
}

SdfRecord encodeJumpNode(const JumpNodeRecord& j) {
    SdfRecord r = placed(sdf_tag::kJumpNode, j.x, j.y, j.z, j.marker);
    r.name = j.leadsTo.view();
    r.textA = j.nodeId.view();
    return r;
}

SdfRecord encodeShip(const ShipRecord& s) {
    SdfRecord r = placed(sdf_tag::kShip, s.x, s.y, s.z, s.marker);
    r.name = s.name.view();
    r.textB = s.owner.view();
    r.textA = s.type.view();
    r.rank = s.rank;
    r.number = s.numberOfShips;
    r.flag = s.deployed;
    return r;
}

template <typename Record, typename Encode>
void writeLive(std::string& out, const SystemModel& model, ObjectKind kind,
               const ObjectTable<Record>& table, Encode encode) {
    for (int i = 1; i <= kTableCapacity; ++i)
        if (model.IsLive(kind, i)) {
            const SdfRecord::Bytes bytes = encode(table.at(i)).encode();
            out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        }
}

// Fills the record at index from the file record; cuts to the table fields.
void fill(SystemModel& model, ObjectKind kind, int index, const SdfRecord& r,
          const MarkerPos& marker, NodeIds ids) {
    switch (kind) {
        case ObjectKind::MicroAsteroid: {
            auto& m = model.microAsteroids.at(index);
            m.type = r.name.view();
            m.x = r.x, m.y = r.y, m.z = r.z;
            m.deleted = 0;
            m.marker = marker;
            return;
        }
        case ObjectKind::Asteroid: {
            auto& a = model.asteroids.at(index);
            a.type = r.name.view();
            a.x = r.x, a.y = r.y, a.z = r.z;
            a.capacity = r.amount;
            a.deleted = 0;
            a.marker = marker;
            return;
        }
        case ObjectKind::Wreck: {
            auto& w = model.wrecks.at(index);
            w.type = r.name.view();
            w.x = r.x, w.y = r.y, w.z = r.z;
            w.value = r.amount;
            w.deleted = 0;
            w.marker = marker;
            return;
        }
        case ObjectKind::Nebula: {
            auto& n = model.nebulae.at(index);
            n.type = r.name.view();
            n.x = r.x, n.y = r.y, n.z = r.z;
            n.deleted = 0;
            n.marker = marker;
            return;
        }
        case ObjectKind::JumpNode: {
            auto& j = model.jumpNodes.at(index);
            j.x = r.x, j.y = r.y, j.z = r.z;
            j.leadsTo = r.name.view();
            // A file opened by the user gets ids that follow the system's own name.
            if (ids == NodeIds::AsStored)
                j.nodeId = r.textA.view();
            else
                j.nodeId = makeNodeId(model.currentSystemName.view(), index);
            j.deleted = 0;
            j.marker = marker;
            return;
        }
        case ObjectKind::Planet: {
            auto& p = model.planets.at(index);
            p.name = r.name.view();
            p.type = r.textA.view();
            p.model = r.textE.view();
            p.x = r.x, p.y = r.y, p.z = r.z;
            p.orbitsAround = r.textC.view();
            p.number = r.number;
            p.diameter = r.diameter;
            p.owner = r.textB.view();
            p.race = r.textD.view();
            p.population = r.population;
            p.deleted = 0;
            p.marker = marker;
            return;
        }
        case ObjectKind::Ship: {
            auto& s = model.ships.at(index);
            s.name = r.name.view();
            s.x = r.x, s.y = r.y, s.z = r.z;
            s.owner = r.textB.view();
            s.type = r.textA.view();
            s.deleted = 0;
            s.deployed = r.flag;
            s.rank = r.rank;
            s.numberOfShips = r.number;
            s.marker = marker;
            return;
        }
    }
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
    header.name = sunName;
    header.textA = sunType;
    header.textB = background;
    header.textC = scale;
    header.markerX = "0";
    header.markerY = "0";
    const SdfRecord::Bytes headerBytes = header.encode();
    std::string out(reinterpret_cast<const char*>(headerBytes.data()), headerBytes.size());

    writeLive(out, model, ObjectKind::Planet, model.planets, encodePlanet);
    writeLive(out, model, ObjectKind::MicroAsteroid, model.microAsteroids, encodeMicroAsteroid);
    writeLive(out, model, ObjectKind::Nebula, model.nebulae, encodeNebula);
    writeLive(out, model, ObjectKind::Asteroid, model.asteroids, encodeAsteroid);
    writeLive(out, model, ObjectKind::Wreck, model.wrecks, encodeWreck);
    writeLive(out, model, ObjectKind::JumpNode, model.jumpNodes, encodeJumpNode);
    writeLive(out, model, ObjectKind::Ship, model.ships, encodeShip);
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
    SystemHeader header{first.name.str(), first.textA.str(), first.textB.str(), first.textC.str()};
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
                                 std::to_string(kTableCapacity) + " " +
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
        if (r.tag == sdf_tag::kJumpNode) links.push_back({r.textA.str(), r.name.str()});
    return links;
}

}  // namespace mw
