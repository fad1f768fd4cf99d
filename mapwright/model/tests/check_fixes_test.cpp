// The check's fixes on small maps that each hold one problem: after the fix
// the check finds none, the files read back byte by byte say what changed,
// and the fix is a step of the wizard's map, taken back (and made again) only
// over files that still hold what it left, all of them or none.
#include "check/check_fixes.h"

#include <gtest/gtest.h>

#include "check/map_check.h"
#include "check/map_links.h"
#include "common/errors.h"
#include "common/file_faults.h"
#include "fault_points.h"
#include "map/project_file.h"
#include "model_test_support.h"
#include "project/map_history_files.h"
#include "scripted_prompts.h"
#include "test_support.h"

using namespace mw;
using namespace model_test;

namespace {

using Systems = std::vector<std::pair<std::string, std::vector<SdfRecord>>>;

struct FixCase {
    const char* name;
    Systems systems;  // slot name and records, the sun first
    ProblemKind kind;
    const char* caption;  // the fix offered for the first problem; nullptr: none
    // The design file (slot) and record whose leads-to the fix changes, and to what.
    std::size_t slot = 0, record = 0;
    const char* leadsTo = "";
};

const FixCase kCases[] = {
    {"one-way to a free node",
     {{"Alpha", {sunRecord("Alpha"), jumpNode("AlphaJumpnode1", "BetaJumpnode1")}},
      {"Beta", {sunRecord("Beta"), jumpNode("BetaJumpnode1", "0")}}},
     ProblemKind::OneWayLink,
     "Make two-way",
     1,
     1,
     "AlphaJumpnode1"},
    {"one-way to a node leading nowhere",
     {{"Alpha", {sunRecord("Alpha"), jumpNode("AlphaJumpnode1", "BetaJumpnode2")}},
      {"Beta",
       {sunRecord("Beta"), object("nebulaes", "cloud1", 1, 2, 3), jumpNode("BetaJumpnode1", "0"),
        jumpNode("BetaJumpnode2", "Nowhere")}}},
     ProblemKind::OneWayLink,
     "Make two-way",
     1,
     3,
     "AlphaJumpnode1"},
    {"one-way to a node of another link: none is safe",
     {{"Alpha", {sunRecord("Alpha"), jumpNode("AlphaJumpnode1", "BetaJumpnode1")}},
      {"Beta", {sunRecord("Beta"), jumpNode("BetaJumpnode1", "GammaJumpnode1")}},
      {"Gamma", {sunRecord("Gamma"), jumpNode("GammaJumpnode1", "BetaJumpnode1")}}},
     ProblemKind::OneWayLink,
     nullptr},
    {"a node leading nowhere",
     {{"Alpha", {sunRecord("Alpha"), jumpNode("AlphaJumpnode1", "Nowhere")}}},
     ProblemKind::UnlinkedNode,
     "Set to 0",
     0,
     1,
     "0"},
    {"a slot named otherwise than its sun",
     {{"Alfa", {sunRecord("Alpha"), jumpNode("AlphaJumpnode1", "0")}}},
     ProblemKind::SlotNameMismatch,
     "Use the sun's name"},
    {"a sun name another slot has",
     {{"Alpha", {sunRecord("Alpha")}}, {"Alfa", {sunRecord("Alpha")}}},
     ProblemKind::SlotNameMismatch,
     nullptr},
};

struct FixWorld {
    explicit FixWorld(const Systems& systems) {
        std::vector<std::pair<std::string, std::string>> slots;
        for (std::size_t i = 0; i < systems.size(); ++i) {
            paths.push_back(dir.path("s" + std::to_string(i) + ".sdf"));
            writeDesignFile(paths.back(), systems[i].second);
            slots.emplace_back(systems[i].first, paths.back());
        }
        map = mapOf(slots);
        MapProject& p = doc.project();
        p.systems = map.systems;
        p.systemCount = static_cast<int>(systems.size());
        p.kept = BuildProjectRecord(p);  // as loaded: no "*"
    }
    // The wizard's map as it is now, as "Save map" would write it.
    MapProjectRecord record() const { return BuildProjectRecord(doc.project()); }
    std::vector<MapProblem> check() const { return CheckMap(record(), dir.root()); }
    void fix(const CheckFix& f) { MakeFixStep(doc, f); }
    std::vector<std::string> files() const {
        std::vector<std::string> bytes;
        for (const std::string& p : paths) bytes.push_back(vk_test::readFile(p));
        return bytes;
    }

