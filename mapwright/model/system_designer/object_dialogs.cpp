#include "system_designer/object_dialogs.h"

#include <array>

#include "common/decimal_field.h"

namespace mw {

static_assert(
    std::is_same_v<std::variant_alternative_t<int(ObjectKind::MicroAsteroid), DialogValues>,
                   MicroAsteroidDialogValues>);
static_assert(std::is_same_v<std::variant_alternative_t<int(ObjectKind::JumpNode), DialogValues>,
                             JumpNodeDialogValues>);
static_assert(std::is_same_v<std::variant_alternative_t<int(ObjectKind::Ship), DialogValues>,
                             ShipDialogValues>);

namespace {

using Names = std::string_view;

constexpr Names kLifeless[] = {"T1",     "T2",    "T3",      "T4",       "T5",       "T6",
                               "T7",     "T8",    "mercury", "callisto", "ganymede", "rhea",
                               "triton", "titan", "charon",  "titania",  "oberon"};
constexpr Names kAcid[] = {"T1", "T2", "venus"};
constexpr Names kVolcanic[] = {"T1", "T2", "T3", "T4", "io"};
constexpr Names kRocky[] = {"T1", "T2", "T3", "T4", "T5", "T6", "moon", "pluto"};
constexpr Names kDesert[] = {"T1", "T2", "T3", "T4"};
constexpr Names kArctic[] = {"T1", "T2", "T3", "T4", "europa"};
constexpr Names kPlains[] = {"T1", "T2", "T3"};
constexpr Names kSwamp[] = {"T1", "T2"};
constexpr Names kForest[] = {"T1"};
constexpr Names kOcean[] = {"T1", "T2", "T3"};
constexpr Names kTerran[] = {"T1", "T2", "T3", "earth", "mars"};
constexpr Names kGaia[] = {"T1"};
constexpr Names kGasGiant[] = {"T1",      "T2",     "T3",      "T4",    "T5",
                               "jupiter", "saturn", "neptune", "uranus"};

constexpr PlanetType kPlanetTypes[] = {
    {"lifeless", kLifeless},  {"acid", kAcid},     {"volcanic", kVolcanic}, {"rocky", kRocky},
    {"desert", kDesert},      {"arctic", kArctic}, {"plains", kPlains},     {"swamp", kSwamp},
    {"forest", kForest},      {"ocean", kOcean},   {"terran", kTerran},     {"gaia", kGaia},
    {"gas_giant", kGasGiant},
};

constexpr Names kShipTypes[] = {
    "_H_P_Fighter",
    "_H_I_Fighter",
    "_H_Q_Fighter",
    "_K_P_Fighter",
    "_K_I_Fighter",
    "_K_Q_Fighter",
    "_D_P_Fighter",
    "_D_I_Fighter",
    "_D_Q_Fighter",
    "_H_P_CorvetteTurret",
    "_H_I_CorvetteTurret",
    "_H_Q_CorvetteTurret",
    "_H_P_CorvetteGun",
    "_H_I_CorvetteGun",
    "_H_Q_CorvetteGun",
    "_K_P_CorvetteTurret",
    "_K_I_CorvetteTurret",
    "_K_Q_CorvetteTurret",
    "_K_P_CorvetteGun",
    "_K_I_CorvetteGun",
    "_K_Q_CorvetteGun",
    "_D_P_CorvetteTurret",
    "_D_I_CorvetteTurret",
    "_D_Q_CorvetteTurret",
    "_D_P_CorvetteGun",
    "_D_I_CorvetteGun",
    "_D_Q_CorvetteGun",
    "_H_P_CruiserTurret",
    "_H_I_CruiserTurret",
    "_H_Q_CruiserTurret",
    "_H_P_CruiserGun",
    "_H_I_CruiserGun",
    "_H_Q_CruiserGun",
    "_K_P_CruiserTurret",
    "_K_I_CruiserTurret",
    "_K_Q_CruiserTurret",
    "_K_P_CruiserGun",
    "_K_I_CruiserGun",
    "_K_Q_CruiserGun",
    "_D_P_CruiserTurret",
    "_D_I_CruiserTurret",
    "_D_Q_CruiserTurret",
    "_D_P_CruiserGun",
    "_D_I_CruiserGun",
    "_D_Q_CruiserGun",
    "_H_P_Battleship",
    "_H_I_Battleship",
    "_H_Q_Battleship",
    "_K_P_Battleship",
    "_K_I_Battleship",
    "_K_Q_Battleship",
    "_D_P_Battleship",
    "_D_I_Battleship",
    "_D_Q_Battleship",
    "_H_P_MilitaryBase",
    "_H_I_MilitaryBase",
    "_H_Q_MilitaryBase",
    "_K_P_MilitaryBase",
    "_K_I_MilitaryBase",
    "_K_Q_MilitaryBase",
    "_D_P_MilitaryBase",
    "_D_I_MilitaryBase",
    "_D_Q_MilitaryBase",
    "_H_P_MilitaryBase2",
    "_H_I_MilitaryBase2",
    "_H_Q_MilitaryBase2",
    "_K_P_MilitaryBase2",
    "_K_I_MilitaryBase2",
    "_K_Q_MilitaryBase2",
    "_D_P_MilitaryBase2",
    "_D_I_MilitaryBase2",
    "_D_Q_MilitaryBase2",
    "_H__Spy",
    "_K__Spy",
    "_D__Spy",
    "_H_M_MiningBase",
    "_K_M_MiningBase",
    "_D_M_MiningBase",
    "_H__Colonizer",
    "_K__Colonizer",
    "_D__Colonizer",
    "_H__Civilian1",
    "_H__Civilian2",
    "_H__Civilian3",
    "_D__Civilian1",
    "_D__Civilian2",
    "_D__Civilian3",
    "_K__Civilian1",
    "_K__Civilian2",
    "_K__Civilian3",
    "_H__Inhibitor",
    "_D__Inhibitor",
    "_K__Inhibitor",
    "_H__ISMerchant",
    "_K__ISMerchant",
    "_D__ISMerchant",
    "_H__ISMerchantspec",
    "_K__ISMerchantspec",
    "_D__ISMerchantspec",
    "_H__IPMerchant",
    "_K__IPMerchant",
    "_D__IPMerchant",
    "_H__Minelayer",
    "_D__Minelayer",
    "_K__Minelayer",
    "_H__Minelayer2",
    "_D__Minelayer2",
    "_K__Minelayer2",
    "_H__Poptransporter",
    "_K__Poptransporter",
    "_D__Poptransporter",
    "_H__Probe",
    "_K__Probe",
    "_D__Probe",
    "_H__Signaler",
    "_K__Signaler",
    "_D__Signaler",
    "_H__Supplyship",
    "_K__Supplyship",
    "_D__Supplyship",
    "_H__Wreckrecyc",
    "_K__Wreckrecyc",
    "_D__Wreckrecyc",
    "DarzokHQ_fake",
    "DarzokHq",
    "DarzokHQ_weapon",
    "_H__ResidentialBase",
    "_H__Civilian_spec",
    "_H__Civilian_kamikaze",
    "_H__Spy_spec",
    "_H__Wreckrecyc_spec",
    "_H_I_Piratebase",
    "_H_P_CruiserTurret_spec",
    "Drone",
    "Marionship",
    "Mohrtehpship",
    "ShipSpaceMonster",
    "ShipSpaceMonster2",
    "ShipSpaceMonster3",
    "Solonbase",
    "Solonbase_active",
    "Skywalker",
};
static_assert(std::size(kShipTypes) == 142);

constexpr Names kOwners[] = {"None",    "Empire1", "Empire2", "Empire3", "Empire4",
                             "Empire5", "Empire6", "Empire7", "Empire8"};
constexpr Names kRaces[] = {"None", "human", "kariak", "darzok"};
constexpr Names kRanks[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr Names kMicroAsteroidTypes[] = {"MicroAsteroids_orias", "MicroAsteroids_nagy",
                                         "MicroAsteroids_kozepes"};
constexpr Names kAsteroidTypes[] = {"MineableAsteroid1", "MineableAsteroid2", "MineableAsteroid3",
                                    "MineableAsteroid4"};
constexpr Names kWreckTypes[] = {"wreck_human", "wreck_kariak", "wreck_napelemmel",
                                 "wreck1",      "wreck2",       "wreck3"};
constexpr Names kNebulaTypes[] = {"nebulae", "cloud1"};

/// "_" + race letter + "_" + weapon letter + one of the class endings, exactly.
bool isShipClass(std::string_view type, std::initializer_list<std::string_view> endings) {
    if (type.size() < 4 || type[0] != '_' || type[2] != '_') return false;
    if (std::string_view("HKD").find(type[1]) == std::string_view::npos) return false;
    if (std::string_view("PMIQ").find(type[3]) == std::string_view::npos) return false;
    const std::string_view rest = type.substr(4);
    for (std::string_view ending : endings)
        if (rest == ending) return true;
    return false;
}

std::vector<std::string> countingTo(int last) {
    std::vector<std::string> numbers;
    for (int i = 1; i <= last; ++i) numbers.push_back(std::to_string(i));
    return numbers;
}

}  // namespace

std::span<const PlanetType> planetTypes() {
    return kPlanetTypes;
}

std::optional<std::span<const std::string_view>> planetModels(std::string_view type) {
    for (const PlanetType& t : kPlanetTypes)
        if (t.name == type) return t.models;
    return std::nullopt;
}

std::span<const std::string_view> shipTypes() {
    return kShipTypes;
}

ShipNumbers shipNumberChoices(std::string_view type) {
    int most = 1;
    if (isShipClass(type, {"_Fighter"}))
        most = 7;
    else if (isShipClass(type, {"_CorvetteTurret", "_CorvetteGun"}))
        most = 4;
    else if (isShipClass(type, {"_CruiserTurret", "_CruiserGun"}))
        most = 2;
    return {countingTo(most), std::to_string(most)};
}

std::span<const std::string_view> ownerChoices() {
    return kOwners;
}
std::span<const std::string_view> raceChoices() {
    return kRaces;
}
std::span<const std::string_view> rankChoices() {
    return kRanks;
}
std::span<const std::string_view> microAsteroidTypes() {
    return kMicroAsteroidTypes;
}
std::span<const std::string_view> asteroidTypes() {
    return kAsteroidTypes;
}
std::span<const std::string_view> wreckTypes() {
    return kWreckTypes;
}
std::span<const std::string_view> nebulaTypes() {
    return kNebulaTypes;
}

std::string indexLabel(int index) {
    return "Index : " + std::to_string(index);
}

std::vector<std::string> orbitsAroundChoices(const SystemModel& model, int index) {
    const std::string_view sun = model.currentSystemName.view();
    const std::string_view self = model.planets.at(index).name.view();
    std::vector<std::string> choices{std::string(sun)};
    for (int i = 1; i <= model.planets.count(); ++i) {
        const PlanetRecord& p = model.planets.at(i);
        if (model.IsLive(ObjectKind::Planet, i) && p.name.view() != self &&
            p.orbitsAround.view() == sun)
            choices.push_back(p.name.str());
    }
    return choices;
}

PlanetDialogOpening planetDialogOpening(const SystemModel& model, int index) {
    const PlanetRecord& p = model.planets.at(index);
    PlanetDialogOpening opening;
    opening.values = {p.name.str(), p.type.str(),  p.model.str(), p.orbitsAround.str(),
                      p.diameter,   p.owner.str(), p.race.str(),  p.population};
    if (const auto models = planetModels(p.type.view()))
        opening.models = std::vector<std::string>(models->begin(), models->end());
    opening.orbitChoices = orbitsAroundChoices(model, index);
    return opening;
}

MicroAsteroidDialogValues microAsteroidDialogValues(const SystemModel& model, int index) {
    return {model.microAsteroids.at(index).type.str()};
}
AsteroidDialogValues asteroidDialogValues(const SystemModel& model, int index) {
    const AsteroidRecord& r = model.asteroids.at(index);
    return {r.type.str(), r.capacity};
}
WreckDialogValues wreckDialogValues(const SystemModel& model, int index) {
    const WreckRecord& r = model.wrecks.at(index);
    return {r.type.str(), r.value};
}
NebulaDialogValues nebulaDialogValues(const SystemModel& model, int index) {
    return {model.nebulae.at(index).type.str()};
}
JumpNodeDialogValues jumpNodeDialogValues(const SystemModel& model, int index) {
    return {model.jumpNodes.at(index).leadsTo.str()};
}

ShipDialogOpening shipDialogOpening(const SystemModel& model, int index) {
    const ShipRecord& r = model.ships.at(index);
    ShipDialogOpening opening;
    opening.values = {r.type.str(), r.owner.str(), std::to_string(r.rank),
                      std::to_string(r.numberOfShips), r.deployed != 0};
    opening.numberChoices = shipNumberChoices(r.type.view()).choices;
    return opening;
}

void storeDialogValues(SystemModel& model, int index, const MicroAsteroidDialogValues& v) {
    model.microAsteroids.at(index).type = v.type;
}
void storeDialogValues(SystemModel& model, int index, const AsteroidDialogValues& v) {
    AsteroidRecord& r = model.asteroids.at(index);
    r.type = v.type;
    r.capacity = v.capacity;
}
void storeDialogValues(SystemModel& model, int index, const WreckDialogValues& v) {
    WreckRecord& r = model.wrecks.at(index);
    r.type = v.type;
    r.value = v.value;
}
void storeDialogValues(SystemModel& model, int index, const NebulaDialogValues& v) {
    model.nebulae.at(index).type = v.type;
}
void storeDialogValues(SystemModel& model, int index, const JumpNodeDialogValues& v) {
    model.jumpNodes.at(index).leadsTo = v.leadsTo;
}

void storeDialogValues(SystemModel& model, int index, const ShipDialogValues& v) {
    // Both numbers first: a bad one leaves the whole ship as it was.
    const std::int32_t rank = parseInteger(v.rank);
    const std::int32_t number = parseInteger(v.numberOfShips);
    ShipRecord& r = model.ships.at(index);
    r.name = "Ship" + std::to_string(index);
    r.owner = v.owner;
    r.type = v.type;
    r.deployed = v.deployed ? 1 : 0;
    r.rank = rank;
    r.numberOfShips = number;
}

}  // namespace mw
