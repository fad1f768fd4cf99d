#include "project/map_project.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "check/map_check.h"
#include "common/errors.h"
#include "map/project_file.h"
#include "model_test_support.h"
#include "project/project_check.h"
#include "project/slot_paths.h"
#include "project/wizard_controls.h"
#include "scripted_prompts.h"
#include "system/sdf_record.h"
#include "test_support.h"

using namespace mw;
using vk_test::ScriptedPrompts;
namespace fs = std::filesystem;

namespace {

class MapProjectTest : public ::testing::Test {
  protected:
    // As the system writes paths (on Windows with '\\'), as the model gives them.
    std::string file(const std::string& name) const {
        return vk_test::utf8(vk_test::utf8Path(scratch_.path(name)).make_preferred());
    }
    static std::string readBytes(const std::string& path) { return vk_test::readFile(path); }
    // A design file whose first record names the system.
    std::string designFile(const std::string& name, const std::string& sunName) {
        std::string path = scratch_.path(name);
        model_test::writeDesignFile(path, {model_test::sunRecord(sunName)});
        return path;
    }
    bool insert(const std::string& path) {
        prompts_.files[FileDialog::InsertSystem] = path;
        return InsertSystem(project_, prompts_);
    }
    std::string saveProject(const std::string& name) {
        ScriptedPrompts p;
        p.answers[std::string(wizard_text::kAskSaveProject)] = true;
        p.files[FileDialog::SaveProject] = file(name);
        EXPECT_EQ(SaveMap(project_, p), file(name));
        return readBytes(file(name));
    }
    void load(const std::string& path) {
        prompts_.files[FileDialog::LoadProject] = path;
        ASSERT_TRUE(LoadProject(project_, prompts_));
    }
    static std::string field(const std::string& bytes, std::size_t offset) {
        const auto len = static_cast<unsigned char>(bytes.at(offset));
        return bytes.substr(offset + 1, len);
    }
    static std::int32_t int32(const std::string& b, std::size_t o) {
        return static_cast<std::int32_t>(
            static_cast<std::uint32_t>(static_cast<unsigned char>(b[o])) |
            static_cast<std::uint32_t>(static_cast<unsigned char>(b[o + 1])) << 8 |
            static_cast<std::uint32_t>(static_cast<unsigned char>(b[o + 2])) << 16 |
            static_cast<std::uint32_t>(static_cast<unsigned char>(b[o + 3])) << 24);
    }
    static bool allZero(const std::string& b, std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i)
            if (b[i] != 0) return false;
        return true;
    }

    vk_test::ScratchDir scratch_{"mw-project"};
    MapProject project_;
    ScriptedPrompts prompts_;
};

constexpr std::size_t kEmp = 4208, kEmpSize = 308;

TEST_F(MapProjectTest, NewMapSavedAtOnceIsTheDefaultRecord) {
    ScriptedPrompts p;
    p.answers[std::string(wizard_text::kAskSaveProject)] = true;
    p.files[FileDialog::SaveProject] = file("new.vmpf");
    SaveMap(project_, p);
    ASSERT_EQ(p.questions.size(), 2u);
    EXPECT_EQ(p.questions[0], "Save the map to a *.vmpf file?");
    EXPECT_EQ(p.questions[1].rfind("The map check found 1 warning:", 0), 0u);  // no systems
    EXPECT_EQ(p.notices, (std::vector<std::string>{"Map saved to " +
                                                   fs::absolute(file("new.vmpf")).string() + "!"}));
    const std::string b = readBytes(file("new.vmpf"));
    ASSERT_EQ(b.size(), kProjectFileSize);
    EXPECT_TRUE(allZero(b, 0, 4204)) << "slots, empty name, description, reserved";
    EXPECT_EQ(int32(b, 4204), 2);
    for (int e = 0; e < 2; ++e) {
        const std::size_t o = kEmp + static_cast<std::size_t>(e) * kEmpSize;
        const std::string n = std::to_string(e + 1);
        EXPECT_EQ(field(b, o), "AI" + n);
        EXPECT_EQ(field(b, o + 126), "Standard");
        EXPECT_EQ(field(b, o + 167), "Human");
        EXPECT_EQ(int32(b, o + 208), 1000);
        EXPECT_EQ(field(b, o + 212), "Team" + n);
        EXPECT_EQ(field(b, o + 253), "Standard");
        EXPECT_EQ(int32(b, o + 296), 4);
        EXPECT_EQ(int32(b, o + 300), 15);
        EXPECT_EQ(int32(b, o + 304), 6);
    }
    EXPECT_TRUE(allZero(b, kEmp + 2 * kEmpSize, kProjectFileSize)) << "unused empire records";
}