    vk_test::ScratchDir dir{"mw-check-fixes"};
    std::vector<std::string> paths;
    MapProjectRecord map;
    MapDocument doc;
    vk_test::ScriptedPrompts prompts;
};

}  // namespace

TEST(CheckFixesTest, EachFixLeavesTheCheckCleanAndIsOneStepOfTheMap) {
    for (const FixCase& c : kCases) {
        SCOPED_TRACE(c.name);
        FixWorld w(c.systems);
        const std::vector<MapProblem> problems = w.check();
        ASSERT_FALSE(problems.empty());
        EXPECT_EQ(problems[0].kind, c.kind);
        const std::optional<CheckFix> fix = FixFor(problems[0], w.map, w.dir.root());
        ASSERT_EQ(fix.has_value(), c.caption != nullptr);
        if (!fix) continue;
        EXPECT_EQ(fix->caption, c.caption);
        const std::vector<std::string> before = w.files();
        const MapProjectRecord mapBefore = w.record();
        w.fix(*fix);
        EXPECT_EQ(w.check(), std::vector<MapProblem>{}) << fix->change;
        const std::vector<std::string> after = w.files();
        for (std::size_t i = 0; i < after.size(); ++i) {
            const bool edited = fix->rename == std::nullopt && i == c.slot;
            EXPECT_EQ(after[i] != before[i], edited) << i;
            if (edited) {
                EXPECT_EQ(leadsToAt(after[i], c.record), c.leadsTo);
            }
        }
        // A rename changes the map (its "*"); a file's fix leaves it saved.
        EXPECT_EQ(w.doc.unsaved(), fix->rename.has_value());
        if (fix->rename) {
            EXPECT_EQ(w.record().systems[0].systemName, "Alpha");
        }
        EXPECT_EQ(w.doc.history().undoLabel(), c.caption);
        ASSERT_TRUE(w.doc.undo(w.prompts));
        EXPECT_EQ(w.files(), before);
        EXPECT_EQ(w.record(), mapBefore);
        EXPECT_FALSE(w.doc.unsaved());
        ASSERT_TRUE(w.doc.redo(w.prompts));
        EXPECT_EQ(w.files(), after);
        EXPECT_EQ(w.check(), std::vector<MapProblem>{});
        EXPECT_TRUE(w.prompts.errors.empty());
    }
}

// A drag's link writes two files. Undo over a file changed on disk since, or
// with a write failing at any point, changes neither file nor the map: the
// step stays, and once the cause is gone it is undone whole.
TEST(CheckFixesTest, AStepOfTwoFilesIsUndoneWholeOrNotAtAll) {
    FixWorld w({{"Alpha", {sunRecord("Alpha"), jumpNode("AlphaJumpnode1", "0")}},
                {"Beta", {sunRecord("Beta"), jumpNode("BetaJumpnode1", "0")}}});
    const std::vector<std::string> before = w.files();
    w.fix(LinkSystemsBothWays(w.map, w.dir.root(), 0, 1));
    const std::vector<std::string> linked = w.files();
    ASSERT_NE(linked[0], before[0]);
    ASSERT_NE(linked[1], before[1]);

    std::string beta = linked[1];
    beta[1 * 568 + 24] ^= 1;  // the node's X, changed by hand
    vk_test::writeFile(w.paths[1], beta);
    EXPECT_FALSE(w.doc.undo(w.prompts));
    ASSERT_EQ(w.prompts.errors.size(), 1u);
    EXPECT_NE(w.prompts.errors[0].find("s1.sdf"), std::string::npos) << w.prompts.errors[0];
    EXPECT_EQ(w.files(), (std::vector<std::string>{linked[0], beta}));
    vk_test::writeFile(w.paths[1], linked[1]);  // put back as the link left it

    // The undo's writes counted, then each failed in turn.
    file_faults::ResetCounts();
    ASSERT_TRUE(w.doc.undo(w.prompts));
    const FileCounts steps = file_faults::Counts();
    ASSERT_TRUE(w.doc.redo(w.prompts));
    for (const FileFault& fault : faultPoints(steps)) {
        SCOPED_TRACE(describe(fault));
        file_faults::Arm(fault);
        const bool undone = w.doc.undo(w.prompts);
        file_faults::Disarm();
        if (undone) {
            EXPECT_EQ(w.files(), before);  // a fault the save survives
            ASSERT_TRUE(w.doc.redo(w.prompts));
            continue;
        }
        EXPECT_EQ(w.files(), linked);
        EXPECT_TRUE(w.doc.history().canUndo());
    }
    ASSERT_TRUE(w.doc.undo(w.prompts));
    EXPECT_EQ(w.files(), before);
    EXPECT_FALSE(w.doc.unsaved());
}

