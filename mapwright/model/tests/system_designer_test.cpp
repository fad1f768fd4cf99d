#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "common/shell_text.h"
#include "editor/editor_state.h"
#include "model_test_support.h"
#include "names/name_lists.h"
#include "names/name_records.h"
#include "scripted_prompts.h"
#include "system/designer_text.h"
#include "system/sdf_record.h"
#include "system_designer/designer_step.h"
#include "test_support.h"

using namespace mw;
using model_test::ondRecord;
using vk_test::ScriptedPrompts;

namespace {

class DesignerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        writeOndFile(scratch.path("main.ond"), {ondRecord("Sol", "U", 0), ondRecord("Vega", "U", 1),
                                                ondRecord("Rigel", "U", 1)});
        change = d().Create(prompts);
    }

    SystemDesigner& d() { return state.designer(); }
    std::vector<std::string> pool() { return readNameList(scratch.path("p_names.dat")); }
    std::vector<std::string> used() { return readNameList(scratch.path("list.dat")); }
    DesignerChange click(Tool tool, int x, int y) { return d().ClickMap(tool, {x, y}, prompts); }
    std::string designFile(const std::string& name, const std::vector<SdfRecord>& records) {
        model_test::writeDesignFile(scratch.path(name), records);
        return scratch.path(name);
    }

    vk_test::ScratchDir scratch{"mw-designer"};
    EditorState state{scratch.root(), 7};
    ScriptedPrompts prompts;
    DesignerChange change;
};

}  // namespace

TEST(WorldFromPixel, WorkedExamples) {
    const struct {
        int pixel;
        std::int32_t world;
    } rows[] = {{0, -200000}, {123, -100405}, {246, -810},  {247, 0},
                {248, 1623},  {369, 99797},   {492, 199594}};
    for (const auto& r : rows) EXPECT_EQ(WorldFromPixel(r.pixel), r.world) << r.pixel;
}