TEST_F(MapProjectTest, SaveMapStepsAreIndependentAndCancellable) {
    ScriptedPrompts p;  // Yes to saving, but the dialog is cancelled; No to generating
    p.answers[std::string(wizard_text::kAskSaveProject)] = true;
    EXPECT_EQ(SaveMap(project_, p), "");
    EXPECT_TRUE(p.notices.empty());
    EXPECT_EQ(p.questions.size(), 2u);
    EXPECT_EQ(p.dialogs.size(), 1u);
    EXPECT_TRUE(fs::is_empty(scratch_.root()));
}

TEST_F(MapProjectTest, NameAndDescriptionAreCut) {
    project_.mapName = std::string(200, 'n');
    project_.description = std::string(300, 'd');
    const std::string b = saveProject("cut.vmpf");
    EXPECT_EQ(field(b, 3820), std::string(125, 'n'));
    EXPECT_EQ(field(b, 3946), std::string(255, 'd'));
}

TEST_F(MapProjectTest, EmpireSettingsSurviveCountChanges) {
    EXPECT_EQ(SetEmpireCount(project_, "8", prompts_), 8);
    project_.selectedEmpire = 6;
    project_.selected().name = "Pirates";
    project_.selected().money = -50;
    EXPECT_EQ(SetEmpireCount(project_, "2", prompts_), 2);
    EXPECT_LT(project_.selectedEmpire, 2);  // the controls edit a shown empire
    EXPECT_EQ(project_.empireTabs(), (std::vector<std::string>{"Empire1", "Empire2"}));
    const std::string two = saveProject("two.vmpf");
    EXPECT_TRUE(allZero(two, kEmp + 2 * kEmpSize, kProjectFileSize));
    SetEmpireCount(project_, "8", prompts_);
    EXPECT_EQ(project_.empires[6].name, "Pirates");
    const std::string eight = saveProject("eight.vmpf");
    EXPECT_EQ(field(eight, kEmp + 6 * kEmpSize), "Pirates");
    EXPECT_EQ(int32(eight, kEmp + 6 * kEmpSize + 208), -50);
    EXPECT_TRUE(prompts_.notices.empty());
}

TEST_F(MapProjectTest, EmpireCountTextsOtherThanTwoFourEightBecomeFour) {
    for (const char* text : {"3", "", "16", "8 ", "-2"}) {
        ScriptedPrompts p;
        project_.empireCount = 8;
        EXPECT_EQ(SetEmpireCount(project_, text, p), 4) << '"' << text << '"';
        EXPECT_EQ(p.notices, (std::vector<std::string>{
                                 "You can use only 2,4 or 8 empires in your map! Setting value "
                                 "to 4..."}));
        EXPECT_EQ(project_.empireTabs().size(), 4u);
    }
}

