#include "names/name_workflow.h"

#include "names/name_lists.h"
#include "names/name_lists_draft.h"
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
    std::vector<std::string> used = LivePlanetNames(model_);
    const int index = model_.AllocateIndex(ObjectKind::Planet);
    try {
        const PlanetNamePick pick = PickPlanetName(dir_, model_, random_);
        PlanetRecord p;
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

        NameListsDraft lists(dir_);
        // The stored (15-character) form: a longer pool name stays in the pool.
        lists.pool() = ListWithout(lists.pool(), p.name.view());
        used.push_back(p.name.str());  // the new planet has the highest index
        lists.usedList() = ListOf(used);
        lists.commit();
        model_.planets.at(index) = p;
        return {index, pick.notice};
    } catch (...) {
        model_.ReleaseIndex(ObjectKind::Planet);
        throw;
    }
}

void NameWorkflow::deletePlanet(int index) {
    const PlanetRecord& p = model_.planets.at(index);
    if (p.deleted != 0) return;  // a second delete must not return the name twice
    const std::string name = p.name.str();
    NameListsDraft lists(dir_);
    lists.usedList() = ListWithout(lists.usedList(), name);
    if (!name.empty() && name != "Planet" + std::to_string(index))
        lists.pool() = ListWithAppended(lists.pool(), name);
    lists.commit();
    model_.MarkDeleted(ObjectKind::Planet, index);
}

void NameWorkflow::confirmPlanetDialog(int index, const PlanetDialogValues& v) {
    PlanetRecord& p = model_.planets.at(index);
    if (v.name != p.name.view()) {
        NameListsDraft lists(dir_);
        lists.usedList() = ListWithRenamed(lists.usedList(), p.name.view(), v.name);
        lists.commit();
    }
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
    // The pool first: when it cannot be written, the map stays as it was.
    RefillPlanetPool(dir_,
                     PoolRefill{dir_.resolve(settings_.managerFile), settings_.managerStyleLetter(),
                                /*excludeNamesInUse=*/false, /*createMissingDatabase=*/false},
                     model_);
    model_.ResetTables();
}

}  // namespace mw
