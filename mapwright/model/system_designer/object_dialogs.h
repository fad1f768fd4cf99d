#pragma once
// What the object property dialogs show and hand back: the suggestion lists
// of their drop-downs, the planet models by type, the ship numbers by type,
// the "Orbits around" choices, the values a dialog opens with and the values
// its OK hands to the designer (texts as typed; the designer cuts them to the
// record). The longest text each field may hold is the record field's
// capacity, so a dialog never shows more than is stored.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "names/name_workflow.h"
#include "system/object_records.h"
#include "system/system_model.h"

namespace mw {

// --- the drop-down suggestions ---

struct PlanetType {
    std::string_view name;
    std::span<const std::string_view> models;
};
/// The 13 planet types in list order, each with its models.
std::span<const PlanetType> planetTypes();
/// The models of a type (exact match); none for a type typed by hand, which
/// leaves the model list as it was.
std::optional<std::span<const std::string_view>> planetModels(std::string_view type);
/// The model shown when the user chooses another type.
inline constexpr std::string_view kModelOnTypeChange = "T1";

/// The 142 ship types in list order.
std::span<const std::string_view> shipTypes();

/// The number-of-ships choices of a ship type and the number set when the
/// type changes: fighters 1..7 (7), corvettes 1..4 (4), cruisers 1..2 (2),
/// any other type 1 (1). The classes go by exact text: "_" + H, K or D + "_" +
/// P, M, I or Q + "_Fighter", "_CorvetteTurret", "_CorvetteGun",
/// "_CruiserTurret" or "_CruiserGun".
struct ShipNumbers {
    std::vector<std::string> choices;
    std::string onTypeChange;
    bool operator==(const ShipNumbers&) const = default;
};
ShipNumbers shipNumberChoices(std::string_view type);

/// "None", "Empire1".."Empire8" (planets and ships).
std::span<const std::string_view> ownerChoices();
/// "None", "human", "kariak", "darzok".
std::span<const std::string_view> raceChoices();
/// "1".."9".
std::span<const std::string_view> rankChoices();
std::span<const std::string_view> microAsteroidTypes();
std::span<const std::string_view> asteroidTypes();
std::span<const std::string_view> wreckTypes();
std::span<const std::string_view> nebulaTypes();

/// The wreck's value spin field accepts 0..100000.
inline constexpr std::int32_t kWreckValueMin = 0;
inline constexpr std::int32_t kWreckValueMax = 100000;

/// "Index : " + index, shown by the micro-asteroid, wreck and jump-node dialogs.
std::string indexLabel(int index);

/// The longest text of each dialog field: its record field's capacity.
namespace field_capacity {
template <typename Field>
inline constexpr int of = static_cast<int>(Field::capacity);
inline constexpr int kPlanetName = of<decltype(PlanetRecord::name)>;
inline constexpr int kPlanetType = of<decltype(PlanetRecord::type)>;
inline constexpr int kPlanetModel = of<decltype(PlanetRecord::model)>;
inline constexpr int kOrbitsAround = of<decltype(PlanetRecord::orbitsAround)>;
inline constexpr int kPlanetOwner = of<decltype(PlanetRecord::owner)>;
inline constexpr int kPlanetRace = of<decltype(PlanetRecord::race)>;
inline constexpr int kMicroAsteroidType = of<decltype(MicroAsteroidRecord::type)>;
inline constexpr int kAsteroidType = of<decltype(AsteroidRecord::type)>;
inline constexpr int kWreckType = of<decltype(WreckRecord::type)>;
inline constexpr int kNebulaType = of<decltype(NebulaRecord::type)>;
inline constexpr int kLeadsTo = of<decltype(JumpNodeRecord::leadsTo)>;
inline constexpr int kShipType = of<decltype(ShipRecord::type)>;
inline constexpr int kShipOwner = of<decltype(ShipRecord::owner)>;
/// A whole number typed as text ("-2147483648").
inline constexpr int kIntegerText = 11;
}  // namespace field_capacity

// --- the values of each dialog ---

/// The planet dialog as it opens: the record's values, the model list of the
/// stored type (none when the type is not one of the 13: the list stays as it
/// was) and the "Orbits around" choices.
struct PlanetDialogOpening {
    PlanetDialogValues values;
    std::optional<std::vector<std::string>> models;
    std::vector<std::string> orbitChoices;
};

/// "Orbits around": the current system name, then in index order the name of
/// every live planet that circles the current system name and whose name is
/// not the stored name of planet `index`. Moons are offered only planets that
/// circle the sun.
std::vector<std::string> orbitsAroundChoices(const SystemModel& model, int index);

struct MicroAsteroidDialogValues {
    std::string type;
    bool operator==(const MicroAsteroidDialogValues&) const = default;
};
struct AsteroidDialogValues {
    std::string type;
    std::int32_t capacity = 0;
    bool operator==(const AsteroidDialogValues&) const = default;
};
struct WreckDialogValues {
    std::string type;
    std::int32_t value = 0;
    bool operator==(const WreckDialogValues&) const = default;
};
struct NebulaDialogValues {
    std::string type;
    bool operator==(const NebulaDialogValues&) const = default;
};
struct JumpNodeDialogValues {
    std::string leadsTo;
    bool operator==(const JumpNodeDialogValues&) const = default;
};
/// Rank and number of ships are drop-down texts: OK checks both are whole
/// numbers before it writes anything.
struct ShipDialogValues {
    std::string type;
    std::string owner;
    std::string rank;
    std::string numberOfShips;
    bool deployed = false;
    bool operator==(const ShipDialogValues&) const = default;
};
/// The ship dialog as it opens: the record's values and the number choices of
/// the stored type.
struct ShipDialogOpening {
    ShipDialogValues values;
    std::vector<std::string> numberChoices;
};

/// What OK hands over, for any kind. The alternatives stand in the order of
/// ObjectKind, so a value's index is its kind.
using DialogValues =
    std::variant<PlanetDialogValues, MicroAsteroidDialogValues, AsteroidDialogValues,
                 WreckDialogValues, NebulaDialogValues, JumpNodeDialogValues, ShipDialogValues>;
inline ObjectKind kindOf(const DialogValues& values) {
    return static_cast<ObjectKind>(values.index());
}

/// The values each dialog opens with, from the record at `index`.
PlanetDialogOpening planetDialogOpening(const SystemModel& model, int index);
MicroAsteroidDialogValues microAsteroidDialogValues(const SystemModel& model, int index);
AsteroidDialogValues asteroidDialogValues(const SystemModel& model, int index);
WreckDialogValues wreckDialogValues(const SystemModel& model, int index);
NebulaDialogValues nebulaDialogValues(const SystemModel& model, int index);
JumpNodeDialogValues jumpNodeDialogValues(const SystemModel& model, int index);
ShipDialogOpening shipDialogOpening(const SystemModel& model, int index);

/// OK: every field into the record at `index`, texts cut to their capacity.
void storeDialogValues(SystemModel& model, int index, const MicroAsteroidDialogValues& values);
void storeDialogValues(SystemModel& model, int index, const AsteroidDialogValues& values);
void storeDialogValues(SystemModel& model, int index, const WreckDialogValues& values);
void storeDialogValues(SystemModel& model, int index, const NebulaDialogValues& values);
void storeDialogValues(SystemModel& model, int index, const JumpNodeDialogValues& values);
/// The ship's name becomes "Ship" + index. Rank and number are parsed first: a
/// text that is not a whole number raises ConversionError ("'%s' is not a
/// valid integer value") and nothing is written.
void storeDialogValues(SystemModel& model, int index, const ShipDialogValues& values);

}  // namespace mw