TEST_F(MapProjectTest, LoadingRestoresTheMap) {
    ASSERT_TRUE(insert(designFile("a.sdf", "Alpha")));
    ASSERT_TRUE(insert(designFile("b.sdf", "Beta")));
    project_.mapName = "Duel";
    project_.description = "Two systems";
    SetEmpireCount(project_, "4", prompts_);
    project_.empires[3].race = "Darzok";
    project_.empires[4].name = "Beyond the count";
    saveProject("four.vmpf");

    MapProject other;
    ScriptedPrompts p;
    SetEmpireCount(other, "8", p);
    other.empires[3].race = "Kariak";
    other.empires[4].name = "Mine";
    other.selectedEmpire = 5;
    p.files[FileDialog::LoadProject] = file("four.vmpf");
    ASSERT_TRUE(LoadProject(other, p));
    EXPECT_EQ(other.empireCount, 4);
    EXPECT_EQ(other.selectedEmpire, 0);
    EXPECT_EQ(other.mapName, "Duel");
    EXPECT_EQ(other.description, "Two systems");
    EXPECT_EQ(other.systemNames(), (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_EQ(other.systems[1].designFile, file("b.sdf"));
    EXPECT_EQ(other.empires[3].race, "Darzok");
    EXPECT_EQ(other.empires[4].name, "Mine");  // beyond the file's count: kept
    EXPECT_TRUE(p.notices.empty());

    p.files[FileDialog::LoadProject] = "";
    EXPECT_FALSE(LoadProject(other, p));  // cancelled
}

TEST_F(MapProjectTest, DamagedEmpireCountsLoadAsFour) {
    const struct {
        std::int32_t stored;
        int recordsTaken;
    } cases[] = {{-1, 0}, {0, 0}, {3, 3}, {9, 8}, {1 << 30, 8}};
    for (const auto& c : cases) {
        MapProjectRecord r;
        r.empireCount = 8;
        for (int i = 0; i < kMaxEmpires; ++i) r.empires[i] = EmpireSetup::defaults(i + 1);
        for (auto& e : r.empires) e.team = "FromFile";
        ProjectBytes bytes = EncodeProject(r);
        const auto v = static_cast<std::uint32_t>(c.stored);
        for (int i = 0; i < 4; ++i) bytes[4204 + i] = static_cast<std::uint8_t>(v >> (8 * i));
        scratch_.write("bad.vmpf",
                       std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));

        MapProject p;
        ScriptedPrompts prompts;
        LoadProjectFile(p, file("bad.vmpf"), prompts);
        EXPECT_EQ(p.empireCount, 4) << c.stored;
        EXPECT_EQ(prompts.notices.size(), 1u) << c.stored;
        int taken = 0;
        for (const auto& e : p.empires) taken += e.team == "FromFile";
        EXPECT_EQ(taken, c.recordsTaken) << c.stored;
    }
}

TEST_F(MapProjectTest, ShortFilesFailAndLeaveTheMapAlone) {
    ASSERT_TRUE(insert(designFile("a.sdf", "Alpha")));
    const std::string whole = saveProject("ok.vmpf");
    scratch_.write("short.vmpf", whole.substr(0, 6671));
    scratch_.write("long.vmpf", whole + "trailing bytes");
    scratch_.write("empty.vmpf", "");
    for (const char* name : {"short.vmpf", "empty.vmpf", "missing.vmpf"}) {
        MapProject p;
        p.mapName = "Before";
        try {
            LoadProjectFile(p, file(name), prompts_);
            ADD_FAILURE() << name;
        } catch (const IoError& e) {
            EXPECT_NE(std::string(e.what()).find(file(name)), std::string::npos) << e.what();
        }
        EXPECT_EQ(p.mapName, "Before");
    }
    MapProject p;
    LoadProjectFile(p, file("long.vmpf"), prompts_);
    EXPECT_EQ(p.systemNames(), (std::vector<std::string>{"Alpha"}));
}

TEST_F(MapProjectTest, LoadClosesGapsBetweenStoredSlots) {
    MapProjectRecord r;
    r.systems[1].systemName = "B";
    r.systems[1].designFile = "b.sdf";
    r.systems[4].systemName = "E";
    r.systems[4].designFile = "e.sdf";
    r.systems[2].designFile = "ignored: no name";
    WriteProjectFile(file("gaps.vmpf"), r);
    load(file("gaps.vmpf"));
    EXPECT_EQ(project_.systemNames(), (std::vector<std::string>{"B", "E"}));
    EXPECT_EQ(project_.systems[1].designFile, "e.sdf");
    EXPECT_TRUE(project_.systems[2].designFile.empty());
    // The next insert goes behind them instead of over one.
    ASSERT_TRUE(insert(designFile("c.sdf", "C")));
    EXPECT_EQ(project_.systemNames(), (std::vector<std::string>{"B", "E", "C"}));
}

TEST_F(MapProjectTest, InsertRefusals) {
    ASSERT_TRUE(insert(designFile("a.sdf", "Alpha")));
    EXPECT_FALSE(insert(designFile("a2.sdf", "Alpha")));  // same name, other file
    EXPECT_FALSE(insert(designFile("empty.sdf", "")));
    EXPECT_EQ(prompts_.notices,
              (std::vector<std::string>(2, "The map alread conatins this system!")));
    EXPECT_EQ(project_.systemCount, 1);
    EXPECT_FALSE(insert(""));  // dialog cancelled
    EXPECT_THROW(insert(file("missing.sdf")), IoError);
    scratch_.write("short.sdf", "abc");
    EXPECT_THROW(insert(file("short.sdf")), IoError);
    EXPECT_EQ(project_.systemCount, 1);

    for (int i = 2; i <= kMaxSystems; ++i)
        ASSERT_TRUE(insert(designFile("s" + std::to_string(i) + ".sdf", "S" + std::to_string(i))));
    prompts_.notices.clear();
    const int dialogsBefore = static_cast<int>(prompts_.dialogs.size());
    EXPECT_FALSE(insert(designFile("eleven.sdf", "Eleven")));
    EXPECT_EQ(
        prompts_.notices,
        (std::vector<std::string>{"You have reached the maximum number of systems in this map!"}));
    EXPECT_EQ(static_cast<int>(prompts_.dialogs.size()),
              dialogsBefore);  // refused before asking for a file
    EXPECT_EQ(project_.systemCount, kMaxSystems);
}

TEST_F(MapProjectTest, RemovalCompactsInOrder) {
    const struct {
        std::vector<int> rows;
        std::vector<std::string> left;
    } cases[] = {
        {{0}, {"B", "C", "D"}},           {{3, 1}, {"A", "C"}},       {{0, 1, 2, 3}, {}},
        {{2, 2, 7, -1}, {"A", "B", "D"}}, {{}, {"A", "B", "C", "D"}},
    };
    for (const auto& c : cases) {
        ResetProject(project_);
        for (const char* n : {"A", "B", "C", "D"})
            ASSERT_TRUE(insert(designFile(std::string(n) + ".sdf", n)));
        RemoveSelectedSystems(project_, c.rows);
        EXPECT_EQ(project_.systemNames(), c.left);
        EXPECT_EQ(project_.systemCount, static_cast<int>(c.left.size()));
        for (std::size_t i = c.left.size(); i < kMaxSystems; ++i)
            EXPECT_TRUE(project_.systems[i].empty() && project_.systems[i].designFile.empty());
        if (!c.left.empty()) {
            EXPECT_EQ(project_.systems[0].designFile, file(c.left[0] + ".sdf"));
        }
    }
}

}  // namespace