TEST_F(DesignerTest, CreationDrawsTheSystemNameAndFillsThePool) {
    EXPECT_EQ(d().header().sunName, "Sol");
    EXPECT_EQ(d().header().sunType, "Sun");
    EXPECT_EQ(d().header().scale, "0.7");
    EXPECT_EQ(change.caption, "Sol system");
    EXPECT_EQ(pool(), (std::vector<std::string>{"Vega", "Rigel"}));
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(DesignerTest, CursorShowsRowAsXAndColumnAsY) {
    EXPECT_EQ(d().MoveCursor({0, 492}), (WorldPosition{199594, -200000}));
    EXPECT_EQ(d().tables().lastCursorPixel, (MarkerPos{0, 492}));
}

TEST_F(DesignerTest, EachToolPlacesItsKindWithThePlacementValues) {
    const struct {
        Tool tool;
        ObjectKind kind;
        const char* caption;
        const char* hint;
    } rows[] = {
        {Tool::Planet, ObjectKind::Planet, "P", "Planet1"},
        {Tool::Ship, ObjectKind::Ship, "S", "Ship1"},
        {Tool::Asteroid, ObjectKind::Asteroid, "as", "Minable asteroid1"},
        {Tool::MicroAsteroid, ObjectKind::MicroAsteroid, "ma", "Microasteroid1"},
        {Tool::Wreck, ObjectKind::Wreck, "W", "Wreckage1"},
        {Tool::Nebula, ObjectKind::Nebula, "N", "Nebulae1"},
        {Tool::JumpNode, ObjectKind::JumpNode, "J", "SolJumpnode1"},
    };
    for (const auto& r : rows) {
        const DesignerChange c = click(r.tool, 100, 300);
        ASSERT_EQ(c.added.size(), 1u) << r.hint;
        const MarkerView& m = c.added[0];
        EXPECT_EQ(m.kind, r.kind);
        EXPECT_EQ(m.index, 1);
        EXPECT_EQ(m.caption, r.caption);
        EXPECT_EQ(m.hint, r.hint);
        EXPECT_EQ(m.left(), 92);
        EXPECT_EQ(m.top(), 292);
        EXPECT_TRUE(d().tables().IsLive(r.kind, 1)) << r.hint;
    }
    const SystemModel& t = d().tables();
    const PlanetRecord& p = t.planets.at(1);
    EXPECT_EQ(p.name, "Vega");  // the seeded draw
    EXPECT_EQ(p.x, WorldFromPixel(300));
    EXPECT_EQ(p.y, WorldFromPixel(100));
    EXPECT_EQ(p.orbitsAround, "Sol");
    EXPECT_EQ(p.type, "swamp");
    EXPECT_EQ(p.owner, "none");
    EXPECT_EQ(p.diameter, 800);
    EXPECT_EQ(used(), std::vector<std::string>{"Vega"});
    EXPECT_EQ(pool(), std::vector<std::string>{"Rigel"});
    const ShipRecord& s = t.ships.at(1);
    EXPECT_EQ(s.name, "HPCORVETTETURRET1");
    EXPECT_EQ(s.owner, "NONE");
    EXPECT_EQ(s.type, "_H_P_CorvetteTurret");
    EXPECT_EQ(s.rank, 5);
    EXPECT_EQ(s.numberOfShips, 4);
    EXPECT_EQ(t.microAsteroids.at(1).type, "microasteroids_nagy");
    EXPECT_EQ(t.wrecks.at(1).type, "Wreck_napelemmel");
    EXPECT_EQ(t.wrecks.at(1).value, 12345);
    EXPECT_EQ(t.asteroids.at(1).capacity, 120000);
    EXPECT_EQ(t.jumpNodes.at(1).leadsTo, "0");
    EXPECT_EQ(t.jumpNodes.at(1).marker, (MarkerPos{100, 300}));
}

TEST_F(DesignerTest, RandomTypesCoverEveryChoice) {
    std::set<std::string> nebulae, asteroids;
    for (int i = 0; i < 60; ++i) {
        click(Tool::Nebula, 10 + i, 10);
        click(Tool::Asteroid, 10 + i, 20);
        nebulae.insert(d().tables().nebulae.at(i + 1).type.str());
        asteroids.insert(d().tables().asteroids.at(i + 1).type.str());
    }
    EXPECT_EQ(nebulae, (std::set<std::string>{"cloud1", "nebulae"}));
    EXPECT_EQ(asteroids, (std::set<std::string>{"MineableAsteroid1", "MineableAsteroid2",
                                                "MineableAsteroid3", "MineableAsteroid4"}));
}

TEST_F(DesignerTest, NothingIsPlacedOnTheSunOrOffThePanel) {
    for (const ToolInfo& t : kTools) {
        EXPECT_TRUE(click(t.tool, 247, 247).added.empty()) << t.code;
        EXPECT_TRUE(click(t.tool, 493, 10).added.empty()) << t.code;
    }
    // The delete tool says so first, on the sun as anywhere else.
    EXPECT_EQ(prompts.notices, std::vector<std::string>{"You can't delete the NOTHING! :D"});
    click(Tool::Delete, 10, 10);
    EXPECT_EQ(prompts.notices.size(), 2u);
    for (int k = 0; k < kObjectKindCount; ++k)
        EXPECT_EQ(d().tables().count(static_cast<ObjectKind>(k)), 0);
}

TEST_F(DesignerTest, The1001stObjectIsRefusedWithANotice) {
    for (int i = 0; i < kTableCapacity; ++i) ASSERT_EQ(click(Tool::Wreck, 5, 5).added.size(), 1u);
    const DesignerChange c = click(Tool::Wreck, 6, 6);
    EXPECT_TRUE(c.added.empty());
    EXPECT_FALSE(c.systemChanged);
    EXPECT_EQ(prompts.notices.back(), designer_text::tableFull(ObjectKind::Wreck));
    EXPECT_EQ(d().tables().count(ObjectKind::Wreck), kTableCapacity);
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(DesignerTest, MarkerClicksSelectOrDelete) {
    click(Tool::Planet, 10, 10);  // Vega
    click(Tool::Planet, 20, 20);  // Rigel
    click(Tool::Planet, 30, 30);  // Planet3, the pool being empty
    EXPECT_EQ(prompts.notices.back(), "Ran out of predefined planet names! Generating one...");

    const DesignerChange open = d().ClickMarker(Tool::Ship, {ObjectKind::Planet, 2}, prompts);
    EXPECT_EQ(open.openDialog, ObjectKind::Planet);
    EXPECT_EQ(d().tables().currentObjectIndex, 2);
    EXPECT_TRUE(d().tables().IsLive(ObjectKind::Planet, 2));

    // A generated name does not go back to the pool; a real one goes to its end.
    EXPECT_EQ(d().ClickMarker(Tool::Delete, {ObjectKind::Planet, 3}, prompts).removed,
              (std::vector<ObjectRef>{{ObjectKind::Planet, 3}}));
    EXPECT_TRUE(pool().empty());
    d().ClickMarker(Tool::Delete, {ObjectKind::Planet, 1}, prompts);
    EXPECT_EQ(pool(), std::vector<std::string>{"Vega"});
    EXPECT_EQ(used(), std::vector<std::string>{"Rigel"});
    EXPECT_EQ(d().markers().size(), 1u);
    // A deleted index is not handed out again.
    EXPECT_EQ(click(Tool::Planet, 40, 40).added.at(0).index, 4);
}

TEST_F(DesignerTest, SunNameChangeDragsThePlanetsAlong) {
    click(Tool::Planet, 10, 10);
    const DesignerChange c = d().SetSunName("Helios");
    EXPECT_EQ(c.caption, "Helios system");
    EXPECT_EQ(d().tables().planets.at(1).orbitsAround, "Helios");
    EXPECT_EQ(d().tables().currentSystemName, "Helios");
    EXPECT_FALSE(d().SetScale("0.7").systemChanged);
    EXPECT_TRUE(d().SetScale("0.9").headerChanged);
}

TEST_F(DesignerTest, SaveAndOpenPutTheMarkersBack) {
    click(Tool::MicroAsteroid, 100, 300);
    click(Tool::JumpNode, 400, 50);
    click(Tool::Planet, 5, 480);
    d().SetSunName("St. John's");
    std::vector<MarkerView> before = d().markers();

    prompts.file(scratch.path("sys"));
    EXPECT_EQ(d().SaveAs(prompts), scratch.path("sys.sdf"));
    EXPECT_EQ(d().filePath(), scratch.path("sys.sdf"));
    d().Closing();
    EXPECT_TRUE(d().markers().empty());

    prompts.answer(true).file(scratch.path("sys.sdf"));
    const DesignerChange c = d().Open(prompts);
    EXPECT_TRUE(c.clearMarkers);
    EXPECT_EQ(c.caption, "St. John's system");
    EXPECT_EQ(state.lastOpenedCaption(), "St. John's system");
    // Node ids are built anew from the sun name read.
    ASSERT_EQ(before.size(), 3u);
    EXPECT_EQ(before[2].hint, "SolJumpnode1");
    before[2].hint = before[2].label = "St__John_sJumpnode1";
    EXPECT_EQ(c.added, before);
    EXPECT_EQ(d().header().sunName, "St. John's");
}

TEST_F(DesignerTest, AFailedOpenLeavesTheSystemAsItWas) {
    click(Tool::Planet, 10, 10);
    click(Tool::Ship, 20, 20);
    d().SetBackground("Background7");
    const DesignerSnapshot before = d().TakeSnapshot();

    SdfRecord sun;
    sun.tag = "sun";
    sun.name = "Other";
    SdfRecord planet;
    planet.tag = "planet";
    planet.name = "P";
    planet.markerX = "1";
    planet.markerY = "2";
    SdfRecord badMarker = planet;
    badMarker.markerY = "12a";
    std::vector<SdfRecord> tooMany(kTableCapacity + 2, planet);
    tooMany[0] = sun;
    const std::string partial = designFile("partial.sdf", {sun, planet});
    scratch.write("partial.sdf", scratch.read("partial.sdf") + "xx");
    const struct {
        std::string file;
        std::string named;
    } rows[] = {
        {scratch.path("missing.sdf"), "missing.sdf"},
        {scratch.write("empty.sdf", ""), "empty.sdf"},
        {partial, "partial.sdf"},
        {designFile("marker.sdf", {sun, planet, badMarker}), "'12a' is not a valid integer value"},
        {designFile("full.sdf", tooMany), "full.sdf"},
        {scratch.root().string(), scratch.root().string()},
    };
    for (const auto& r : rows) {
        prompts.errors.clear();
        prompts.answer(true).file(r.file);
        const DesignerChange c = d().Open(prompts);
        EXPECT_FALSE(c.clearMarkers) << r.file;
        EXPECT_TRUE(c.added.empty());
        ASSERT_EQ(prompts.errors.size(), 1u) << r.file;
        EXPECT_NE(prompts.errors[0].find(r.named), std::string::npos) << prompts.errors[0];
        EXPECT_TRUE(d().TakeSnapshot() == before) << r.file;
        EXPECT_FALSE(state.openFlag());
    }
}

TEST_F(DesignerTest, AWindowMadeForOpenReadsTheFileAndRefillsThePool) {
    click(Tool::Planet, 10, 10);  // Vega
    prompts.file(scratch.path("vega.sdf"));
    d().SaveAs(prompts);
    d().Closing();

    EXPECT_EQ(state.BeginOpen(false, prompts), EditorState::OpenCommand::CreateDesigner);
    prompts.file(scratch.path("vega.sdf"));
    const DesignerChange c = d().Create(prompts);
    EXPECT_FALSE(c.closeWindow);
    ASSERT_EQ(c.added.size(), 1u);
    EXPECT_EQ(c.caption, "Sol system");
    EXPECT_EQ(state.lastOpenedCaption(), "Sol system");
    EXPECT_EQ(pool(), std::vector<std::string>{"Rigel"});  // Vega is on the map
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(DesignerTest, OpenQuestionAndCancelledDialog) {
    d().SetUnsaved(true);
    // Declined: nothing asked further, nothing changes.
    prompts.answer(false);
    EXPECT_FALSE(d().Open(prompts).closeWindow);
    EXPECT_TRUE(prompts.dialogs.empty());
    // Cancelled without the open flag: nothing happens; with it the window closes.
    prompts.answer(true).file("");
    EXPECT_FALSE(d().Open(prompts).closeWindow);
    EXPECT_EQ(state.BeginOpen(false, prompts), EditorState::OpenCommand::CreateDesigner);
    prompts.file("");
    const DesignerChange c = d().Create(prompts);
    EXPECT_TRUE(c.closeWindow);
    EXPECT_EQ(prompts.questions.size(), 2u);  // the window made for Open does not ask
    EXPECT_FALSE(state.openFlag());
    EXPECT_EQ(prompts.dialogs.back(), FileDialog::OpenSystem);
}

TEST_F(DesignerTest, ClearMapOnlyOnYes) {
    click(Tool::Planet, 10, 10);
    click(Tool::Nebula, 20, 20);
    const DesignerSnapshot before = d().TakeSnapshot();
    prompts.answer(false);
    EXPECT_FALSE(d().ClearMap(prompts).clearMarkers);
    EXPECT_TRUE(d().TakeSnapshot() == before);

    prompts.answer(true);
    EXPECT_TRUE(d().ClearMap(prompts).clearMarkers);
    EXPECT_TRUE(d().markers().empty());
    EXPECT_EQ(pool(), (std::vector<std::string>{"Vega", "Rigel"}));  // every name, none excluded
    prompts.file(scratch.path("cleared.sdf"));
    d().SaveAs(prompts);
    EXPECT_EQ(scratch.read("cleared.sdf").size(), kSdfRecordSize);
    EXPECT_EQ(prompts.questions,
              (std::vector<std::string>{std::string(designer_text::kAskClearMap),
                                        std::string(designer_text::kAskClearMap)}));
}

TEST_F(DesignerTest, SnapshotRestoresTablesHeaderAndNameFiles) {
    const DesignerSnapshot empty = d().TakeSnapshot();
    click(Tool::Planet, 10, 10);
    d().SetSunName("Helios");
    EXPECT_FALSE(d().TakeSnapshot() == empty);
    d().RestoreSnapshot(empty);
    EXPECT_TRUE(d().TakeSnapshot() == empty);
    EXPECT_EQ(pool(), (std::vector<std::string>{"Vega", "Rigel"}));
    EXPECT_TRUE(d().markers().empty());
    // The restored count hands out the same index again, and nothing above it is live.
    EXPECT_EQ(click(Tool::Planet, 10, 10).added.at(0).index, 1);
}

TEST_F(DesignerTest, MainWindowQuestions) {
    ScriptedPrompts p;
    // Nothing unsaved: Open, Exit and Close act without a question.
    EXPECT_EQ(state.BeginOpen(true, p), EditorState::OpenCommand::OpenInDesigner);
    EXPECT_TRUE(state.ConfirmQuit(EditorState::QuitCommand::Toolbar, p));
    EXPECT_TRUE(d().ConfirmClose(p));
    EXPECT_TRUE(p.questions.empty());

    d().SetUnsaved(true);
    p.answer(false).answer(true).answer(true).answer(false);
    EXPECT_EQ(state.BeginOpen(true, p), EditorState::OpenCommand::Nothing);
    EXPECT_FALSE(state.openFlag());  // the designer's own Open asks again, keeping its window
    EXPECT_EQ(state.BeginOpen(true, p), EditorState::OpenCommand::OpenInDesigner);
    EXPECT_TRUE(state.ConfirmQuit(EditorState::QuitCommand::Menu, p));
    EXPECT_FALSE(state.ConfirmQuit(EditorState::QuitCommand::Toolbar, p));
    EXPECT_EQ(p.questions, (std::vector<std::string>{std::string(shell_text::kAskOpenNew),
                                                     std::string(shell_text::kAskOpenNew),
                                                     std::string(shell_text::kAskQuitMenu),
                                                     std::string(shell_text::kAskQuitToolbar)}));
    state.MainWindowShown();
    EXPECT_FALSE(state.openFlag());
}

namespace {

// The pointer values follow the hand, not the steps: compared as they stand now.
DesignerSnapshot withPointerOf(DesignerSnapshot s, const DesignerSnapshot& now) {
    s.tables.currentObjectIndex = now.tables.currentObjectIndex;
    s.tables.zTargetKind = now.tables.zTargetKind;
    s.tables.lastCursorPixel = now.tables.lastCursorPixel;
    return s;
}

std::set<std::tuple<int, int, int, int, std::string>> markersAfter(
    const std::vector<MarkerView>& shown, const DesignerChange& change) {
    std::map<std::pair<int, int>, MarkerView> map;
    if (!change.clearMarkers)
        for (const MarkerView& m : shown) map[{int(m.kind), m.index}] = m;
    for (const ObjectRef& o : change.removed) map.erase({int(o.kind), o.index});
    for (const MarkerView& m : change.added) map[{int(m.kind), m.index}] = m;
    std::set<std::tuple<int, int, int, int, std::string>> out;
    for (const auto& [key, m] : map)
        out.insert({key.first, key.second, m.pixel.x, m.pixel.y, m.hint});
    return out;
}

}  // namespace

TEST_F(DesignerTest, EveryKindOfStepUndoesAndRedoesExactly) {
    const auto select = [this](ObjectKind kind) {
        d().ClickMarker(Tool::Planet, {kind, 1}, prompts);
    };
    const struct {
        const char* step;
        std::function<void()> act;
    } rows[] = {
        {"place planet", [&] { click(Tool::Planet, 300, 40); }},
        {"place ship", [&] { click(Tool::Ship, 300, 40); }},
        {"delete planet",
         [&] {
             d().ClickMarker(Tool::Delete, {ObjectKind::Planet, 1}, prompts);
         }},
        {"dialog OK",
         [&] {
             select(ObjectKind::Planet);
             PlanetDialogValues v = planetDialogOpening(d().tables(), 1).values;
             v.name = "Altair";
             ASSERT_TRUE(d().ConfirmDialog(v, prompts));
         }},
        {"Z",
         [&] {
             select(ObjectKind::JumpNode);
             d().BeginZ(ObjectKind::JumpNode);
             ASSERT_TRUE(d().ConfirmZ("-42", prompts));
         }},
        {"link",
         [&] {
             select(ObjectKind::JumpNode);
             ASSERT_TRUE(d().ChooseLink("Rigel", prompts));
         }},
        {"sun name", [&] { d().SetSunName("Helios"); }},
        {"sun type", [&] { d().SetSunType("Redsun"); }},
        {"background", [&] { d().SetBackground("Background9"); }},
        {"scale", [&] { d().SetScale("1.5"); }},
        {"clear map", [&] { d().ClearMap(prompts.answer(true)); }},
        {"move",
         [&] {
             d().MoveMarker({ObjectKind::JumpNode, 1}, {400, 400});
         }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.step);
        d().Closing();
        d().Create(prompts);
        click(Tool::Planet, 10, 10);  // Vega
        click(Tool::JumpNode, 20, 20);
        const DesignerSnapshot before = d().TakeSnapshot();
        r.act();
        const DesignerSnapshot after = d().TakeSnapshot();
        const DesignerStep step = DesignerStep::Between(before, after);
        ASSERT_FALSE(step.empty());

        const std::vector<MarkerView> shown = d().markers();
        const DesignerChange undone = d().UndoStep(step);
        const DesignerSnapshot now = d().TakeSnapshot();
        EXPECT_TRUE(now == withPointerOf(before, now));
        // The window's markers, changed as the change says, are the system's.
        EXPECT_EQ(markersAfter(shown, undone), markersAfter(d().markers(), {}));
        EXPECT_TRUE(undone.headerChanged);
        d().RedoStep(step);
        EXPECT_TRUE(d().TakeSnapshot() == withPointerOf(after, d().TakeSnapshot()));
        d().UndoStep(step);
        EXPECT_TRUE(d().TakeSnapshot() == withPointerOf(before, d().TakeSnapshot()));
    }
}

TEST_F(DesignerTest, StepsKeepTheNameListsInStep) {
    click(Tool::Planet, 10, 10);  // Vega leaves the pool
    const DesignerSnapshot placed = d().TakeSnapshot();
    d().ClickMarker(Tool::Delete, {ObjectKind::Planet, 1}, prompts);
    const DesignerStep deletion = DesignerStep::Between(placed, d().TakeSnapshot());
    EXPECT_EQ(pool(), (std::vector<std::string>{"Rigel", "Vega"}));

    // Undoing the deletion takes the name out of the pool again, though the
    // names manager added one since; redoing returns it.
    AppendName(state.nameFiles(), "p_names.dat", "Deneb");
    d().UndoStep(deletion);
    EXPECT_EQ(pool(), (std::vector<std::string>{"Rigel", "Deneb"}));
    EXPECT_EQ(used(), std::vector<std::string>{"Vega"});
    d().RedoStep(deletion);
    EXPECT_EQ(pool(), (std::vector<std::string>{"Rigel", "Deneb", "Vega"}));
    EXPECT_TRUE(used().empty());
}

TEST_F(DesignerTest, AStepHoldsOnlyWhatItChanged) {
    std::vector<TOndRecord> names;
    names.reserve(1200);
    for (int i = 0; i < 1200; ++i) names.push_back(ondRecord("Name" + std::to_string(i), "U", 1));
    writeOndFile(scratch.path("main.ond"), names);
    d().Closing();
    d().Create(prompts);
    for (int i = 0; i < 500; ++i) click(Tool::Wreck, 10 + i % 400, 300);
    for (int i = 0; i < 20; ++i) click(Tool::Planet, 10 + i, 200);
    ASSERT_GT(pool().size(), 1000u);
    const DesignerSnapshot before = d().TakeSnapshot();
    click(Tool::Planet, 30, 30);
    const DesignerSnapshot after = d().TakeSnapshot();
    const DesignerStep step = DesignerStep::Between(before, after);
    // One planet record, one name out of the pool and one into the used list.
    EXPECT_LT(step.size(), sizeof(step) + 2 * sizeof(PlanetRecord) + 4 * TPoolEntry::kSize);
    d().UndoStep(step);
    EXPECT_TRUE(d().TakeSnapshot() == withPointerOf(before, d().TakeSnapshot()));
    d().RedoStep(step);
    EXPECT_TRUE(d().TakeSnapshot() == withPointerOf(after, d().TakeSnapshot()));
}

TEST_F(DesignerTest, DraggingAMarkerPlacesItAnew) {
    click(Tool::Ship, 10, 10);
    d().BeginZ(ObjectKind::Ship);
    d().ClickMarker(Tool::Ship, {ObjectKind::Ship, 1}, prompts);
    ASSERT_TRUE(d().ConfirmZ("77", prompts));
    const ShipRecord kept = d().tables().ships.at(1);
    const MarkerPos sun{247, 247};
    ASSERT_EQ(WorldFromMarker(sun), (WorldPosition{0, 0}));
    const struct {
        ObjectRef object;
        MarkerPos to;
        bool moves;
    } rows[] = {
        {{ObjectKind::Ship, 1}, {369, 123}, true},  {{ObjectKind::Ship, 1}, sun, false},
        {{ObjectKind::Ship, 1}, {-1, 100}, false},  {{ObjectKind::Ship, 1}, {100, 493}, false},
        {{ObjectKind::Ship, 2}, {100, 100}, false},  // no such object
    };
    for (const auto& r : rows) {
        const DesignerSnapshot before = d().TakeSnapshot();
        const DesignerChange c = d().MoveMarker(r.object, r.to);
        EXPECT_EQ(c.systemChanged, r.moves) << r.to.x << "," << r.to.y;
        if (!r.moves) {
            EXPECT_TRUE(d().TakeSnapshot() == before);
            continue;
        }
        ShipRecord expected = kept;
        expected.marker = r.to;
        expected.x = -100405;  // X follows the row, as when placed
        expected.y = 99797;
        EXPECT_TRUE(d().tables().ships.at(1) == expected);
        EXPECT_EQ(c.added, std::vector<MarkerView>{d().marker(r.object)});
        EXPECT_EQ(c.removed, std::vector<ObjectRef>{r.object});
    }
}
