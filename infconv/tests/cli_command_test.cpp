#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_process.h"

namespace {

const std::string kBanner = "INF to BIN converter 2.0 by QRX, modified by Moravel!\n\n";
const std::string kUsage =
    "Usage:\n"
    "Full directory converting to binary: -b\n"
    "Full directory converting to text: -t\n"
    "Full directory converting on N threads: -b -j N or -b -jN (-t likewise)\n"
    "Converting a file to binary: filename\n"
    "Converting a file to text: -t filename\n";
const std::string kShip = "[Ship]\r\n{\r\nName = \"Big one\", 12.5, -3\r\n}\r\n";

TEST(CliCommand, UsageAndIgnoredArgumentsConvertNothing) {
    const std::vector<std::vector<std::string>> usageArgs = {{},     {"-H"}, {"-h"},
                                                             {"/H"}, {"/h"}, {"/?"}};
    CliTree tree;
    tree.write("a.inf", kShip);
    for (const auto& args : usageArgs) {
        SCOPED_TRACE(args.empty() ? "(none)" : args[0]);
        CliResult r = tree.run(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, kBanner + kUsage);
        EXPECT_EQ(r.err, "");
    }
    CliResult three = tree.run({"-t", "a.inf", "extra"});
    EXPECT_EQ(three.status, 0);
    EXPECT_EQ(three.out, kBanner);
    EXPECT_EQ(tree.read("a.inf"), kShip);
    EXPECT_FALSE(tree.exists("a.inf.back"));
}

TEST(CliCommand, SingleFileConvertsBothWaysInPlace) {
    CliTree tree;
    tree.write("Ship.inf", kShip);

    CliResult toBinary = tree.run({"Ship.inf"});
    EXPECT_EQ(toBinary.status, 0);
    EXPECT_EQ(toBinary.out, kBanner);
    EXPECT_TRUE(tree.isBinary("Ship.inf"));
    EXPECT_EQ(tree.read("Ship.inf.back"), kShip);

    // Two arguments: the first is not examined.
    CliResult toText = tree.run({"-x", "Ship.inf"});
    EXPECT_EQ(toText.status, 0);
    const std::string text = tree.read("Ship.inf");
    EXPECT_FALSE(tree.isBinary("Ship.inf"));
    EXPECT_NE(text.find("[Ship]"), std::string::npos);
    EXPECT_NE(text.find("Big one"), std::string::npos);
    EXPECT_TRUE(tree.isBinary("Ship.inf.back"));

    // A path relative to the current directory, pointing elsewhere.
    tree.write("work/keep.txt", "");
    CliResult fromSubdir = tree.run({"../Ship.inf"}, "work");
    EXPECT_EQ(fromSubdir.status, 0) << fromSubdir.err;
    EXPECT_TRUE(tree.isBinary("Ship.inf"));
}

// A map folder and file named in Greek, Russian and Japanese, given by name
// and met in the walk.
TEST(CliCommand, NamesOutsideLatin1AreConvertedByNameAndInTheWalk) {
    CliTree tree;
    const std::string name =
        "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1/"
        "\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD0\xB0_\xE5\x9C\xB0\xE5\x9B\xB3.inf";
    tree.write(name, kShip);
    CliResult byName = tree.run({name});
    EXPECT_EQ(byName.status, 0) << byName.err;
    EXPECT_TRUE(tree.isBinary(name));
    EXPECT_EQ(tree.read(name + ".back"), kShip);

    CliResult walk = tree.run({"-t"});
    EXPECT_EQ(walk.status, 0) << walk.err;
    EXPECT_FALSE(tree.isBinary(name));
    EXPECT_NE(walk.out.find(tree.walkPath(name) + "\n"), std::string::npos) << walk.out;
}

TEST(CliCommand, FileNamedTreeSwitchIsTakenAsTreeConversion) {
    CliTree tree;
    tree.write("-b", kShip);  // a file that happens to be named like the switch
    CliResult r = tree.run({"-b"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(tree.read("-b"), kShip);
    EXPECT_NE(r.out.find("\nDirs: 1,"), std::string::npos);
}

TEST(CliExitStatus, SyntaxErrorEndsWithOneAndLeavesTheFileUntouched) {
    CliTree tree;
    tree.write("bad.inf", "}\r\n");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"bad.inf"}, {"-t", "bad.inf"}, {"-b"}}) {
        SCOPED_TRACE(args.back());
        CliResult r = tree.run(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err.rfind("ERROR\nError at line: 115\n", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("More BlockEnd ('}') than BlockStart('{')!"), std::string::npos);
        EXPECT_NE(r.err.find("\r\n\nVersion: 1.000\n"), std::string::npos);
        EXPECT_EQ(r.out.find("Dirs:"), std::string::npos);  // no statistics after the report
        EXPECT_EQ(tree.read("bad.inf"), "}\r\n");
        EXPECT_FALSE(tree.exists("bad.inf.back"));
    }
    const std::string logged = vk_test::readFile(tree.logDir() / "ErrorLog.!");
    EXPECT_EQ(logged.rfind("Error at line: 115\nIn file: ", 0), 0u);
}

TEST(CliExitStatus, SyntaxErrorWithErrorChannelOffStillFailsAndWritesNothing) {
    CliTree tree;
    tree.write("inf/program.inf", "[Log]\r\n{\r\nErrorLogRelease = 0\r\n}\r\n");
    tree.write("bad.inf", "[A]\r\n= x\r\n");
    CliResult r = tree.run({"bad.inf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(tree.read("bad.inf"), "[A]\r\n= x\r\n");
    EXPECT_FALSE(tree.exists("bad.inf.back"));
    EXPECT_FALSE(std::filesystem::exists(tree.logDir() / "ErrorLog.!"));
}

TEST(CliExitStatus, FileErrorIsReportedWithTwo) {
    CliTree tree;
    CliResult r = tree.run({"missing.inf"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, kBanner);
    EXPECT_EQ(r.err.rfind("File Error: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("missing.inf\nDetail: No such file or directory\n"), std::string::npos)
        << r.err;

    tree.write("empty.inf", "");
    CliResult empty = tree.run({"-t", "empty.inf"});
    EXPECT_EQ(empty.status, 2);
    EXPECT_EQ(tree.read("empty.inf"), "");
    EXPECT_FALSE(tree.exists("empty.inf.back"));
}

}  // namespace
