// The recovery file and the recent-files list: the rules the editor keeps
// work with, without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/file_faults.h"
#include "recent/recent_files.h"
#include "recovery/recovery_file.h"
#include "system/sdf_record.h"
#include "system/system_model.h"
#include "test_support.h"

using namespace mw;
namespace fs = std::filesystem;

namespace {

std::tm at(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

TEST(RecoveryInfoTest, PathsOfAnyBytesComeBackAsWritten) {
    for (const RecoveryInfo& info :
         {RecoveryInfo{"", 0}, RecoveryInfo{"/home/a/maps/vega.sdf", 1765214703},
          RecoveryInfo{"/home/a/two\nlines \xE9.sdf", -5}, RecoveryInfo{"relative/x.sdf", 42},
          RecoveryInfo{"/a.sdf", 7, DesignFileSum{1136, 0xFEDCBA9876543210}}})
        EXPECT_EQ(DecodeRecoveryInfo(EncodeRecoveryInfo(info), "r.info"), info)
            << info.originalPath;
}

TEST(RecoveryInfoTest, DamagedInfoIsRefusedNamingTheFile) {
    struct Case {
        std::string bytes;
        const char* why;
    };
    for (const Case& c :
         {Case{"", "does not start with"},
          Case{"mapwright recovery 2\nsaved 1\npath /a", "does not start with"},
          Case{"mapwright recovery 1\npath /a", "\"saved\" line is missing"},
          Case{"mapwright recovery 1\nsaved 1", "\"saved\" line is missing"},
          Case{"mapwright recovery 1\nsaved \npath /a", "holds no time"},
          Case{"mapwright recovery 1\nsaved 12x\npath /a", "holds no time"},
          Case{"mapwright recovery 1\nsaved 1\n", "\"path\" line is missing"},
          Case{"mapwright recovery 1\nsaved 1\ndesign 12\npath /a", "\"design\" line"},
          Case{"mapwright recovery 1\nsaved 1\ndesign 12 xy\npath /a", "\"design\" line"},
          Case{std::string("mapwright recovery 1\nsaved 1\npath /a") + '\0', "NUL"}}) {
        try {
            DecodeRecoveryInfo(c.bytes, "/state/recovery.info");
            ADD_FAILURE() << "accepted: " << c.bytes;
        } catch (const UserError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind("/state/recovery.info: ", 0), 0u) << message;
            EXPECT_NE(message.find(c.why), std::string::npos) << message;
        }
    }
}

TEST(RecoveryInfoTest, QuestionAndAsideNamesCarryTheDate) {
    const std::tm t = at(2026, 12, 8, 7, 5, 3);
    EXPECT_EQ(RestoreQuestion(t), "Restore the unsaved system from 2026-12-08 07:05:03?");
    EXPECT_EQ(AsideStem(t, 1), "recovery-2026-12-08-070503");
    EXPECT_EQ(AsideStem(t, 3), "recovery-2026-12-08-070503-3");
}

class RecoveryFilesTest : public ::testing::Test {
  protected:
    RecoveryFilesTest() {
        tables->ResetTables();
        const int i = tables->AllocateIndex(ObjectKind::Planet);
        tables->planets.at(i) = PlanetRecord{};
        tables->planets.at(i).name = "Vega I";
        tables->planets.at(i).x = 120;
        tables->planets.at(i).marker = {30, 40};
    }
    vk_test::ScratchDir scratch{"mw-recovery"};
    RecoveryFiles files{scratch.root() / "state" / "mapwright"};
    std::unique_ptr<SystemModel> tables = std::make_unique<SystemModel>();
    SystemHeader header{"Vega", "Sun", "Background3", "0.7"};
};

TEST_F(RecoveryFilesTest, WritesWhatSaveAsWritesAndFindsItsInfo) {
    EXPECT_EQ(files.find(), std::nullopt);
    const RecoveryInfo info{"/home/a/vega.sdf", 1765214703};
    files.write(header, *tables, info);
    SaveSystem(scratch.path("saved.sdf"), header.sunName, header.sunType, header.background,
               header.scale, *tables);
    EXPECT_EQ(vk_test::readFile(files.designFile()), scratch.read("saved.sdf"));
    EXPECT_EQ(scratch.read("saved.sdf").size(), 2 * kSdfRecordSize);
    const std::optional<RecoveryInfo> found = files.find();
    ASSERT_TRUE(found && found->design);
    EXPECT_EQ(found->originalPath, info.originalPath);
    EXPECT_EQ(found->savedAt, info.savedAt);
    EXPECT_EQ(found->design->size, 2 * kSdfRecordSize);

    files.remove();
    EXPECT_EQ(files.find(), std::nullopt);
    EXPECT_FALSE(fs::exists(files.infoFile()));
    EXPECT_NO_THROW(files.remove());
}

TEST_F(RecoveryFilesTest, ARestoredSystemKeepsTheJumpNodeIdsItHadOnTheMap) {
    // Renaming the sun leaves the ids of placed nodes as they were.
    const int i = tables->AllocateIndex(ObjectKind::JumpNode);
    tables->jumpNodes.at(i) = JumpNodeRecord{};
    tables->jumpNodes.at(i).nodeId = "SolJumpnode1";
    tables->jumpNodes.at(i).leadsTo = "0";
    files.write(header, *tables, {"", 1});
    for (const auto& [ids, expected] : {std::pair{NodeIds::AsStored, "SolJumpnode1"},
                                        std::pair{NodeIds::FollowSystemName, "VegaJumpnode1"}}) {
        SystemModel opened;
        OpenSystem(files.designFile().string(), opened, {}, {}, ids);
        EXPECT_EQ(opened.jumpNodes.at(1).nodeId.str(), expected);
    }
}

TEST_F(RecoveryFilesTest, SetAsideKeepsEveryDeclinedFile) {
    const std::int64_t when = 1765214703;
    const std::string stem = AsideStem(LocalTime(when), 1);
    files.write(header, *tables, {"/a.sdf", when});
    const std::string firstBytes = vk_test::readFile(files.designFile());
    EXPECT_EQ(files.setAside(when), files.folder() / (stem + ".sdf"));
    files.write(header, *tables, {"/b.sdf", when});
    EXPECT_EQ(files.setAside(when), files.folder() / (stem + "-2.sdf"));

    EXPECT_EQ(files.find(), std::nullopt);
    EXPECT_EQ(vk_test::readFile(files.folder() / (stem + ".sdf")), firstBytes);
    EXPECT_EQ(DecodeRecoveryInfo(vk_test::readFile(files.folder() / (stem + "-2.info")), "x")
                  .originalPath,
              "/b.sdf");
}

TEST_F(RecoveryFilesTest, ADesignFileWithoutItsInfoIsReportedNamingTheInfo) {
    files.write(header, *tables, {"/a.sdf", 1});
    fs::remove(files.infoFile());
    try {
        files.find();
        FAIL() << "accepted a recovery file without its info";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find(files.infoFile().string()), std::string::npos);
    }
}

