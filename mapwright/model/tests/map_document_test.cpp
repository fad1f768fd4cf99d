// The wizard's map as a document: undo and redo of every kind of change, steps
// that carry edits of other files, several design files inserted at once, and
// the map's recovery copy surviving a killed editor.
#include "project/map_document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/file_faults.h"
#include "editor/editor_state.h"
#include "map/project_file.h"
#include "model_test_support.h"
#include "recent/recent_files.h"
#include "recovery/recovery_file.h"
#include "scripted_prompts.h"
#include "test_support.h"

using namespace mw;
using vk_test::ScriptedPrompts;

namespace {

class MapDocumentTest : public ::testing::Test {
  protected:
    std::string designFile(const std::string& name, const std::string& sunName) {
        std::string path = scratch_.path(name);
        model_test::writeDesignFile(path, {model_test::sunRecord(sunName)});
        return path;
    }
    // What "Save map" would write now, as the bytes of a file.
    std::string bytesOf() const {
        const ProjectBytes b = EncodeProject(BuildProjectRecord(map_.project()));
        return std::string(b.begin(), b.end());
    }
    void insert(std::vector<std::string> files) {
        prompts_.fileList(std::move(files));
        map_.insert(prompts_);
    }

    vk_test::ScratchDir scratch_{"mw-mapdoc"};
    MapDocument map_;
    ScriptedPrompts prompts_;
};

// Each kind of change is one step: undo brings back the bytes a save wrote
// before it, redo those after it, and "*" follows.
TEST_F(MapDocumentTest, EveryKindOfChangeIsOneStepUndoneAndRedone) {
    const std::string alpha = designFile("alpha.sdf", "Alpha");
    const std::string beta = designFile("beta.sdf", "Beta");
    insert({alpha, beta});
    const struct {
        const char* what;
        std::function<void()> change;
    } changes[] = {
        {"insert", [&] { insert({designFile("gamma.sdf", "Gamma")}); }},
        {"remove", [&] { map_.remove({0}); }},
        {"clear", [&] { map_.clear(prompts_.answer(true)); }},
        {"map name typed",
         [&] {
             for (const char* text : {"N", "No", "Nor", "North"}) map_.setMapName(text);
         }},
        {"description", [&] { map_.setDescription("Cold"); }},
        {"empire count", [&] { map_.setEmpireCount("8", prompts_); }},
        {"empire field",
         [&] {
             map_.selectEmpire(1);
             map_.setEmpireField(EmpireField::Money, "5");
             map_.setEmpireField(EmpireField::Money, "50");
         }},
        {"empire name", [&] { map_.setEmpireField(EmpireField::Name, "Swarm"); }},
    };
    const ProjectBytes empty = EncodeProject(MapProject().kept);
    const std::string kNewMap(empty.begin(), empty.end());
    for (const auto& c : changes) {
        const std::string before = bytesOf();
        const bool unsavedBefore = map_.unsaved();
        c.change();
        const std::string after = bytesOf();
        ASSERT_NE(before, after) << c.what;
        // Never saved: unsaved exactly while it differs from a new map.
        EXPECT_EQ(map_.caption(),
                  after == kNewMap ? "Map creator wizard..." : "Map creator wizard...*")
            << c.what;
        ASSERT_TRUE(map_.undo(prompts_)) << c.what;
        EXPECT_EQ(bytesOf(), before) << c.what;
        EXPECT_EQ(map_.unsaved(), unsavedBefore) << c.what;
        ASSERT_TRUE(map_.redo(prompts_)) << c.what;
        EXPECT_EQ(bytesOf(), after) << c.what;
        EXPECT_FALSE(map_.redo(prompts_)) << c.what;
    }
    // Back through every step to the empty map, which is what a new map is.
    while (map_.undo(prompts_)) {
    }
    EXPECT_EQ(bytesOf(), kNewMap);
    EXPECT_FALSE(map_.unsaved());
    EXPECT_EQ(map_.caption(), "Map creator wizard...");
}

// Closing asks only while the map is unsaved; the answer decides, the map stays.
TEST_F(MapDocumentTest, CloseAsksOnlyWhileUnsaved) {
    const std::string kAsk =
        "Are you sure you want to close this window? (Your unsaved datas will be lost)";
    for (const bool unsaved : {false, true})
        for (const bool yes : {false, true}) {
            MapDocument map;
            if (unsaved) map.setMapName("North");
            ScriptedPrompts prompts;
            prompts.answer(yes);
            EXPECT_EQ(map.confirmClose(prompts), !unsaved || yes) << unsaved << yes;
            EXPECT_EQ(prompts.questions, std::vector<std::string>(unsaved ? 1 : 0, kAsk));
            EXPECT_EQ(map.project().mapName, unsaved ? "North" : "");
        }
}

// A step that also wrote other files: undo reverts them before the map, and
// when they cannot be reverted the map, the history and the "*" stay.
TEST_F(MapDocumentTest, FileEditsOfAStepAreRevertedFirstAndAFailureKeepsTheStep) {
    struct Edits : FileEdits {
        std::vector<std::string>* log;
        std::string failure;
        std::string revert() override {
            log->push_back("revert");
            return failure;
        }
        std::string apply() override {
            log->push_back("apply");
            return failure;
        }
    };
    std::vector<std::string> log;
    auto edits = std::make_shared<Edits>();
    edits->log = &log;
    edits->failure = "beta.sdf: changed on disk since the link was made";
    const MapProject before = map_.project();
    // The map itself need not change: a link lives in the design files.
    map_.push({"link Alpha to Beta", before, map_.project(), edits, {}});
    EXPECT_EQ(map_.history().undoLabel(), "link Alpha to Beta");
    EXPECT_FALSE(map_.undo(prompts_));
    EXPECT_EQ(prompts_.errors, std::vector<std::string>{edits->failure});
    EXPECT_TRUE(map_.history().canUndo());
    edits->failure.clear();
    EXPECT_TRUE(map_.undo(prompts_));
    EXPECT_TRUE(map_.redo(prompts_));
    EXPECT_EQ(log, (std::vector<std::string>{"revert", "revert", "apply"}));
}

// Several files at once, in the order chosen; each refusal is said and the
// rest still go in, all as one undo step; a full map stops with one notice.
TEST_F(MapDocumentTest, SeveralFilesInsertedInOrderWithTheirRefusals) {
    const std::string alpha = designFile("alpha.sdf", "Alpha");
    const std::string again = designFile("again.sdf", "Alpha");
    const std::string beta = designFile("beta.sdf", "Beta");
    insert({beta, scratch_.path("missing.sdf"), again, alpha});
    EXPECT_EQ(map_.project().systemNames(), (std::vector<std::string>{"Beta", "Alpha"}));
    EXPECT_EQ(prompts_.notices, std::vector<std::string>{"The map alread conatins this system!"});
    ASSERT_EQ(prompts_.errors.size(), 1u);
    EXPECT_NE(prompts_.errors[0].find("missing.sdf"), std::string::npos);
    EXPECT_TRUE(map_.undo(prompts_));
    EXPECT_EQ(map_.project().systemCount, 0);

    prompts_.notices.clear();
    std::vector<std::string> twelve;
    twelve.reserve(12);
    for (int i = 0; i < 12; ++i)
        twelve.push_back(designFile("s" + std::to_string(i) + ".sdf", "S" + std::to_string(i)));
    insert(twelve);
    EXPECT_EQ(map_.project().systemCount, kMaxSystems);
    EXPECT_EQ(prompts_.notices, std::vector<std::string>{
                                    "You have reached the maximum number of systems in this map!"});
}

// Load map and Exit ask only while the map is unsaved; No keeps it.
TEST_F(MapDocumentTest, LoadAndExitAskOnlyWhileUnsaved) {
    EditorState state(scratch_.root());
    const std::string project = scratch_.path("kept.vmpf");
    WriteProjectFile(project, BuildProjectRecord(MapProject()));
    ScriptedPrompts p;
    EXPECT_TRUE(state.ConfirmQuit(EditorState::QuitCommand::Menu, p));
    state.map().setMapName("Typed");
    EXPECT_FALSE(state.ConfirmQuit(EditorState::QuitCommand::Menu, p));
    EXPECT_FALSE(state.map().loadFile(project, p));
    EXPECT_EQ(state.project().mapName, "Typed");
    EXPECT_TRUE(state.map().loadFile(project, p.answer(true)));
    EXPECT_FALSE(state.map().unsaved());
    EXPECT_FALSE(state.map().history().canUndo());
    EXPECT_EQ(p.questions.size(), 3u);
}

// A full disk after the project file was written: the mission source fails,
// said by name, and the map belongs to the file written (its "*", the file
// its recovery copy and the recent list name), not to the one before.
TEST_F(MapDocumentTest, ASourceThatCannotBeWrittenKeepsTheProjectSaved) {
    insert({designFile("alpha.sdf", "Alpha")});
    map_.setMapName("North");
    const std::string project = scratch_.path("north.vmpf");
    const std::string mission = scratch_.path("north.txt");
    ScriptedPrompts save;
    save.answer(true).file(project).answer(true).file(mission);
    {
        const ScopedFileFault full({FileStep::Create, 2, 0, ENOSPC, true});
        EXPECT_EQ(map_.save(save), project);
        EXPECT_TRUE(full.fired());
    }
    EXPECT_EQ(map_.project().projectFile, project);
    EXPECT_FALSE(map_.unsaved());
    const std::string written = vk_test::readFile(project);
    EXPECT_EQ(written.size(), 6672u);
    EXPECT_NE(written.find("North"), std::string::npos);
    ASSERT_EQ(save.errors.size(), 1u);
    EXPECT_NE(save.errors[0].find(mission), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(mission));
}

// A killed editor leaves the map's recovery copy: the bytes a save writes.
// The next start restores it unsaved, belonging to the file it came from.
TEST_F(MapDocumentTest, RecoveryCopyOfTheMapOutlivesAKill) {
    const std::string project = scratch_.path("north.vmpf");
    insert({designFile("alpha.sdf", "Alpha")});
    map_.setMapName("North");
    ScriptedPrompts save;
    save.answer(true).file(project).answer(false);
    ASSERT_EQ(map_.save(save), project);
    map_.setDescription("Changed after the save");
    const RecoveryFiles files(scratch_.root() / "state", RecoveryKind::Map);
    files.write(BuildProjectRecord(map_.project()), {project, 1700000000});
    EXPECT_EQ(vk_test::readFile(files.designFile()), bytesOf());
    // The kill: nothing else runs. A new editor state finds the copy.
    const std::optional<RecoveryInfo> info = files.find();
    ASSERT_TRUE(info);
    EXPECT_EQ(info->originalPath, project);
    MapDocument restarted;
    restarted.restoreRecovered(files.designFile().string(), info->originalPath, prompts_);
    EXPECT_EQ(restarted.project().description, "Changed after the save");
    EXPECT_EQ(restarted.project().systemNames(), std::vector<std::string>{"Alpha"});
    EXPECT_TRUE(restarted.unsaved());
    EXPECT_EQ(restarted.project().projectFile, project);
    // The system's copy beside it is another pair of files.
    EXPECT_NE(files.designFile(), RecoveryFiles(files.folder()).designFile());
    EXPECT_EQ(RestoreQuestion(LocalTime(0), RecoveryKind::Map).rfind("Restore the unsaved map", 0),
              0u);
}

TEST(RecentFileLabelTest, NameThenItsFolderShortenedFromTheStart) {
    const std::string longFolder = "/home/ann/" + std::string(60, 'x') + "/maps/north";
    const struct {
        std::string path, label;
    } cases[] = {
        {"/home/ann/one/alpha.sdf", "alpha.sdf  (/home/ann/one)"},
        {"/home/ann/two/alpha.sdf", "alpha.sdf  (/home/ann/two)"},
        {longFolder + "/m.vmpf", "m.vmpf  (.../maps/north)"},
        {"alpha.sdf", "alpha.sdf"},
    };
    for (const auto& c : cases) EXPECT_EQ(RecentFileLabel(c.path), c.label) << c.path;
}

}  // namespace
