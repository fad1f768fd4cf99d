// The headless commands given files that are not regular files or that hold
// damaged bytes: refused at once with a message naming the file and the
// reason. Every command runs under a time limit, so a hang fails the test.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "map/project_file.h"
#include "system/sdf_record.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

struct Result {
    int status;
    std::string err;
};

class SpecialFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* f : {"alpha.sdf", "beta.sdf", "gamma.sdf", "sample.vmpf"})
            fs::copy_file(fs::path(VK_SOURCE_DIR) / "data/samples/map" / f, dir_ / f);
    }
    // Runs `mapwright ARGS` (separated by blanks) in the scratch folder, for
    // at most 10 seconds; status -1 when it was killed.
    Result run(const std::string& args) const {
        std::vector<std::string> argv;
        std::istringstream words(args);
        for (std::string w; words >> w;) argv.push_back(w);
        const vk_test::RunResult r = vk_test::runProgram(VK_MAPWRIGHT, argv, dir_, {}, 10);
        return {r.status, r.err};
    }

    vk_test::ScratchDir scratch_{"mw-special"};
    const fs::path& dir_ = scratch_.root();
};

// A folder and a device everywhere; a FIFO and a link to a device where the
// system has them in its file system (not Windows).
TEST_F(SpecialFiles, AreRefusedByEveryCommand) {
    fs::create_directory(dir_ / "folder");
    std::vector<std::string> names{"folder", vk_test::kOnWindows ? "NUL" : "/dev/null"};
    if (!vk_test::kOnWindows) {
        ASSERT_TRUE(vk_test::makeFifo(dir_ / "pipe"));
        fs::create_symlink("/dev/zero", dir_ / "zero");
        names.insert(names.end(), {"pipe", "zero"});
    }
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string refusal = name + ": open failed: not a regular file\n";
        EXPECT_EQ(run("show " + name).err, "mapwright show: " + refusal);
        EXPECT_EQ(run("names " + name).err, "mapwright names: " + refusal);
        const Result project = run("generate " + name + " out.txt");
        EXPECT_EQ(project.status, 1);
        EXPECT_EQ(project.err, "mapwright generate: " + refusal);
        // As the output: nothing is written through it or put in its place.
        const Result output = run("generate sample.vmpf " + name + " --seed 1");
        EXPECT_EQ(output.status, 1);
        EXPECT_NE(output.err.find("mapwright generate: " + name +
                                  ": create failed: not a regular file\n"),
                  std::string::npos)
            << output.err;
    }
    if (!vk_test::kOnWindows) {
        EXPECT_TRUE(fs::is_fifo(dir_ / "pipe"));
        EXPECT_TRUE(fs::is_symlink(dir_ / "zero"));
    }
    EXPECT_FALSE(fs::exists(dir_ / "out.txt"));
}

TEST_F(SpecialFiles, DamagedBytesAreQuotedSafely) {
    mw::SdfRecord sun;
    sun.tag = "sun";
    sun.markerX = "0";
    sun.markerY = "0";
    mw::SdfRecord planet = sun;
    planet.tag = "planet";
    planet.markerX = std::string("29\0\x1B", 4);
    const auto a = sun.encode(), b = planet.encode();
    scratch_.write("m.sdf", std::string(reinterpret_cast<const char*>(a.data()), a.size()) +
                                std::string(reinterpret_cast<const char*>(b.data()), b.size()));
    EXPECT_EQ(run("show m.sdf").err,
              "mapwright show: m.sdf: record 2: '29\\x00\\x1B' is not a valid integer value\n");

    const std::string bytes = scratch_.read("sample.vmpf");
    mw::MapProjectRecord project =
        mw::DecodeProject(reinterpret_cast<const std::uint8_t*>(bytes.data()));
    project.systems[0].systemName = std::string("Al\0\x9B", 4);
    project.systems[0].designFile = "C:\\nowhere\\lost.sdf";
    mw::WriteProjectFile((dir_ / "damaged.vmpf").string(), project);
    // After the notes on the systems found beside the project file.
    const std::string generated = run("generate damaged.vmpf out.txt").err;
    EXPECT_EQ(generated.substr(generated.find("mapwright generate: damaged.vmpf")),
              "mapwright generate: damaged.vmpf: system 'Al\\x00\\x9B': the design file cannot "
              "be read: C:\\nowhere\\lost.sdf: open failed: No such file or directory; not "
              "beside the project file either (lost.sdf)\n");
}

}  // namespace
