#pragma once
// The in-memory model of the solar system being designed: seven tables of 1000
// records (indices 1..1000), one count per table and the editor-wide values.
// The application creates one; tests create their own.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/fixed_string.h"
#include "system/object_records.h"

namespace mw {

inline constexpr int kTableCapacity = 1000;

template <typename Record>
class ObjectTable {
  public:
    /// Index 1..1000. Out-of-range indices are a programming error and are checked.
    Record& at(int index);
    const Record& at(int index) const;
    int count() const { return count_; }

  private:
    friend class SystemModel;
    std::array<Record, kTableCapacity + 1> records_{};  // slot 0 unused
    int count_ = 0;
};

/// Values the designer window uses when it places a new object (its own fields
/// that depend on the click and the sun name are filled in by the caller).
namespace placement {
inline constexpr std::string_view kPlanetType = "swamp";
inline constexpr std::string_view kPlanetModel = "T1";
inline constexpr std::int32_t kPlanetDiameter = 800;
inline constexpr std::string_view kPlanetOwner = "none";
inline constexpr std::string_view kPlanetRace = "none";
inline constexpr std::int32_t kPlanetPopulation = 0;
inline constexpr std::string_view kMicroAsteroidType = "microasteroids_nagy";
inline constexpr std::string_view kAsteroidTypePrefix = "MineableAsteroid";  // + digit 1..4
inline constexpr std::int32_t kAsteroidCapacity = 120000;
inline constexpr std::string_view kWreckType = "Wreck_napelemmel";
inline constexpr std::int32_t kWreckValue = 12345;
inline constexpr std::string_view kNebulaTypes[2] = {"cloud1", "nebulae"};  // random, equal chance
inline constexpr std::string_view kJumpNodeLeadsTo = "0";
inline constexpr std::string_view kShipNamePrefix = "HPCORVETTETURRET";  // + index
inline constexpr std::string_view kShipOwner = "NONE";
inline constexpr std::string_view kShipType = "_H_P_CorvetteTurret";
inline constexpr std::int32_t kShipRank = 5;
inline constexpr std::int32_t kShipNumberOfShips = 4;
}  // namespace placement

/// The observable state of a SystemModel: records 1..count of every table,
/// the counts and the editor-wide values. Records above a count are never live
/// and are not kept. Equal snapshots mean equal systems.
struct TablesSnapshot {
    std::vector<PlanetRecord> planets;
    std::vector<MicroAsteroidRecord> microAsteroids;
    std::vector<AsteroidRecord> asteroids;
    std::vector<WreckRecord> wrecks;
    std::vector<NebulaRecord> nebulae;
    std::vector<JumpNodeRecord> jumpNodes;
    std::vector<ShipRecord> ships;
    FixedString<125> currentSystemName;
    std::int32_t currentObjectIndex = 0;
    ObjectKind zTargetKind = ObjectKind::Planet;
    MarkerPos lastCursorPixel;
    bool operator==(const TablesSnapshot&) const = default;
};

/// System name with space, apostrophe, comma and full stop turned into "_",
/// then "Jumpnode" and the index: St. John's, 12 -> St__John_sJumpnode12.
std::string makeNodeId(std::string_view systemName, int index);

class SystemModel {
  public:
    ObjectTable<PlanetRecord> planets;
    ObjectTable<MicroAsteroidRecord> microAsteroids;
    ObjectTable<AsteroidRecord> asteroids;
    ObjectTable<WreckRecord> wrecks;
    ObjectTable<NebulaRecord> nebulae;
    ObjectTable<JumpNodeRecord> jumpNodes;
    ObjectTable<ShipRecord> ships;

    // Editor-wide values.
    FixedString<125> currentSystemName;
    std::int32_t currentObjectIndex = 0;
    ObjectKind zTargetKind = ObjectKind::Planet;
    MarkerPos lastCursorPixel;

    /// Every record of every table deleted, every count 0.
    void ResetTables();
    /// count+1 becomes the count and is returned. The 1001st index of a kind
    /// since the last reset is refused with TableFullError; nothing changes.
    int AllocateIndex(ObjectKind kind);
    /// Takes back the index AllocateIndex gave last (a placement that could
    /// not be made whole): the count goes back by one.
    void ReleaseIndex(ObjectKind kind);
    void MarkDeleted(ObjectKind kind, int index);
    bool IsLive(ObjectKind kind, int index) const;
    void SetZ(ObjectKind kind, int index, std::int32_t z);
    /// Planets circling the current system name now circle the new name (cut to
    /// 45); the current system name becomes the new name (cut to 125).
    void RenameSystem(std::string_view newName);

    int count(ObjectKind kind) const;

    TablesSnapshot Snapshot() const;
    /// Back to the snapshot's state; every record above a restored count is
    /// marked deleted, so nothing of a later placement stays live.
    void Restore(const TablesSnapshot& snapshot);

    /// Calls f(table) with the table of the kind.
    template <typename F>
    decltype(auto) withTable(ObjectKind kind, F&& f);
    template <typename F>
    decltype(auto) withTable(ObjectKind kind, F&& f) const;

  private:
    template <typename Self, typename F>
    static decltype(auto) tableOf(Self& self, ObjectKind kind, F&& f);
    template <typename Record>
    static void restoreTable(ObjectTable<Record>& table, const std::vector<Record>& kept);
};

// --- implementation of the templates ---

template <typename Record>
Record& ObjectTable<Record>::at(int index) {
    return records_.at(static_cast<std::size_t>(index < 1 ? kTableCapacity + 1 : index));
}
template <typename Record>
const Record& ObjectTable<Record>::at(int index) const {
    return records_.at(static_cast<std::size_t>(index < 1 ? kTableCapacity + 1 : index));
}

template <typename Self, typename F>
decltype(auto) SystemModel::tableOf(Self& self, ObjectKind kind, F&& f) {
    switch (kind) {
        case ObjectKind::Planet:
            return f(self.planets);
        case ObjectKind::MicroAsteroid:
            return f(self.microAsteroids);
        case ObjectKind::Asteroid:
            return f(self.asteroids);
        case ObjectKind::Wreck:
            return f(self.wrecks);
        case ObjectKind::Nebula:
            return f(self.nebulae);
        case ObjectKind::JumpNode:
            return f(self.jumpNodes);
        case ObjectKind::Ship:
            break;
    }
    return f(self.ships);
}
template <typename F>
decltype(auto) SystemModel::withTable(ObjectKind kind, F&& f) {
    return tableOf(*this, kind, std::forward<F>(f));
}
template <typename F>
decltype(auto) SystemModel::withTable(ObjectKind kind, F&& f) const {
    return tableOf(*this, kind, std::forward<F>(f));
}

}  // namespace mw
