#include "map/project_file.h"

#include <algorithm>

#include "common/errors.h"
#include "common/little_endian.h"
#include "common/record_file.h"
#include "common/safe_save.h"

namespace mw {

namespace {

constexpr std::size_t kSlotSize = 382, kSlotName = 0, kSlotPath = 126;
constexpr std::size_t kMapName = 3820, kDescription = 3946, kEmpireCount = 4204, kEmpires = 4208;
constexpr std::size_t kEmpireSize = 308, kEmpName = 0, kEmpAiMode = 126, kEmpRace = 167,
                      kEmpMoney = 208, kEmpTeam = 212, kEmpResearch = 253, kEmpSpy = 296,
                      kEmpShip = 300, kEmpSpecial = 304;

static_assert(kMaxSystems * kSlotSize == kMapName);
static_assert(kEmpires + kMaxEmpires * kEmpireSize == kProjectFileSize);

void encodeEmpire(const EmpireSetup& e, std::uint8_t* b) {
    e.name.store(b + kEmpName);
    e.aiMode.store(b + kEmpAiMode);
    e.race.store(b + kEmpRace);
    putLE32(b + kEmpMoney, e.money);
    e.team.store(b + kEmpTeam);
    e.researchList.store(b + kEmpResearch);
    putLE32(b + kEmpSpy, e.maxSpyGroups);
    putLE32(b + kEmpShip, e.maxShipGroups);
    putLE32(b + kEmpSpecial, e.maxSpecialGroups);
}

EmpireSetup decodeEmpire(const std::uint8_t* b) {
    EmpireSetup e;
    e.name = decltype(e.name)::load(b + kEmpName);
    e.aiMode = decltype(e.aiMode)::load(b + kEmpAiMode);
    e.race = decltype(e.race)::load(b + kEmpRace);
    e.money = getLE32(b + kEmpMoney);
    e.team = decltype(e.team)::load(b + kEmpTeam);
    e.researchList = decltype(e.researchList)::load(b + kEmpResearch);
    e.maxSpyGroups = getLE32(b + kEmpSpy);
    e.maxShipGroups = getLE32(b + kEmpShip);
    e.maxSpecialGroups = getLE32(b + kEmpSpecial);
    return e;
}

}  // namespace

ProjectBytes EncodeProject(const MapProjectRecord& record) {
    ProjectBytes b{};
    for (int s = 0; s < kMaxSystems; ++s) {
        const SystemSlot& slot = record.systems[static_cast<std::size_t>(s)];
        if (slot.empty()) continue;
        std::uint8_t* out = &b[static_cast<std::size_t>(s) * kSlotSize];
        slot.systemName.store(out + kSlotName);
        slot.designFile.store(out + kSlotPath);
    }
    record.mapName.store(&b[kMapName]);
    record.description.store(&b[kDescription]);
    putLE32(&b[kEmpireCount], record.empireCount);
    const int used = std::clamp(record.empireCount, 0, kMaxEmpires);
    for (int e = 0; e < used; ++e)
        encodeEmpire(record.empires[static_cast<std::size_t>(e)],
                     &b[kEmpires + static_cast<std::size_t>(e) * kEmpireSize]);
    return b;
}

MapProjectRecord DecodeProject(const std::uint8_t* b) {
    MapProjectRecord r;
    for (int s = 0; s < kMaxSystems; ++s) {
        const std::uint8_t* in = b + static_cast<std::size_t>(s) * kSlotSize;
        SystemSlot& slot = r.systems[static_cast<std::size_t>(s)];
        slot.systemName = decltype(slot.systemName)::load(in + kSlotName);
        if (!slot.empty()) slot.designFile = decltype(slot.designFile)::load(in + kSlotPath);
    }
    r.mapName = decltype(r.mapName)::load(b + kMapName);
    r.description = decltype(r.description)::load(b + kDescription);
    r.empireCount = getLE32(b + kEmpireCount);
    for (int e = 0; e < kMaxEmpires; ++e)
        r.empires[static_cast<std::size_t>(e)] =
            decodeEmpire(b + kEmpires + static_cast<std::size_t>(e) * kEmpireSize);
    return r;
}

void WriteProjectFile(const std::string& path, const MapProjectRecord& record) {
    const ProjectBytes bytes = EncodeProject(record);
    SafeSave out(path);
    out.write(bytes.data(), bytes.size());
    out.commit();
}

MapProjectRecord ReadProjectFile(const std::string& path) {
    RecordReader in(path, kProjectFileSize);
    ProjectBytes bytes{};
    if (countRecords(path, kProjectFileSize) == 0)
        throw IoError(
            path, "read",
            "not a map project file: shorter than " + std::to_string(kProjectFileSize) + " bytes");
    in.require(bytes.data());
    return DecodeProject(bytes.data());
}

}  // namespace mw
