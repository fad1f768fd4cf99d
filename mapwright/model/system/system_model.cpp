#include "system/system_model.h"

#include <stdexcept>

#include "common/errors.h"
#include "system/designer_text.h"
#include "system/object_kinds.h"

namespace mw {

std::string_view kindName(ObjectKind kind) {
    return kindInfo(kind).plural;
}

std::string objectLabel(ObjectRef object) {
    return std::string(kindInfo(object.kind).singular) + " " + std::to_string(object.index);
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
        if (table.count_ >= kindInfo(kind).capacity)
            throw TableFullError(designer_text::tableFull(kind));
        return ++table.count_;
    });
}

void SystemModel::ReleaseIndex(ObjectKind kind) {
    withTable(kind, [](auto& table) {
        if (table.count_ > 0) --table.count_;
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

namespace {

template <typename Record>
std::vector<Record> keptRecords(const ObjectTable<Record>& table) {
    std::vector<Record> kept;
    kept.reserve(static_cast<std::size_t>(table.count()));
    for (int i = 1; i <= table.count(); ++i) kept.push_back(table.at(i));
    return kept;
}

}  // namespace

template <typename Record>
void SystemModel::restoreTable(ObjectTable<Record>& table, const std::vector<Record>& kept) {
    // A snapshot never holds more than a table can; anything else is a bug.
    if (kept.size() > static_cast<std::size_t>(kTableCapacity))
        throw std::length_error("snapshot larger than a table");
    table.count_ = static_cast<int>(kept.size());
    for (int i = 1; i <= kTableCapacity; ++i) {
        if (i <= table.count_)
            table.records_[static_cast<std::size_t>(i)] = kept[static_cast<std::size_t>(i - 1)];
        else
            table.records_[static_cast<std::size_t>(i)].deleted = 1;
    }
}

TablesSnapshot SystemModel::Snapshot() const {
    TablesSnapshot s;
    s.planets = keptRecords(planets);
    s.microAsteroids = keptRecords(microAsteroids);
    s.asteroids = keptRecords(asteroids);
    s.wrecks = keptRecords(wrecks);
    s.nebulae = keptRecords(nebulae);
    s.jumpNodes = keptRecords(jumpNodes);
    s.ships = keptRecords(ships);
    s.currentSystemName = currentSystemName;
    s.currentObjectIndex = currentObjectIndex;
    s.zTargetKind = zTargetKind;
    s.lastCursorPixel = lastCursorPixel;
    return s;
}

void SystemModel::Restore(const TablesSnapshot& s) {
    restoreTable(planets, s.planets);
    restoreTable(microAsteroids, s.microAsteroids);
    restoreTable(asteroids, s.asteroids);
    restoreTable(wrecks, s.wrecks);
    restoreTable(nebulae, s.nebulae);
    restoreTable(jumpNodes, s.jumpNodes);
    restoreTable(ships, s.ships);
    currentSystemName = s.currentSystemName;
    currentObjectIndex = s.currentObjectIndex;
    zTargetKind = s.zTargetKind;
    lastCursorPixel = s.lastCursorPixel;
}

int SystemModel::count(ObjectKind kind) const {
    return withTable(kind, [](const auto& table) { return table.count(); });
}

}  // namespace mw
