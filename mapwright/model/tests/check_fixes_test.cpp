// The check's fixes on small maps that each hold one problem: after the fix
// the check finds none, the files read back byte by byte say what changed,
// and the fix is taken back only over files that still hold what it left.
#include "check/check_fixes.h"

#include <gtest/gtest.h>

#include "check/map_check.h"
#include "check/map_links.h"
#include "common/errors.h"
#include "map/project_file.h"
#include "model_test_support.h"
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
    }
    std::vector<MapProblem> check() const { return CheckMap(map, dir.root()); }
    std::vector<std::string> files() const {
        std::vector<std::string> bytes;
        for (const std::string& p : paths) bytes.push_back(vk_test::readFile(p));
        return bytes;
    }

    vk_test::ScratchDir dir{"mw-check-fixes"};
    std::vector<std::string> paths;
    MapProjectRecord map;
};

}  // namespace

TEST(CheckFixesTest, EachFixLeavesTheCheckCleanAndIsTakenBack) {
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
        const MapProjectRecord mapBefore = w.map;
        FixSteps steps;
        steps.apply(*fix, w.map.systems);
        EXPECT_EQ(w.check(), std::vector<MapProblem>{}) << fix->change;
        const std::vector<std::string> after = w.files();
        for (std::size_t i = 0; i < after.size(); ++i) {
            const bool edited = fix->rename == std::nullopt && i == c.slot;
            EXPECT_EQ(after[i] != before[i], edited) << i;
            if (edited) {
                EXPECT_EQ(leadsToAt(after[i], c.record), c.leadsTo);
            }
        }
        if (fix->rename) {
            EXPECT_EQ(w.map.systems[0].systemName, "Alpha");
        }
        ASSERT_TRUE(steps.canUndo());
        EXPECT_EQ(steps.undoText(), "Undo " + std::string(c.caption));
        steps.undo(w.map.systems);
        EXPECT_EQ(w.files(), before);
        EXPECT_EQ(w.map.systems, mapBefore.systems);
    }
}

TEST(CheckFixesTest, UndoRefusesAFileChangedSince) {
    FixWorld w(kCases[0].systems);
    const std::optional<CheckFix> fix = FixFor(w.check().at(0), w.map, w.dir.root());
    ASSERT_TRUE(fix);
    FixSteps steps;
    steps.apply(*fix, w.map.systems);
    std::string beta = vk_test::readFile(w.paths[1]);
    beta[1 * 568 + 24] ^= 1;  // the node's X, changed by hand
    vk_test::writeFile(w.paths[1], beta);
    try {
        steps.undo(w.map.systems);
        ADD_FAILURE() << "undone over a changed file";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("s1.sdf"), std::string::npos) << e.what();
    }
    EXPECT_EQ(vk_test::readFile(w.paths[1]), beta);
    EXPECT_TRUE(steps.canUndo());
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
    FixSteps steps;
    steps.apply(LinkSystemsBothWays(w.map, w.dir.root(), 0, 1), w.map.systems);
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
    steps.apply(UnlinkSystems(w.map, w.dir.root(), 1, 0), w.map.systems);
    EXPECT_EQ(w.files(), before);
    steps.undo(w.map.systems);
    steps.undo(w.map.systems);
    EXPECT_EQ(w.files(), before);
}
