// The property dialogs' tables and rules, and the designer's dialog
// operations: OK of each kind, the Z dialog and "Link systems".
#include "system_designer/object_dialogs.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "model_test_support.h"
#include "names/name_lists.h"
#include "scripted_prompts.h"
#include "test_support.h"

using namespace mw;
using Strings = std::vector<std::string>;

namespace {

Strings strings(std::span<const std::string_view> names) {
    return Strings(names.begin(), names.end());
}

}  // namespace

TEST(PlanetModels, ByExactTypeName) {
    const struct {
        const char* type;
        std::optional<Strings> models;
    } rows[] = {
        {"gas_giant",
         Strings{"T1", "T2", "T3", "T4", "T5", "jupiter", "saturn", "neptune", "uranus"}},
        {"acid", Strings{"T1", "T2", "venus"}},
        {"forest", Strings{"T1"}},
        {"Gas_giant", std::nullopt},  // typed by hand: the list stays as it was
        {"", std::nullopt},
    };
    for (const auto& r : rows) {
        const auto models = planetModels(r.type);
        EXPECT_EQ(models ? std::optional(strings(*models)) : std::nullopt, r.models) << r.type;
    }
    ASSERT_EQ(planetTypes().size(), 13u);
    EXPECT_EQ(planetTypes().front().name, "lifeless");
    EXPECT_EQ(planetTypes().front().models.size(), 17u);
    EXPECT_EQ(planetTypes().back().name, "gas_giant");
}

TEST(ShipTypes, InListOrderWithoutRepeats) {
    const auto types = shipTypes();
    ASSERT_EQ(types.size(), 142u);
    EXPECT_EQ(types[0], "_H_P_Fighter");
    EXPECT_EQ(types[9], "_H_P_CorvetteTurret");
    EXPECT_EQ(types[133], "Drone");
    EXPECT_EQ(types[141], "Skywalker");
    EXPECT_EQ(std::set<std::string_view>(types.begin(), types.end()).size(), 142u);
}

TEST(ShipNumbers, ByTypeClass) {
    const struct {
        const char* type;
        int most;
    } rows[] = {
        {"_K_I_CruiserGun", 2},
        {"_D_M_Fighter", 7},
        {"_H_P_CruiserTurret_spec", 1},
        {"_H_Q_CorvetteGun", 4},
        {"_D_P_CorvetteTurret", 4},
        {"_H__Spy", 1},
        {"_h_P_Fighter", 1},
        {"_X_P_Fighter", 1},
        {"_H_P_Fighter ", 1},
        {"_H_P_Battleship", 1},
        {"", 1},
    };
    for (const auto& r : rows) {
        Strings expected;
        for (int i = 1; i <= r.most; ++i) expected.push_back(std::to_string(i));
        EXPECT_EQ(shipNumberChoices(r.type), (ShipNumbers{expected, std::to_string(r.most)}))
            << r.type;
    }
}

TEST(OrbitsAround, OnlyLivePlanetsCirclingTheSunOtherThanItself) {
    auto model = std::make_unique<SystemModel>();
    model->currentSystemName = "Sol";
    const struct {
        const char* name;
        const char* orbits;
        bool deleted;
    } planets[] = {
        {"Vega", "Sol", false},  {"Rigel", "Sol", false}, {"Moon", "Vega", false},
        {"Gone", "Sol", true},   {"", "Sol", false},      {"Vega", "Sol", false},
        {"Lower", "sol", false},
    };
    for (const auto& p : planets) {
        PlanetRecord& r = model->planets.at(model->AllocateIndex(ObjectKind::Planet));
        r.name = p.name;
        r.orbitsAround = p.orbits;
        r.deleted = p.deleted ? 1 : 0;
    }
    EXPECT_EQ(orbitsAroundChoices(*model, 1), (Strings{"Sol", "Rigel"}));
    EXPECT_EQ(orbitsAroundChoices(*model, 3), (Strings{"Sol", "Vega", "Rigel", "Vega"}));
}

namespace {

class DialogFlowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        writeOndFile(scratch.path("main.ond"),
                     {model_test::ondRecord("Sol", "U", 0), model_test::ondRecord("Vega", "U", 1)});
        d().Create(prompts);
    }
    SystemDesigner& d() { return state.designer(); }
    const SystemModel& tables() { return d().tables(); }
    /// Places an object with the tool and clicks its marker, as the window does.
    int placeAndSelect(Tool tool, int x = 60, int y = 90) {
        const DesignerChange placed = d().ClickMap(tool, {x, y}, prompts);
        const MarkerView& m = placed.added.at(0);
        EXPECT_EQ(d().ClickMarker(tool, {m.kind, m.index}, prompts).openDialog, m.kind);
        return m.index;
    }

    vk_test::ScratchDir scratch{"mw-dialogs"};
    EditorState state{scratch.root(), 7};
    vk_test::ScriptedPrompts prompts;
};

}  // namespace

