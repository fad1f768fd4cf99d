#include "designer_bridge.h"

#include <cmath>
#include <memory>

#include "names/name_lists.h"
#include "names/name_workflow.h"

namespace mw::ui::bridge {

int WorldFromPixel(int p) {
    double v = 0;
    if (p < 247) v = -200000.0 * (247 - p) / 247;
    else if (p > 247) v = 2.0 * 200000.0 * (p - 246) / 493;
    return static_cast<int>(std::nearbyint(v));
}

std::vector<MapObject> objectsOnMap(const SystemModel& model) {
    std::vector<MapObject> out;
    for (int k = 0; k < kObjectKindCount; ++k) {
        const auto kind = static_cast<ObjectKind>(k);
        model.withTable(kind, [&](const auto& table) {
            for (int i = 1; i <= table.count(); ++i)
                if (table.at(i).deleted == 0) out.push_back({kind, i, table.at(i).marker});
        });
    }
    return out;
}

std::string_view markerCaption(ObjectKind kind) {
    switch (kind) {
        case ObjectKind::Planet: return "P";
        case ObjectKind::Ship: return "S";
        case ObjectKind::Asteroid: return "as";
        case ObjectKind::MicroAsteroid: return "ma";
        case ObjectKind::Wreck: return "W";
        case ObjectKind::Nebula: return "N";
        case ObjectKind::JumpNode: break;
    }
    return "J";
}

std::string markerHint(const SystemModel& model, ObjectKind kind, int index) {
    const std::string n = std::to_string(index);
    switch (kind) {
        case ObjectKind::Planet: return "Planet" + n;
        case ObjectKind::Ship: return "Ship" + n;
        case ObjectKind::Asteroid: return "Minable asteroid" + n;
        case ObjectKind::MicroAsteroid: return "Microasteroid" + n;
        case ObjectKind::Wreck: return "Wreckage" + n;
        case ObjectKind::Nebula: return "Nebulae" + n;
        case ObjectKind::JumpNode: break;
    }
    return model.jumpNodes.at(index).nodeId.str();
}

namespace {

NameWorkflow names(EditorState& s) { return NameWorkflow(s.model, s.names, s.random, s.workDir); }

template <typename Record>
Record& fresh(EditorState& s, ObjectKind kind, int& index) {
    index = s.model.allocateIndex(kind);
    return s.model.withTable(kind, [index](auto& table) -> Record& {
        if constexpr (std::is_same_v<std::decay_t<decltype(table.at(index))>, Record>) {
            table.at(index) = Record{};
            return table.at(index);
        } else {
            throw std::logic_error("table of another kind");
        }
    });
}

}  // namespace

Placement placeAtPixel(EditorState& s, ObjectKind kind, MarkerPos px) {
    ensureNameFiles(s.workDir);
    s.model.currentSystemName = s.header.sunName;
    const int x = WorldFromPixel(px.y);
    const int y = WorldFromPixel(px.x);
    if (x == 0 && y == 0) return {};
    Placement out{true, 0, {}};
    switch (kind) {
        case ObjectKind::Planet: {
            const PlacedPlanet p = names(s).placePlanet(x, y, px, s.header.sunName);
            out.index = p.index;
            out.notice = p.notice;
            return out;
        }
        case ObjectKind::Ship: {
            auto& r = fresh<ShipRecord>(s, kind, out.index);
            r.name = std::string(placement::kShipNamePrefix) + std::to_string(out.index);
            r.owner = placement::kShipOwner;
            r.type = placement::kShipType;
            r.rank = placement::kShipRank;
            r.numberOfShips = placement::kShipNumberOfShips;
            r.x = x, r.y = y, r.marker = px;
            return out;
        }
        case ObjectKind::Asteroid: {
            auto& r = fresh<AsteroidRecord>(s, kind, out.index);
            r.type = std::string(placement::kAsteroidTypePrefix) + std::to_string(1 + s.random.uniform(4));
            r.capacity = placement::kAsteroidCapacity;
            r.x = x, r.y = y, r.marker = px;
            return out;
        }
        case ObjectKind::MicroAsteroid: {
            auto& r = fresh<MicroAsteroidRecord>(s, kind, out.index);
            r.type = placement::kMicroAsteroidType;
            r.x = x, r.y = y, r.marker = px;
            return out;
        }
        case ObjectKind::Wreck: {
            auto& r = fresh<WreckRecord>(s, kind, out.index);
            r.type = placement::kWreckType;
            r.value = placement::kWreckValue;
            r.x = x, r.y = y, r.marker = px;
            return out;
        }
        case ObjectKind::Nebula: {
            auto& r = fresh<NebulaRecord>(s, kind, out.index);
            r.type = placement::kNebulaTypes[s.random.uniform(2)];
            r.x = x, r.y = y, r.marker = px;
            return out;
        }
        case ObjectKind::JumpNode: break;
    }
    auto& r = fresh<JumpNodeRecord>(s, kind, out.index);
    r.leadsTo = placement::kJumpNodeLeadsTo;
    r.nodeId = makeNodeId(s.header.sunName, out.index);
    r.x = x, r.y = y, r.marker = px;
    return out;
}

std::string_view deleteNothing(EditorState& s) {
    ensureNameFiles(s.workDir);
    s.model.currentSystemName = s.header.sunName;
    return text::kCannotDeleteNothing;
}

void clickMarker(EditorState& s, ObjectKind kind, int index, bool deleteTool) {
    s.model.currentObjectIndex = index;
    if (!deleteTool) return;
    if (kind == ObjectKind::Planet) names(s).deletePlanet(index);
    else s.model.markDeleted(kind, index);
}

void designerCreated(EditorState& s, const std::function<void()>& openStep) {
    s.header = SystemHeader{"Unnamed", "Sun", "Background1", "0.7"};
    names(s).designerCreated(openStep);
}

void openSystem(EditorState& s, const std::string& path) {
    auto scratch = std::make_unique<SystemModel>();
    SystemHeader h = OpenSystem(path, *scratch);
    scratch->currentObjectIndex = s.model.currentObjectIndex;
    scratch->lastCursorPixel = s.model.lastCursorPixel;
    scratch->zTargetKind = s.model.zTargetKind;
    s.model = *scratch;
    s.header = std::move(h);
}

void systemOpened(EditorState& s) { names(s).systemOpened(); }
void clearMap(EditorState& s) { names(s).clearMap(); }

void saveSystemAs(const EditorState& s, const std::string& path) {
    SaveSystem(path, s.header.sunName, s.header.sunType, s.header.background, s.header.scale,
               s.model);
}

void closeSystem(EditorState& s) { s.model.resetTables(); }

void changeSunName(EditorState& s, std::string_view name) {
    s.header.sunName = name;
    s.model.renameSystem(name);
}

}  // namespace mw::ui::bridge
