#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "map/project_file.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

using Args = std::vector<std::string>;

class GenerateCommand : public ::testing::Test {
  protected:
    // Runs `mapwright generate ARGS` in the scratch folder.
    vk_test::RunResult run(Args args) {
        args.insert(args.begin(), "generate");
        return vk_test::runProgram(VK_MAPWRIGHT, args, dir_);
    }
    // A copy of the sample map in a folder of its own: the stored paths point elsewhere.
    fs::path movedMap() {
        fs::path to = dir_ / "moved map";
        fs::create_directories(to);
        for (const char* f : {"alpha.sdf", "beta.sdf", "gamma.sdf", "sample.vmpf"})
            fs::copy_file(fs::path(VK_SOURCE_DIR) / "data/samples/map" / f, to / f);
        return to;
    }
    static std::string slurp(const fs::path& p) { return vk_test::readFile(p); }

    vk_test::ScratchDir scratch_{"mw-generate"};
    const fs::path& dir_ = scratch_.root();
};

TEST_F(GenerateCommand, MovedMapIsFoundBesideTheProjectAndSeedRepeats) {
    const fs::path map = movedMap();
    const fs::path out = dir_ / "mission.txt";
    const auto r = run({(map / "sample.vmpf").string(), out.string(), "--seed", "42"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Source file saved to " + out.string() + "!\n");
    for (const char* f : {"alpha.sdf", "beta.sdf", "gamma.sdf"})
        EXPECT_NE(r.err.find((map / f).string()), std::string::npos) << r.err;
    const std::string text = slurp(out);
    EXPECT_NE(text.find("MultiPlayerName = \"Sample Triangle\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Alpha >> Beta\""), std::string::npos);
    EXPECT_NE(text.find("\"Gamma >> Beta\""), std::string::npos);

    const fs::path again = dir_ / "again.txt";
    ASSERT_EQ(run({(map / "sample.vmpf").string(), again.string(), "--seed", "42"}).status, 0);
    EXPECT_EQ(slurp(again), text);
    // A relative output name is reported in full.
    const auto rel = run({(map / "sample.vmpf").string(), "rel.txt", "--seed", "1"});
    ASSERT_EQ(rel.status, 0) << rel.err;
    EXPECT_EQ(rel.out, "Source file saved to " + (dir_ / "rel.txt").string() + "!\n");
}

// Stored full paths that name files are read as they are, with no note: on
// Windows the C:\... paths a map maker's project holds (in either separator),
// elsewhere the system's own. The mission is the one the moved copy gives.
TEST_F(GenerateCommand, StoredFullPathsAreReadWhereTheyPoint) {
    const fs::path map = movedMap();
    ASSERT_EQ(run({(map / "sample.vmpf").string(), "moved.txt", "--seed", "7"}).status, 0);
    const fs::path store = dir_ / "stored here";
    fs::create_directories(store);
    mw::MapProjectRecord record = mw::ReadProjectFile((map / "sample.vmpf").string());
    for (const char* f : {"alpha.sdf", "beta.sdf", "gamma.sdf"}) fs::copy_file(map / f, store / f);
    for (const char separator : {'\\', '/'}) {
        if (separator == '\\' && !vk_test::kOnWindows) continue;
        for (mw::SystemSlot& slot : record.systems) {
            if (slot.empty()) continue;
            const std::string stored = slot.designFile.str();
            std::string full = (store / stored.substr(stored.find_last_of("/\\") + 1)).string();
            std::replace(full.begin(), full.end(), char(fs::path::preferred_separator), separator);
            slot.designFile = full;
        }
        const fs::path project = dir_ / "project" / "map.vmpf";
        fs::create_directories(project.parent_path());
        mw::WriteProjectFile(project.string(), record);
        const auto r = run({project.string(), "stored.txt", "--seed", "7"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(slurp(dir_ / "stored.txt"), slurp(dir_ / "moved.txt"));
        // Only the stored files are there to read.
        EXPECT_FALSE(fs::exists(project.parent_path() / "alpha.sdf"));
    }
}

// Names outside Latin-1 on the command line (on Windows main() gets them in
// the ANSI code page, which has none of them): the map's folder, the output.
TEST_F(GenerateCommand, FileNamesOutsideLatin1AreUsedAsGiven) {
    for (const std::string folder :
         {"\xCE\xA7\xCE\xAC\xCF\x81\xCF\x84\xCE\xB7\xCF\x82",
          "\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD0\xB0", "\xE5\x9C\xB0\xE5\x9B\xBE"}) {
        SCOPED_TRACE(folder);
        const fs::path to = vk_test::utf8Path(scratch_.path(folder));
        fs::create_directories(to);
        for (const char* f : {"alpha.sdf", "beta.sdf", "gamma.sdf", "sample.vmpf"})
            fs::copy_file(fs::path(VK_SOURCE_DIR) / "data/samples/map" / f, to / f);
        const std::string out = vk_test::utf8(to) + "/\xCE\xB1.txt";
        const auto r = run({vk_test::utf8(to / "sample.vmpf"), out, "--seed", "3"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(slurp(vk_test::utf8Path(out)).find("[Alpha]"), std::string::npos);
        const auto shown =
            vk_test::runProgram(VK_MAPWRIGHT, {"show", vk_test::utf8(to / "beta.sdf")});
        EXPECT_EQ(shown.status, 0) << shown.err;
        EXPECT_NE(shown.out.find("\"sun_name\": \"Beta\""), std::string::npos) << shown.out;
    }
}

// A slot with a name and no design file is reported naming the project file
// (the slot's own path is empty) and saying why.
TEST_F(GenerateCommand, ASlotWithoutADesignFileNamesTheProjectAndWhy) {
    mw::MapProjectRecord record = mw::ReadProjectFile((movedMap() / "sample.vmpf").string());
    record.systems[1].designFile = "";
    const std::string project = (dir_ / "slot.vmpf").string();
    mw::WriteProjectFile(project, record);
    const auto result = run({project, (dir_ / "out.txt").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("mapwright generate: " + project + ": system '" +
                              record.systems[1].systemName.str() +
                              "': no design file is stored for the system\n"),
              std::string::npos)
        << result.err;
    EXPECT_FALSE(fs::exists(dir_ / "out.txt"));
}

TEST_F(GenerateCommand, FailuresNameTheFileAndKeepTheOutput) {
    const fs::path map = movedMap();
    const fs::path out = dir_ / "keep.txt";
    vk_test::writeFile(out, "previous");
    fs::remove(map / "beta.sdf");
    scratch_.write("short.vmpf", std::string(100, 'x'));
    vk_test::writeFile(map / "gamma.sdf", "");  // a 0-byte design file
    const struct {
        Args args;
        std::string named;
    } cases[] = {
        {{(map / "sample.vmpf").string(), out.string()}, "beta.sdf"},
        {{(dir_ / "short.vmpf").string(), out.string()}, (dir_ / "short.vmpf").string()},
        {{(dir_ / "none.vmpf").string(), out.string()}, (dir_ / "none.vmpf").string()},
    };
    for (const auto& c : cases) {
        const auto r = run(c.args);
        EXPECT_NE(r.status, 0) << c.args[0];
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(slurp(out), "previous");
    }
    fs::copy_file(fs::path(VK_SOURCE_DIR) / "data/samples/map/beta.sdf", map / "beta.sdf");
    const auto r = run({(map / "sample.vmpf").string(), out.string()});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find((map / "gamma.sdf").string()), std::string::npos) << r.err;
    // The check's refusal points to the command, not to the wizard's button.
    EXPECT_NE(r.err.find("'mapwright check "), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Check map"), std::string::npos) << r.err;
    EXPECT_EQ(slurp(out), "previous");
}

TEST_F(GenerateCommand, GeneratesDespiteTheChecksWarningsAndSaysSo) {
    const fs::path map = movedMap();
    mw::MapProjectRecord project = mw::ReadProjectFile((map / "sample.vmpf").string());
    project.empireCount = 2;  // Gamma's planet belongs to Empire3
    mw::WriteProjectFile((map / "two.vmpf").string(), project);
    const auto r = run({(map / "two.vmpf").string(), "out.txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("the map check found warnings, generating anyway"), std::string::npos)
        << r.err;
    EXPECT_NE(slurp(dir_ / "out.txt").find("[Gamma]"), std::string::npos);
}

TEST_F(GenerateCommand, BadArgumentsShowTheUsage) {
    const Args cases[] = {{},
                          {"only.vmpf"},
                          {"a.vmpf", "b.txt", "--seed"},
                          {"a.vmpf", "b.txt", "--seed", "x1"},
                          {"a.vmpf", "b.txt", "--seed", "99999999999"},
                          {"a", "b", "c"}};
    for (const Args& args : cases) {
        const auto r = run(args);
        EXPECT_EQ(r.status, 2) << args.size();
        EXPECT_NE(r.err.find("usage: mapwright generate"), std::string::npos) << r.err;
    }
}

}  // namespace