TEST_F(DialogFlowTest, PlanetRenameReachesTheUsedList) {
    const int i = placeAndSelect(Tool::Planet);
    PlanetDialogOpening opening = planetDialogOpening(tables(), i);
    EXPECT_EQ(opening.values.name, "Vega");
    EXPECT_EQ(opening.values.model, "T1");
    EXPECT_EQ(opening.models, (Strings{"T1", "T2"}));  // swamp's
    EXPECT_EQ(opening.orbitChoices, Strings{"Sol"});
    opening.values.name = "Altair";
    opening.values.type = "gas_giant";
    const std::optional<DesignerChange> change = d().ConfirmDialog(opening.values, prompts);
    ASSERT_TRUE(change);
    // The map shows the new name beside the marker at once.
    ASSERT_EQ(change->added.size(), 1u);
    EXPECT_EQ(change->added[0].label, "Altair");
    EXPECT_EQ(tables().planets.at(i).name, "Altair");
    EXPECT_EQ(tables().planets.at(i).type, "gas_giant");
    EXPECT_EQ(readNameList(scratch.path("list.dat")), Strings{"Altair"});
}

TEST_F(DialogFlowTest, OkStoresEveryKindCutToItsCapacity) {
    const std::string longText(130, 'x');
    int i = placeAndSelect(Tool::MicroAsteroid);
    ASSERT_TRUE(d().ConfirmDialog(MicroAsteroidDialogValues{longText}, prompts));
    EXPECT_EQ(tables().microAsteroids.at(i).type.size(), 35u);
    i = placeAndSelect(Tool::Asteroid);
    ASSERT_TRUE(d().ConfirmDialog(AsteroidDialogValues{"MineableAsteroid2", 99}, prompts));
    EXPECT_EQ(asteroidDialogValues(tables(), i), (AsteroidDialogValues{"MineableAsteroid2", 99}));
    i = placeAndSelect(Tool::Wreck);
    EXPECT_EQ(wreckDialogValues(tables(), i), (WreckDialogValues{"Wreck_napelemmel", 12345}));
    ASSERT_TRUE(d().ConfirmDialog(WreckDialogValues{longText, 7}, prompts));
    EXPECT_EQ(wreckDialogValues(tables(), i), (WreckDialogValues{longText.substr(0, 20), 7}));
    i = placeAndSelect(Tool::Nebula);
    ASSERT_TRUE(d().ConfirmDialog(NebulaDialogValues{"nebulae"}, prompts));
    EXPECT_EQ(nebulaDialogValues(tables(), i).type, "nebulae");
    i = placeAndSelect(Tool::JumpNode);
    ASSERT_TRUE(d().ConfirmDialog(JumpNodeDialogValues{longText}, prompts));
    EXPECT_EQ(jumpNodeDialogValues(tables(), i).leadsTo, longText.substr(0, 125));
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(DialogFlowTest, ShipOkRenamesAndChecksBothNumbersFirst) {
    placeAndSelect(Tool::Ship, 10, 10);
    placeAndSelect(Tool::Ship, 20, 20);
    const int i = placeAndSelect(Tool::Ship);
    const ShipRecord before = tables().ships.at(i);
    EXPECT_EQ(before.name, "HPCORVETTETURRET3");
    ShipDialogOpening opening = shipDialogOpening(tables(), i);
    EXPECT_EQ(opening.values, (ShipDialogValues{"_H_P_CorvetteTurret", "NONE", "5", "4", false}));
    EXPECT_EQ(opening.numberChoices, (Strings{"1", "2", "3", "4"}));

    // A bad number writes nothing, whichever of the two it is.
    for (const auto& [rank, number, bad] :
         {std::tuple{"x", "2", "x"}, std::tuple{"3", "4a", "4a"}}) {
        const ShipDialogValues bad_values{"_K_I_CruiserGun", "Empire2", rank, number, true};
        EXPECT_FALSE(d().ConfirmDialog(bad_values, prompts));
        EXPECT_EQ(prompts.errors.back(), "'" + std::string(bad) + "' is not a valid integer value");
        EXPECT_EQ(tables().ships.at(i), before);
    }
    ASSERT_TRUE(
        d().ConfirmDialog(ShipDialogValues{"_K_I_CruiserGun", "Empire2", "3", "1", true}, prompts));
    const ShipRecord& r = tables().ships.at(i);
    EXPECT_EQ(r.name, "Ship3");
    EXPECT_EQ(r.owner, "Empire2");
    EXPECT_EQ(r.rank, 3);
    EXPECT_EQ(r.numberOfShips, 1);
    EXPECT_EQ(r.deployed, 1);
    opening = shipDialogOpening(tables(), i);
    EXPECT_EQ(opening.values.numberOfShips, "1");
    EXPECT_EQ(opening.numberChoices, (Strings{"1", "2"}));
}

TEST_F(DialogFlowTest, ZDialogWritesAtOnceAndCancelRestoresTheText) {
    const int i = placeAndSelect(Tool::Wreck);
    EXPECT_EQ(d().BeginZ(ObjectKind::Wreck), "0");
    EXPECT_FALSE(d().ConfirmZ("12a", prompts));
    EXPECT_EQ(prompts.errors, Strings{"'12a' is not a valid integer value"});
    EXPECT_EQ(tables().wrecks.at(i).z, 0);
    EXPECT_EQ(d().CancelZ(), "0");
    ASSERT_TRUE(d().ConfirmZ("-350", prompts));
    EXPECT_EQ(tables().wrecks.at(i).z, -350);
    EXPECT_EQ(tables().zTargetKind, ObjectKind::Wreck);
    EXPECT_EQ(d().BeginZ(ObjectKind::Wreck), "-350");
    // Another kind's object with the same index keeps its Z.
    EXPECT_EQ(tables().ships.at(i).z, 0);
}

TEST_F(DialogFlowTest, LinkSystemsOffersTheNodesOfTheFile) {
    const std::string alpha = scratch.path("alpha.sdf");
    model_test::writeDesignFile(
        alpha, {model_test::sunRecord("Alpha"), model_test::jumpNode("AlphaJumpnode1", "0"),
                model_test::object("planet", "Rock", 1, 2, 3),
                model_test::jumpNode("AlphaJumpnode2", "BetaJumpnode1")});
    const int i = placeAndSelect(Tool::JumpNode);
    prompts.file("");  // cancelled: nothing offered
    EXPECT_FALSE(d().LinkSystems(prompts));
    prompts.file(alpha);
    EXPECT_EQ(d().LinkSystems(prompts), (Strings{"0", "AlphaJumpnode1", "AlphaJumpnode2"}));
    EXPECT_EQ(prompts.dialogs.back(), FileDialog::LinkSystems);
    const struct {
        const char* chosen;
        std::optional<std::string> shown;
    } rows[] = {{"AlphaJumpnode2", "BetaJumpnode1"},
                {"AlphaJumpnode1", "0"},
                {"0", "0"},
                {"AlphaJumpnode", std::nullopt}};
    for (const auto& r : rows) EXPECT_EQ(d().links().leadsToShown(r.chosen), r.shown) << r.chosen;
    ASSERT_TRUE(d().ChooseLink("AlphaJumpnode2", prompts));
    EXPECT_EQ(tables().jumpNodes.at(i).leadsTo, "AlphaJumpnode2");

    prompts.file(scratch.write("short.sdf", std::string(100, 'x')));
    EXPECT_FALSE(d().LinkSystems(prompts));
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_NE(prompts.errors[0].find("short.sdf"), std::string::npos);
}

TEST_F(DialogFlowTest, MoreThanAHundredNodesOfferTheFirstHundred) {
    std::vector<SdfRecord> records{model_test::sunRecord("Big")};
    for (int n = 1; n <= 130; ++n)
        records.push_back(model_test::jumpNode("BigJumpnode" + std::to_string(n), "0"));
    model_test::writeDesignFile(scratch.path("big.sdf"), records);
    placeAndSelect(Tool::JumpNode);
    prompts.file(scratch.path("big.sdf"));
    const auto entries = d().LinkSystems(prompts);
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->size(), 101u);
    EXPECT_EQ(entries->back(), "BigJumpnode100");
    EXPECT_EQ(d().links().leadsToShown("BigJumpnode101"), std::nullopt);
    ASSERT_EQ(prompts.notices.size(), 1u);
    EXPECT_NE(prompts.notices[0].find("130 jump nodes"), std::string::npos);
}