TEST(CheckFixesTest, TheProjectFileTakesTheSunsNameAndNothingElse) {
    FixWorld w(kCases[4].systems);
    w.map.mapName = "Two words";
    const std::string project = w.dir.path("map.vmpf");
    WriteProjectFile(project, w.map);
    const std::string before = vk_test::readFile(project);
    const FileEdit edit = ProjectRenameEdit(project, {0, "Alfa", "Alpha"});
    ApplyFileEdits({edit}, true);
    const std::string after = vk_test::readFile(project);
    ASSERT_EQ(after.size(), 6672u);
    // The first slot's name: a length byte and 125 characters at offset 0.
    EXPECT_EQ(after.substr(0, 6),
              "\x05"
              "Alpha");
    EXPECT_EQ(after.substr(126), before.substr(126));
    EXPECT_THROW(ProjectRenameEdit(project, {0, "Alfa", "Alpha"}), UserError);
}

TEST(MapLinksTest, ADragLinksAFreeNodeOfEachBothWaysAndTheMenuUnlinksThem) {
    FixWorld w({{"Alpha",
                 {sunRecord("Alpha"), jumpNode("AlphaJumpnode1", "Nowhere"),
                  jumpNode("AlphaJumpnode2", "0")}},
                {"Beta", {sunRecord("Beta"), jumpNode("BetaJumpnode1", "0")}},
                {"Gamma", {sunRecord("Gamma"), jumpNode("GammaJumpnode1", "AlphaJumpnode1")}}});
    const std::vector<std::string> before = w.files();
    w.fix(LinkSystemsBothWays(w.map, w.dir.root(), 0, 1));
    EXPECT_EQ(leadsToAt(vk_test::readFile(w.paths[0]), 2), "BetaJumpnode1");
    EXPECT_EQ(leadsToAt(vk_test::readFile(w.paths[1]), 1), "AlphaJumpnode2");
    // Beta's one node is taken now; Gamma's leads somewhere: no link, and why.
    for (const auto& [from, to, why] : {std::tuple{1, 2, "\"Beta\" has no free jump node"},
                                        std::tuple{2, 1, "\"Gamma\" has no free jump node"}}) {
        try {
            LinkSystemsBothWays(w.map, w.dir.root(), from, to);
            ADD_FAILURE() << why;
        } catch (const UserError& e) {
            EXPECT_NE(std::string(e.what()).find(why), std::string::npos) << e.what();
        }
    }
    w.fix(UnlinkSystems(w.map, w.dir.root(), 1, 0));
    EXPECT_EQ(w.files(), before);
    EXPECT_EQ(w.doc.history().undoLabel(), "Remove link Beta - Alpha");
    EXPECT_TRUE(w.doc.undo(w.prompts) && w.doc.undo(w.prompts));
    EXPECT_EQ(w.files(), before);
}
