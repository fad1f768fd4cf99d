#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class GenerateCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("mw_generate_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    Result run(const std::string& args) {
        const fs::path errFile = dir_ / "stderr.txt";
        const std::string cmd = std::string("cd '") + dir_.string() + "' && '" + VK_MAPWRIGHT +
                                "' generate " + args + " 2>'" + errFile.string() + "'";
        Result r{-1, {}, {}};
        FILE* p = popen(cmd.c_str(), "r");
        if (!p) return r;
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
        const int st = pclose(p);
        r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
        r.err = slurp(errFile);
        return r;
    }
    // A copy of the sample map in a folder of its own: the stored paths point elsewhere.
    fs::path movedMap() {
        const fs::path to = dir_ / "moved map";
        fs::create_directories(to);
        for (const char* f : {"alpha.sdf", "beta.sdf", "gamma.sdf", "sample.vmpf"})
            fs::copy_file(fs::path(VK_SOURCE_DIR) / "data/samples/map" / f, to / f);
        return to;
    }
    static std::string q(const fs::path& p) { return "'" + p.string() + "'"; }

    fs::path dir_;
};

TEST_F(GenerateCommand, MovedMapIsFoundBesideTheProjectAndSeedRepeats) {
    const fs::path map = movedMap();
    const fs::path out = dir_ / "mission.txt";
    const Result r = run(q(map / "sample.vmpf") + " " + q(out) + " --seed 42");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Source file saved to " + out.string() + "!\n");
    for (const char* f : {"alpha.sdf", "beta.sdf", "gamma.sdf"})
        EXPECT_NE(r.err.find((map / f).string()), std::string::npos) << r.err;
    const std::string text = slurp(out);
    EXPECT_NE(text.find("MultiPlayerName = \"Sample Triangle\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Alpha >> Beta\""), std::string::npos);
    EXPECT_NE(text.find("\"Gamma >> Beta\""), std::string::npos);

    const fs::path again = dir_ / "again.txt";
    ASSERT_EQ(run(q(map / "sample.vmpf") + " " + q(again) + " --seed 42").status, 0);
    EXPECT_EQ(slurp(again), text);
    // A relative output name is reported in full.
    const Result rel = run(q(map / "sample.vmpf") + " rel.txt --seed 1");
    ASSERT_EQ(rel.status, 0) << rel.err;
    EXPECT_EQ(rel.out, "Source file saved to " + (dir_ / "rel.txt").string() + "!\n");
}

TEST_F(GenerateCommand, FailuresNameTheFileAndKeepTheOutput) {
    const fs::path map = movedMap();
    const fs::path out = dir_ / "keep.txt";
    std::ofstream(out) << "previous";
    fs::remove(map / "beta.sdf");
    std::ofstream(dir_ / "short.vmpf") << std::string(100, 'x');
    std::ofstream(map / "gamma.sdf", std::ios::trunc);  // a 0-byte design file
    const struct {
        std::string args;
        std::string named;
    } cases[] = {
        {q(map / "sample.vmpf") + " " + q(out), "beta.sdf"},
        {q(dir_ / "short.vmpf") + " " + q(out), (dir_ / "short.vmpf").string()},
        {q(dir_ / "none.vmpf") + " " + q(out), (dir_ / "none.vmpf").string()},
    };
    for (const auto& c : cases) {
        const Result r = run(c.args);
        EXPECT_NE(r.status, 0) << c.args;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
        EXPECT_EQ(slurp(out), "previous");
    }
    fs::copy_file(fs::path(VK_SOURCE_DIR) / "data/samples/map/beta.sdf", map / "beta.sdf");
    const Result r = run(q(map / "sample.vmpf") + " " + q(out));
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find((map / "gamma.sdf").string()), std::string::npos) << r.err;
    EXPECT_EQ(slurp(out), "previous");
}

TEST_F(GenerateCommand, BadArgumentsShowTheUsage) {
    for (const char* args : {"", "only.vmpf", "a.vmpf b.txt --seed", "a.vmpf b.txt --seed x1",
                             "a.vmpf b.txt --seed 99999999999", "a b c"}) {
        const Result r = run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("usage: mapwright generate"), std::string::npos) << args;
    }
}

}  // namespace
