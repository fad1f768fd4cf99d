// The road of one map: the editor's generator writes a mission from the
// shipped sample map, and the converter takes it to binary, back to text and
// to binary again, as a single file and as part of a directory tree.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "e2e_scratch.h"
#include "exceptions.h"
#include "inf_analyzer.h"
#include "inf_tree_equal.h"
#include "log.h"

namespace {

const std::string kSampleMap = std::string(VK_SOURCE_DIR) + "/data/samples/map/sample.vmpf";

// Loads an INF file in this process; a syntax error fails the test instead
// of ending the process.
std::unique_ptr<InfAnalyzer> load(const std::string& path) {
    createLogChannels();
    ErrorLog->errorBox = false;
    try {
        return std::make_unique<InfAnalyzer>(path);
    } catch (cException* e) {
        std::unique_ptr<cException> owned(e);
        ADD_FAILURE() << path << ": " << owned->message();
        return nullptr;
    }
}

void expectSameTree(const std::string& expectedPath, const std::string& actualPath) {
    auto expected = load(expectedPath);
    auto actual = load(actualPath);
    ASSERT_TRUE(expected && actual);
    EXPECT_GT(expected->getRoot()->sectionCount(), 0u)
        << expectedPath << " loaded as an empty tree";
    EXPECT_TRUE(fuzz::sameTree(*expected->getRoot(), *actual->getRoot()))
        << actualPath << " does not hold the tree of " << expectedPath;
}

void generate(const e2e::Scratch& s, const std::string& out, int seed) {
    std::filesystem::create_directories(std::filesystem::path(s.path(out)).parent_path());
    const e2e::RunResult r =
        s.run(VK_MAPWRIGHT, {"generate", kSampleMap, s.path(out), "--seed", std::to_string(seed)});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(s.exists(out)) << r.out << r.err;
    ASSERT_FALSE(s.read(out).empty());
}

TEST(RoadOfOneMap, GeneratedMissionSurvivesTextBinaryTextBinary) {
    e2e::Scratch s;
    ASSERT_NO_FATAL_FAILURE(generate(s, "mission.txt", 7));
    const std::string source = s.read("mission.txt");
    s.write("mission.inf", source);

    e2e::RunResult r = s.run(VK_INFCONV, {"mission.inf"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    const std::string binary1 = s.read("mission.inf");
    ASSERT_TRUE(e2e::isBinaryInf(binary1));
    EXPECT_EQ(s.read("mission.inf.back"), source);

    r = s.run(VK_INFCONV, {"-t", "mission.inf"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    const std::string text = s.read("mission.inf");
    ASSERT_FALSE(e2e::isBinaryInf(text));
    EXPECT_EQ(s.read("mission.inf.back"), binary1);
    s.write("text_form.inf", text);

    r = s.run(VK_INFCONV, {"mission.inf"});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(s.read("mission.inf"), binary1) << "the second binary differs from the first";
    EXPECT_EQ(s.read("mission.inf.back"), text);

    expectSameTree(s.path("mission.txt"), s.path("text_form.inf"));
    expectSameTree(s.path("mission.txt"), s.path("mission.inf"));
}

TEST(RoadOfOneMap, SameSeedSameMission) {
    e2e::Scratch s;
    ASSERT_NO_FATAL_FAILURE(generate(s, "a.txt", 42));
    ASSERT_NO_FATAL_FAILURE(generate(s, "b.txt", 42));
    EXPECT_EQ(s.read("a.txt"), s.read("b.txt"));
}

// Several missions in a tree, one of them including a shared file and one
// naming a file that is missing.
TEST(RoadOfOneMap, TreeOfMissionsConvertsBothWays) {
    e2e::Scratch s;
    ASSERT_NO_FATAL_FAILURE(generate(s, "maps/one.inf", 1));
    ASSERT_NO_FATAL_FAILURE(generate(s, "maps/two.inf", 2));
    ASSERT_NO_FATAL_FAILURE(generate(s, "maps/more/three.inf", 3));
    s.write("maps/shared.inf", "[Shared]\r\n{\r\n\tOwner = Empire1\r\n\tValue = 12.5, -3\r\n}\r\n");
    s.write("maps/two.inf", s.read("maps/two.inf") + "#include \"shared.inf\"\r\n");
    s.write("maps/broken.inf", "#include \"missing.inf\"\r\n[A]\r\n{\r\n}\r\n");
    const std::string sources[] = {s.read("maps/one.inf"), s.read("maps/two.inf"),
                                   s.read("maps/more/three.inf")};
    const std::string shared = s.read("maps/shared.inf"), broken = s.read("maps/broken.inf");
    // The reference trees, with the include resolved beside the file.
    s.write("ref/one.inf", sources[0]);
    s.write("ref/two.inf", sources[1]);
    s.write("ref/shared.inf", shared);
    s.write("ref/three.inf", sources[2]);
    const std::size_t inBytes =
        sources[0].size() + sources[1].size() + sources[2].size() + shared.size() + broken.size();

    e2e::RunResult r = s.run(VK_INFCONV, {"-b"}, "maps");
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_TRUE(e2e::isBinaryInf(s.read("maps/one.inf")));
    EXPECT_TRUE(e2e::isBinaryInf(s.read("maps/two.inf")));
    EXPECT_TRUE(e2e::isBinaryInf(s.read("maps/more/three.inf")));
    EXPECT_EQ(s.read("maps/shared.inf"), shared) << "an included file is not converted by itself";
    EXPECT_EQ(s.read("maps/broken.inf"), broken)
        << "a file with a missing include is not converted";
    EXPECT_FALSE(s.exists("maps/shared.inf.back"));
    EXPECT_EQ(s.read("maps/two.inf.back"), sources[1]);
    EXPECT_NE(r.out.find("BAD: "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("broken.inf"), std::string::npos) << r.out;

    const std::size_t outBytes = s.read("maps/one.inf").size() + s.read("maps/two.inf").size() +
                                 s.read("maps/more/three.inf").size();
    const std::string stats = "\nDirs: 2, IN: " + std::to_string(inBytes) +
                              " bytes in 5 files, OUT: " + std::to_string(outBytes) +
                              " bytes in 3 files, BAD: 1 files";
    EXPECT_TRUE(r.out.size() >= stats.size() &&
                r.out.compare(r.out.size() - stats.size(), stats.size(), stats) == 0)
        << "expected to end with: " << stats << "\ngot:\n"
        << r.out;

    r = s.run(VK_INFCONV, {"-t"}, "maps");
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    for (const char* name : {"one.inf", "two.inf", "more/three.inf"}) {
        const std::string path = std::string("maps/") + name;
        EXPECT_FALSE(e2e::isBinaryInf(s.read(path))) << path;
        EXPECT_TRUE(e2e::isBinaryInf(s.read(path + ".back")))
            << path << ".back should hold the binary form";
    }
    expectSameTree(s.path("ref/one.inf"), s.path("maps/one.inf"));
    expectSameTree(s.path("ref/two.inf"), s.path("maps/two.inf"));
    expectSameTree(s.path("ref/three.inf"), s.path("maps/more/three.inf"));
}

}  // namespace