TEST_F(MapProjectTest, MovedDesignFilesAreFoundBesideTheProject) {
    const std::string project = scratch_.path("moved/map.vmpf");
    const std::string beside = file("moved/alpha.sdf");
    designFile("moved/alpha.sdf", "Alpha");
    const std::string stays = designFile("beta.sdf", "Beta");
    const struct {
        std::string stored;
        std::optional<std::string> found;
    } rows[] = {
        {stays, stays},                               // still where it was
        {"/gone/elsewhere/alpha.sdf", beside},        // moved with the project
        {"C:\\Maps\\alpha.sdf", beside},              // stored on another kind of system
        {"/gone/elsewhere/gamma.sdf", std::nullopt},  // in neither place
    };
    for (const auto& r : rows) EXPECT_EQ(LocateDesignFile(r.stored, project), r.found) << r.stored;

    insert(stays);
    project_.systems[0].designFile = "/gone/elsewhere/beta.sdf";
    EXPECT_EQ(LocateSlotFiles(project_, project).missing.size(), 1u);
    scratch_.write("moved/beta.sdf", scratch_.read("beta.sdf"));
    const std::vector<std::string> notes = LocateSlotFiles(project_, project).replaced;
    EXPECT_EQ(project_.systems[0].designFile, file("moved/beta.sdf"));
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("/gone/elsewhere/beta.sdf"), std::string::npos) << notes[0];
}

// A slot whose design file cannot be used is reported for what it is, in the
// same words by the wizard's lookup (and generate's) and by the check.
TEST_F(MapProjectTest, SlotsWithoutAUsableDesignFileSayWhy) {
    const std::string project = file("maps/map.vmpf");
    // Named with '/' even on Windows: the lookup beside the project, in the
    // system's separators, is the same file and not named twice.
    const std::string folder = scratch_.path("maps/folder.sdf");
    fs::create_directories(folder);
    const struct {
        std::string stored;
        std::string why;
    } rows[] = {
        {"", "no design file is stored for the system"},
        {folder, "the design file cannot be read: " + folder + ": open failed: not a regular file"},
        {file("gone.sdf"), "the design file cannot be read: " + file("gone.sdf") +
                               ": open failed: No such file or directory; not beside the "
                               "project file either (" +
                               file("maps/gone.sdf") + ")"},
    };
    for (const auto& r : rows) {
        MapProject map;
        map.systems[0].systemName = "Alpha";
        map.systems[0].designFile = r.stored;
        map.systemCount = 1;
        map.projectFile = project;
        EXPECT_EQ(LocateSlotFiles(map, project).missing,
                  std::vector<std::string>{"system 'Alpha': " + r.why});
        const std::vector<MapProblem> problems = CheckMap(map);
        ASSERT_FALSE(problems.empty());
        EXPECT_EQ(problems[0].kind, ProblemKind::MissingSystemFile);
        EXPECT_EQ(problems[0].message, r.why);
    }
}

