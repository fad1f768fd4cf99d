#include "cli_process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

const std::string kBanner = "INF to BIN converter 2.0 by QRX, modified by Moravel!\n\n";

std::string stats(int dirs, std::size_t inBytes, int inFiles, std::size_t outBytes, int outFiles,
                  int bad) {
    return "\nDirs: " + std::to_string(dirs) + ", IN: " + std::to_string(inBytes) + " bytes in " +
           std::to_string(inFiles) + " files, OUT: " + std::to_string(outBytes) + " bytes in " +
           std::to_string(outFiles) + " files, BAD: " + std::to_string(bad) + " files";
}

std::size_t sizeOf(const CliTree& tree, const std::string& name) {
    return std::filesystem::file_size(tree.root() / name);
}

TEST(CliTree, EmptyTreePrintsOneDirectoryAndZeroes) {
    CliTree tree;
    tree.write("notes.txt", "x");
    CliResult r = tree.run({"-t"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kBanner + "Processing directories: 0\r\n\n\n" + stats(1, 0, 0, 0, 0, 0));
}

TEST(CliTree, IncludedFileIsCountedButNeitherConvertedNorPrinted) {
    CliTree tree;
    const std::string a = "[A]\r\n{\r\n#include \"b.inf\"\r\nk = 1\r\n}\r\n";
    const std::string b = "[B]\r\n{\r\nv = 2\r\n}\r\n";
    tree.write("a.inf", a);
    tree.write("b.inf", b);
    CliResult r = tree.run({"-b"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(tree.isBinary("a.inf"));
    EXPECT_EQ(tree.read("a.inf.back"), a);
    EXPECT_EQ(tree.read("b.inf"), b);
    EXPECT_FALSE(tree.exists("b.inf.back"));
    EXPECT_EQ(r.out, kBanner + "Processing directories: 0\r\n\n\n" + tree.lowerRoot() + "/a.inf\n" +
                         stats(1, a.size() + b.size(), 2, sizeOf(tree, "a.inf"), 1, 0));
}

TEST(CliTree, MissingIncludeMakesTheFileBad) {
    CliTree tree;
    const std::string a = "; #INCLUDE \"gone.inf\" even in a comment\r\n[A]\r\n";
    tree.write("Main.inf", a);
    CliResult r = tree.run({"-b"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(tree.read("Main.inf"), a);
    EXPECT_FALSE(tree.exists("Main.inf.back"));
    EXPECT_EQ(r.out, kBanner + "Processing directories: 0\r\n\nBAD: " + tree.lowerRoot() +
                         "/main.inf\n\n" + stats(1, a.size(), 1, 0, 0, 1));
}

TEST(CliTree, NameRulesAndSubdirectories) {
    CliTree tree;
    const std::string common = "[Common]\r\n{\r\nx = 1\r\n}\r\n";
    const std::string mission = "[M]\r\n{\r\n#include \"SUB\\common.INF\"\r\n}\r\n";
    tree.write("Mission.inf", mission);
    tree.write("DATA.INF", "[D]\r\n");
    tree.write("abcinf", "[E]\r\n");
    tree.write("sub/Common.inf", common);
    tree.write("sub/deep/Other.inf", "[O]\r\n");
    tree.write(".hidden/h.inf", "[H]\r\n");
    tree.write("locked/l.inf", "[L]\r\n");
    std::filesystem::permissions(tree.root() / "locked", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);

    CliResult r = tree.run({"-b"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(tree.isBinary("Mission.inf"));
    EXPECT_TRUE(tree.isBinary("abcinf"));
    EXPECT_TRUE(tree.isBinary("sub/deep/Other.inf"));
    EXPECT_EQ(tree.read("sub/Common.inf"), common);  // included through "\" and other case
    EXPECT_EQ(tree.read("DATA.INF"), "[D]\r\n");
    EXPECT_EQ(tree.read(".hidden/h.inf"), "[H]\r\n");
    EXPECT_EQ(tree.read("locked/l.inf"), "[L]\r\n");

    const std::string root = tree.lowerRoot();
    EXPECT_NE(r.out.find(root + "/mission.inf\n"), std::string::npos);
    EXPECT_NE(r.out.find(root + "/sub/deep/other.inf\n"), std::string::npos);
    EXPECT_EQ(r.out.find("common.inf\n"), std::string::npos);
    EXPECT_EQ(r.out.find("BAD: /"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Processing directories: 2\r"), std::string::npos);
    EXPECT_NE(r.out.find("\nDirs: 3, IN: "), std::string::npos);
    EXPECT_NE(r.out.find(" in 4 files, OUT: "), std::string::npos);
    EXPECT_NE(r.out.find(" bytes in 3 files, BAD: 0 files"), std::string::npos);

    // Named on the command line, the upper-case file is converted.
    CliResult byName = tree.run({"DATA.INF"});
    EXPECT_EQ(byName.status, 0) << byName.err;
    EXPECT_TRUE(tree.isBinary("DATA.INF"));

    // And back to text, as a whole tree.
    CliResult toText = tree.run({"-t"});
    EXPECT_EQ(toText.status, 0) << toText.err;
    EXPECT_FALSE(tree.isBinary("Mission.inf"));
    EXPECT_NE(tree.read("Mission.inf").find("[Common]"), std::string::npos);
}

}  // namespace
