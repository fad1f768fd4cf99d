#include "system/system_model.h"

#include "common/errors.h"

namespace mw {

std::string_view kindName(ObjectKind kind) {
    switch (kind) {
        case ObjectKind::Planet: return "planets";
        case ObjectKind::MicroAsteroid: return "micro-asteroid fields";
        case ObjectKind::Asteroid: return "asteroids";
        case ObjectKind::Wreck: return "wrecks";
        case ObjectKind::Nebula: return "nebulae";
        case ObjectKind::JumpNode: return "jump nodes";
        case ObjectKind::Ship: break;
    }
    return "ships";
}

std::string makeNodeId(std::string_view systemName, int index) {
    std::string id(systemName);
    for (char& c : id)
        if (c == ' ' || c == '\'' || c == ',' || c == '.') c = '_';
    return id + "Jumpnode" + std::to_string(index);
}

void SystemModel::ResetTables() {
    for (int k = 0; k < kObjectKindCount; ++k) {
        withTable(static_cast<ObjectKind>(k), [](auto& table) {
            for (auto& r : table.records_) r.deleted = 1;
            table.count_ = 0;
        });
    }
}

int SystemModel::AllocateIndex(ObjectKind kind) {
    return withTable(kind, [kind](auto& table) {
        if (table.count_ >= kTableCapacity)
            throw TableFullError("A system can hold at most " + std::to_string(kTableCapacity) +
                                 " " + std::string(kindName(kind)) +
                                 " (deleted ones included until the map is cleared)!");
        return ++table.count_;
    });
}

void SystemModel::MarkDeleted(ObjectKind kind, int index) {
    withTable(kind, [index](auto& table) { table.at(index).deleted = 1; });
}

bool SystemModel::IsLive(ObjectKind kind, int index) const {
    return withTable(kind, [index](const auto& table) {
        const auto& r = table.at(index);
        return !r.key().empty() && r.deleted == 0;
    });
}

void SystemModel::SetZ(ObjectKind kind, int index, std::int32_t z) {
    withTable(kind, [index, z](auto& table) { table.at(index).z = z; });
}

void SystemModel::RenameSystem(std::string_view newName) {
    for (int i = 1; i <= kTableCapacity; ++i) {
        PlanetRecord& p = planets.at(i);
        if (p.deleted == 0 && !p.name.empty() && p.orbitsAround.view() == currentSystemName.view())
            p.orbitsAround = newName;
    }
    currentSystemName = newName;
}

int SystemModel::count(ObjectKind kind) const {
    return withTable(kind, [](const auto& table) { return table.count(); });
}

}  // namespace mw
