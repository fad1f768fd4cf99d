#include "names/name_workflow.h"

#include "names/name_lists.h"
#include "names/name_picking.h"

namespace mw {

void NameWorkflow::refillFromSystemDatabase() {
    RefillPlanetPool(dir_,
                     PoolRefill{dir_.resolve(settings_.systemDatabase), kDefaultStyleLetter,
                                /*excludeNamesInUse=*/true, /*createMissingDatabase=*/true},
                     model_);
}

void NameWorkflow::designerCreated(const std::function<void()>& openStep) {
    // The window starts with every count at 0; resetting (not only zeroing the
    // counts) keeps records of an earlier window from looking live.
    model_.ResetTables();
    EnsureNameFiles(dir_);
    PickSystemName(dir_.resolve(settings_.systemDatabase), settings_.systemStyleLetter(), model_,
                   random_);
    if (openStep) openStep();
    refillFromSystemDatabase();
}

void NameWorkflow::systemOpened() {
    refillFromSystemDatabase();
}

PlacedPlanet NameWorkflow::placePlanet(std::int32_t x, std::int32_t y, MarkerPos marker,
                                       std::string_view sunName) {
    EnsureNameFiles(dir_);
    const int index = model_.AllocateIndex(ObjectKind::Planet);
    PlanetRecord& p = model_.planets.at(index);
    PlanetNamePick pick;
    try {
        pick = PickPlanetName(dir_, model_, random_);
    } catch (...) {
        p.deleted = 1;  // the index is used up, but no half-filled record is live
        throw;
    }
    p = PlanetRecord{};
    p.name = pick.name;
    p.type = placement::kPlanetType;
    p.model = placement::kPlanetModel;
    p.x = x;
    p.y = y;
    p.z = 0;
    p.orbitsAround = sunName;
    p.number = index;
    p.diameter = placement::kPlanetDiameter;
    p.owner = placement::kPlanetOwner;
    p.race = placement::kPlanetRace;
    p.population = placement::kPlanetPopulation;
    p.deleted = 0;
    p.marker = marker;

    // The stored (15-character) form: a longer pool name stays in the pool.
    RemoveName(dir_, kPoolFile, p.name.view());
    WriteUsedNames(dir_, kUsedListFile, model_);
    return {index, pick.notice};
}

void NameWorkflow::deletePlanet(int index) {
    PlanetRecord& p = model_.planets.at(index);
    if (p.deleted != 0) return;  // a second delete must not return the name twice
    model_.MarkDeleted(ObjectKind::Planet, index);
    const std::string name = p.name.str();
    RemoveName(dir_, kUsedListFile, name);
    if (!name.empty() && name != "Planet" + std::to_string(index))
        AppendName(dir_, kPoolFile, name);
}

void NameWorkflow::confirmPlanetDialog(int index, const PlanetDialogValues& v) {
    PlanetRecord& p = model_.planets.at(index);
    if (v.name != p.name.view()) RenameInList(dir_, kUsedListFile, p.name.view(), v.name);
    p.name = v.name;
    p.type = v.type;
    p.model = v.model;
    p.orbitsAround = v.orbitsAround;
    p.diameter = v.diameter;
    p.owner = v.owner;
    p.race = v.race;
    p.population = v.population;
}

void NameWorkflow::clearMap() {
    model_.ResetTables();
    RefillPlanetPool(dir_,
                     PoolRefill{dir_.resolve(settings_.managerFile), settings_.managerStyleLetter(),
                                /*excludeNamesInUse=*/false, /*createMissingDatabase=*/false},
                     model_);
}

}  // namespace mw