// An editor stopped between the design file and its info (every step of the
// info's write failing stands in for the kill) leaves a pair that is refused,
// never an old info taken for the new design file.
TEST_F(RecoveryFilesTest, AWriteCutShortBetweenItsTwoFilesIsRefused) {
    auto changed = std::make_unique<SystemModel>(*tables);
    changed->planets.at(1).x = 999;
    for (const FileStep step :
         {FileStep::Create, FileStep::Write, FileStep::Sync, FileStep::Rename}) {
        files.write(header, *tables, {"/a.sdf", 1});
        {
            const ScopedFileFault secondFile({step, 2, 0, EIO, false});
            EXPECT_THROW(files.write(header, *changed, {"/b.sdf", 2}), IoError);
        }
        try {
            files.find();
            ADD_FAILURE() << "an info taken for another design file";
        } catch (const UserError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(files.infoFile().string() + ": written with", 0),
                      0u)
                << e.what();
        }
    }
    files.write(header, *changed, {"/b.sdf", 2});
    EXPECT_EQ(files.find()->originalPath, "/b.sdf");
}

TEST_F(RecoveryFilesTest, TemporariesOfAKilledWriteAreRemoved) {
    files.write(header, *tables, {"/a.sdf", 1});
    for (const char* name : {"recovery.sdf.tmp-Ab12Cd", "recovery.info.tmp-x1Y2z3", "notes.tmp-1",
                             "recovery-2026-12-08-070503.sdf"})
        vk_test::writeFile(files.folder() / name, "left");
    files.removeStaleTemporaries();
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(files.folder()))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"notes.tmp-1", "recovery-2026-12-08-070503.sdf",
                                              "recovery.info", "recovery.sdf"}));
    EXPECT_EQ(files.find()->originalPath, "/a.sdf");
}