// "Save map" checks first: a clean map is asked as before, one with only
// warnings whether to generate anyway, one with errors is told so and asked
// nothing about the source. The project file is offered in every case.
TEST_F(MapProjectTest, SaveMapGeneratesWhatTheCheckAllows) {
    const SdfRecord leadsNowhere = model_test::jumpNode("AlphaJumpnode1", "Nowhere");
    const struct {
        const char* name;
        std::vector<SdfRecord> objects;
        std::string mapName;
        bool answer;  // to the question about the source
        std::string lastQuestion;
        bool generated;
    } rows[] = {
        {"clean", {}, "Map", true, "Generate INF source?", true},
        {"warnings, Yes", {leadsNowhere}, "Map", true, "The map check found 1 warning:", true},
        {"warnings, No", {leadsNowhere}, "Map", false, "The map check found 1 warning:", false},
        {"errors", {leadsNowhere}, "Say \"hi\"", true, "Save the map to a *.vmpf file?", false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<SdfRecord> records{model_test::sunRecord("Alpha")};
        records.insert(records.end(), r.objects.begin(), r.objects.end());
        model_test::writeDesignFile(file("alpha.sdf"), records);
        ResetProject(project_);
        ASSERT_TRUE(insert(file("alpha.sdf")));
        project_.mapName = r.mapName;
        fs::remove(file("mission.txt"));

        ScriptedPrompts p;
        p.answer(true).file(file("map.vmpf")).answer(r.answer).file(file("mission.txt"));
        SaveMap(project_, p, 1u);
        EXPECT_EQ(p.questions.back().rfind(r.lastQuestion, 0), 0u) << p.questions.back();
        EXPECT_EQ(readBytes(file("map.vmpf")).size(), kProjectFileSize);
        EXPECT_EQ(fs::exists(file("mission.txt")), r.generated);
        if (r.lastQuestion != "Save the map to a *.vmpf file?") continue;
        ASSERT_EQ(p.errors.size(), 1u);
        for (const char* part : {"found 1 error:", "[unsafe-text]", "\"Check map\""})
            EXPECT_NE(p.errors[0].find(part), std::string::npos) << p.errors[0];
        EXPECT_EQ(p.dialogs, std::vector<FileDialog>{FileDialog::SaveProject});
    }
}

// A design file missing when the map was loaded and put beside the project
// file afterwards: the check finds it there, and so does the generator.
TEST_F(MapProjectTest, SaveMapGeneratesFromTheFilesTheCheckRead) {
    model_test::writeDesignFile(file("old/alpha.sdf"), {model_test::sunRecord("Alpha")});
    ASSERT_TRUE(insert(file("old/alpha.sdf")));
    fs::create_directory(file("moved"));
    saveProject("moved/map.vmpf");
    fs::rename(file("old/alpha.sdf"), file("alpha.sdf"));
    load(file("moved/map.vmpf"));
    EXPECT_EQ(verdictOf(CheckMap(project_)), CheckVerdict::Errors);

    fs::copy_file(file("alpha.sdf"), file("moved/alpha.sdf"));
    EXPECT_EQ(CheckMap(project_), std::vector<MapProblem>{});
    EXPECT_EQ(project_.systems[0].designFile, file("old/alpha.sdf"));  // as stored
    ScriptedPrompts p;
    p.answers[std::string(wizard_text::kAskGenerate)] = true;
    p.files[FileDialog::SaveInfSource] = file("mission.txt");
    SaveMap(project_, p, 1u);
    EXPECT_TRUE(p.errors.empty());
    EXPECT_NE(readBytes(file("mission.txt")).find("[Alpha]"), std::string::npos);

    // A new map has no project file to look beside.
    ResetProject(project_);
    ASSERT_TRUE(insert(file("moved/alpha.sdf")));
    project_.systems[0].designFile = file("old/alpha.sdf");
    EXPECT_EQ(verdictOf(CheckMap(project_)), CheckVerdict::Errors);
}

TEST_F(MapProjectTest, EmpireControlsEditTheSelectedEmpire) {
    SetEmpireCount(project_, "8", prompts_);
    SelectEmpire(project_, 6);
    const struct {
        EmpireField field;
        std::string typed;
        std::string shown;  // as the control shows it again
    } rows[] = {
        {EmpireField::Name, std::string(130, 'n'), std::string(125, 'n')},
        {EmpireField::AiMode, std::string(45, 'a'), std::string(40, 'a')},
        {EmpireField::Team, "Team3", "Team3"},
        {EmpireField::Money, "-50", "-50"},
        {EmpireField::MaxShipGroups, "many", "0"},
        {EmpireField::MaxSpyGroups, "", "0"},
    };
    for (const auto& r : rows) {
        SetEmpireField(project_, r.field, r.typed);
        EXPECT_EQ(EmpireFieldText(project_, r.field), r.shown) << r.typed;
    }
    EXPECT_EQ(project_.empires[6].money, -50);
    EXPECT_EQ(project_.empires[0].name, "AI1");  // only the selected empire changed
    EXPECT_EQ(project_.empires[0].money, 1000);
    SelectEmpire(project_, 8);  // beyond the tabs: the first
    EXPECT_EQ(EmpireFieldText(project_, EmpireField::Name), "AI1");
}

TEST_F(MapProjectTest, ClearAsksFirst) {
    SetMapName(project_, "Kept");
    EXPECT_FALSE(ClearProject(project_, prompts_));
    EXPECT_EQ(project_.mapName, "Kept");
    prompts_.answer(true);
    EXPECT_TRUE(ClearProject(project_, prompts_));
    EXPECT_TRUE(project_.mapName.empty());
    EXPECT_EQ(prompts_.questions,
              (std::vector<std::string>(2, std::string(wizard_text::kAskClear))));
}

// The map is unsaved (the "*", the questions) only after a change made since
// it was new, loaded or saved, and not taken back.
TEST_F(MapProjectTest, UnsavedOnlyForChangesSinceNewLoadedOrSaved) {
    const std::string alpha = designFile("alpha.sdf", "Alpha");
    const struct {
        const char* what;
        std::function<void(MapProject&)> change;
    } changes[] = {
        {"map name", [](MapProject& m) { SetMapName(m, "Vega"); }},
        {"empire money", [](MapProject& m) { SetEmpireField(m, EmpireField::Money, "5"); }},
        {"empire count", [this](MapProject& m) { SetEmpireCount(m, "8", prompts_); }},
        {"system", [&](MapProject&) { insert(alpha); }},
    };
    const auto closeAsks = [this] { return ProjectChanged(project_); };
    for (const auto& c : changes) {
        ResetProject(project_);
        EXPECT_FALSE(closeAsks()) << c.what;
        c.change(project_);
        EXPECT_TRUE(closeAsks()) << c.what;
        saveProject("kept.vmpf");
        EXPECT_FALSE(closeAsks()) << c.what << " saved";
        SetMapName(project_, "Changed");
        SetMapName(project_, project_.kept.mapName.str());  // typed back
        EXPECT_FALSE(closeAsks()) << c.what << " typed back";
        ResetProject(project_);
        load(file("kept.vmpf"));
        EXPECT_FALSE(closeAsks()) << c.what << " loaded";
    }
    // A save that fails keeps the map changed.
    SetMapName(project_, "Unsaved");
    ScriptedPrompts p;
    p.answers[std::string(wizard_text::kAskSaveProject)] = true;
    p.files[FileDialog::SaveProject] = file("missing/folder.vmpf");
    EXPECT_THROW(SaveMap(project_, p), IoError);
    EXPECT_TRUE(closeAsks());
}

TEST_F(MapProjectTest, LoadTellsWhichDesignFilesAreUsedInstead) {
    insert(designFile("alpha.sdf", "Alpha"));
    insert(designFile("beta.sdf", "Beta"));
    project_.systems[0].designFile = "C:\\Maps\\alpha.sdf";
    project_.systems[1].designFile = "/gone/beta.sdf";
    scratch_.write("moved/alpha.sdf", scratch_.read("alpha.sdf"));
    saveProject("moved/map.vmpf");
    prompts_.files[FileDialog::LoadProject] = file("moved/map.vmpf");
    ASSERT_TRUE(LoadProjectLocatingFiles(project_, prompts_));
    EXPECT_EQ(project_.systems[0].designFile, file("moved/alpha.sdf"));
    EXPECT_EQ(project_.systems[1].designFile, "/gone/beta.sdf");
    ASSERT_EQ(prompts_.notices.size(), 1u);
    EXPECT_NE(prompts_.notices[0].find("using " + file("moved/alpha.sdf")), std::string::npos);
    ASSERT_EQ(prompts_.errors.size(), 1u);
    EXPECT_NE(prompts_.errors[0].find("/gone/beta.sdf: open failed"), std::string::npos);
}