TEST_F(RecoveryFilesTest, OnlyOneRunningEditorKeepsTheFolder) {
    auto first = std::make_unique<RecoveryLock>(files.folder());
    EXPECT_TRUE(first->held());
    EXPECT_FALSE(RecoveryLock(files.folder()).held());
    first.reset();  // the first editor ended
    EXPECT_TRUE(RecoveryLock(files.folder()).held());
    EXPECT_TRUE(RecoveryLock(files.folder()).problem().empty());
}

// A folder that cannot be made (here under a plain file; so too on a
// read-only disk) is no other editor: the reason names it.
TEST_F(RecoveryFilesTest, AFolderThatCannotBeMadeIsSaidSo) {
    const fs::path blocker = files.folder() / "plain";
    fs::create_directories(files.folder());
    vk_test::writeFile(blocker, "x");
    const RecoveryLock lock(blocker / "state");
    EXPECT_FALSE(lock.held());
    EXPECT_NE(lock.problem().find("cannot be kept safe from a crash"), std::string::npos);
    EXPECT_NE(lock.problem().find((blocker / "state").string()), std::string::npos);
}

TEST(RecentFilesTest, MostRecentFirstWithoutDuplicatesAtMostEight) {
    using List = std::vector<std::string>;
    struct Case {
        List before;
        std::string path;
        List after;
    };
    // Absolute names on this system ("/m/a.sdf", or "Z:\\m\\a.sdf" under
    // Wine); the list holds them in the system's own separators.
    const std::string root = fs::current_path().root_path().string();
    const auto at = [&](const std::string& rel) {
        return fs::path(root + rel).make_preferred().string();
    };
    const List eight{at("1"), at("2"), at("3"), at("4"), at("5"), at("6"), at("7"), at("8")};
    const std::string a = at("m/a.sdf"), b = at("m/b.vmpf"), c9 = at("9");
    for (const Case& c : {
             Case{{}, root + "m/a.sdf", {a}},
             Case{{a, b}, b, {b, a}},
             Case{{a}, root + "m/x/../a.sdf", {a}},
             Case{{a, "", a}, at("m/c.sdf"), {at("m/c.sdf"), a}},
             Case{eight, c9, {c9, at("1"), at("2"), at("3"), at("4"), at("5"), at("6"), at("7")}},
             Case{eight,
                  at("8"),
                  {at("8"), at("1"), at("2"), at("3"), at("4"), at("5"), at("6"), at("7")}},
         })
        EXPECT_EQ(RememberRecent(c.before, c.path), c.after) << c.path;
    EXPECT_EQ(RememberRecent({}, "rel.sdf"), List{(fs::current_path() / "rel.sdf").string()});
}

TEST(RecentFilesTest, ProjectFilesAreKnownByTheirExtension) {
    EXPECT_EQ(EditorFileKindOf("/m/map.vmpf"), EditorFileKind::ProjectFile);
    EXPECT_EQ(EditorFileKindOf("MAP.VMPF"), EditorFileKind::ProjectFile);
    EXPECT_EQ(EditorFileKindOf("/m/vega.sdf"), EditorFileKind::DesignFile);
    EXPECT_EQ(EditorFileKindOf("/m.vmpf/vega"), EditorFileKind::DesignFile);
}

}  // namespace
