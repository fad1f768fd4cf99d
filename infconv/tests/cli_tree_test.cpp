#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli_process.h"

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

TEST(CliTree, ThreadCountIsTakenInBothSpellingsAndAnUnusableOneConvertsNothing) {
    const std::string refused = "infconv: -j needs a number of threads from 1 to 1024";
    struct Row {
        std::vector<std::string> args;
        int status;
        std::string err;
        bool toBinary;  // when it converts: the form a.inf ends in
    };
    const std::vector<Row> rows = {
        {{"-b", "-j2"}, 0, "", true},
        {{"-b", "-j", "2"}, 0, "", true},
        {{"-t", "-j1"}, 0, "", false},
        {{"-b", "-j"}, 2, refused + " (-j N or -jN)\n", true},
        {{"-t", "-j"}, 2, refused + " (-j N or -jN)\n", false},
        {{"-b", "-j0"}, 2, refused + ", not '0'\n", true},
        {{"-b", "-jx"}, 2, refused + ", not 'x'\n", true},
        {{"-b", "-j-2"}, 2, refused + ", not '-2'\n", true},
        {{"-b", "-j", "0"}, 2, refused + ", not '0'\n", true},
        {{"-b", "-j", "1025"}, 2, refused + ", not '1025'\n", true},
        {{"-b", "-j", "x"}, 2, refused + ", not 'x'\n", true},
        {{"-b", "-j", "-2"}, 2, refused + ", not '-2'\n", true},
        {{"-b", "-j", ""}, 2, refused + ", not ''\n", true},
    };
    for (const Row& row : rows) {
        std::string trace;
        for (const std::string& a : row.args) trace += "[" + a + "] ";
        SCOPED_TRACE(trace);
        CliTree tree;
        // Text for a run to binary, binary for a run to text, so a
        // conversion shows whichever way it goes.
        tree.write("a.inf", "[A]\r\n");
        if (!row.toBinary) {
            ASSERT_EQ(tree.run({"a.inf"}).status, 0);
        }
        const std::string before = tree.read("a.inf");
        CliResult r = tree.run(row.args);
        EXPECT_EQ(r.status, row.status);
        EXPECT_EQ(r.err, row.err);
        if (row.status == 0) {
            EXPECT_EQ(tree.isBinary("a.inf"), row.toBinary);
            EXPECT_NE(r.out.find(tree.walkPath("a.inf") + "\n"), std::string::npos) << r.out;
        } else {
            EXPECT_EQ(r.out, kBanner);
            EXPECT_EQ(tree.read("a.inf"), before);
        }
    }
    // A word other than a tree switch before "-j2" still names the file.
    CliTree tree;
    tree.write("-j2", "[A]\r\n");
    ASSERT_EQ(tree.run({"-j2"}).status, 0);
    EXPECT_EQ(tree.run({"-x", "-j2"}).status, 0);
    EXPECT_EQ(tree.read("-j2"), "\r\n[A]\r\n{\r\n\r\n}\r\n");
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
    EXPECT_EQ(r.out, kBanner + "Processing directories: 0\r\n\n\n" + tree.walkPath("a.inf") + "\n" +
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
    EXPECT_EQ(r.out, kBanner + "Processing directories: 0\r\n\nBAD: " + tree.walkPath("main.inf") +
                         "\n\n" + stats(1, a.size(), 1, 0, 0, 1));
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
    const bool readOnly = vk_test::makeReadOnly(tree.root() / "locked");
    if (!readOnly) std::filesystem::remove_all(tree.root() / "locked");

    CliResult r = tree.run({"-b"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(tree.isBinary("Mission.inf"));
    EXPECT_TRUE(tree.isBinary("abcinf"));
    EXPECT_TRUE(tree.isBinary("sub/deep/Other.inf"));
    EXPECT_EQ(tree.read("sub/Common.inf"), common);  // included through "\" and other case
    EXPECT_EQ(tree.read("DATA.INF"), "[D]\r\n");
    EXPECT_EQ(tree.read(".hidden/h.inf"), "[H]\r\n");
    if (readOnly) {
        EXPECT_EQ(tree.read("locked/l.inf"), "[L]\r\n");
    }

    EXPECT_NE(r.out.find(tree.walkPath("mission.inf") + "\n"), std::string::npos);
    EXPECT_NE(r.out.find(tree.walkPath("sub/deep/other.inf") + "\n"), std::string::npos);
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

// The listing as a user reads it, written out by hand: whole paths,
// lower-cased, with a backslash on Windows and "/" elsewhere; includes named
// with either separator are matched. Files come in the system's listing order
// (sorted on Windows, not on Linux), so the converted lines are compared sorted.
TEST(CliTree, PrintedPathsAreLowerCasedWithTheSystemsSeparator) {
    struct Path {
        const char* windows;
        const char* elsewhere;
    };
    const auto plain = [](const Path& p) { return vk_test::kOnWindows ? p.windows : p.elsewhere; };
    const Path bad = {"\\maps\\bad.inf", "/maps/bad.inf"};
    const std::vector<Path> converted = {
        {"\\maps\\sector 7\\alpha.inf", "/maps/sector 7/alpha.inf"},
        {"\\maps\\sector 7\\beta.inf", "/maps/sector 7/beta.inf"},
        {"\\top.inf", "/top.inf"},
    };
    CliTree tree;
    tree.write("Top.inf", "#include \"Maps/Shared/Other.inf\"\r\n[T]\r\n");
    tree.write("Maps/Bad.inf", "#include \"Gone\\x.inf\"\r\n");
    tree.write("Maps/Sector 7/Alpha.inf", "[A]\r\n");
    tree.write("Maps/Sector 7/Beta.inf", "#include \"..\\Shared\\Common.inf\"\r\n[B]\r\n");
    tree.write("Maps/Shared/Common.inf", "[C]\r\n");
    tree.write("Maps/Shared/Other.inf", "[O]\r\n");
    std::size_t inBytes = 0;
    for (const char* name :
         {"Top.inf", "Maps/Bad.inf", "Maps/Sector 7/Alpha.inf", "Maps/Sector 7/Beta.inf",
          "Maps/Shared/Common.inf", "Maps/Shared/Other.inf"})
        inBytes += sizeOf(tree, name);

    const CliResult r = tree.run({"-b"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string head = kBanner +
                             "Processing directories: 0\rProcessing directories: 1\r"
                             "Processing directories: 2\rProcessing directories: 3\r\n\nBAD: " +
                             tree.lowerRoot() + plain(bad) + "\n\n";
    ASSERT_EQ(r.out.substr(0, head.size()), head);
    const std::size_t statsAt = r.out.rfind("\nDirs: ");
    ASSERT_NE(statsAt, std::string::npos) << r.out;
    std::vector<std::string> printed, expected;
    std::string line;
    for (std::size_t i = head.size(); i < statsAt; ++i) {
        if (r.out[i] != '\n') {
            line += r.out[i];
            continue;
        }
        printed.push_back(line);
        line.clear();
    }
    for (const Path& p : converted) expected.push_back(tree.lowerRoot() + plain(p));
    std::sort(printed.begin(), printed.end());
    EXPECT_EQ(printed, expected);
    const std::size_t outBytes = sizeOf(tree, "Top.inf") + sizeOf(tree, "Maps/Sector 7/Alpha.inf") +
                                 sizeOf(tree, "Maps/Sector 7/Beta.inf");
    EXPECT_EQ(r.out.substr(statsAt), stats(4, inBytes, 6, outBytes, 3, 1));
}

}  // namespace

namespace {

namespace fs = std::filesystem;

// Everything a walk leaves: the files (and what the links point to) by
// relative name, the output with the tree's own path taken out, and the status.
std::string walkResult(const CliTree& tree, const CliResult& r) {
    std::string all = "status " + std::to_string(r.status) + "\nout\n" + r.out + "\nerr\n" + r.err;
    for (const std::string& root : {tree.root().string(), tree.lowerRoot()}) {
        for (std::size_t at; (at = all.find(root)) != std::string::npos;)
            all.replace(at, root.size(), "<root>");
    }
    std::vector<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(tree.root()))
        names.push_back(e.path().lexically_relative(tree.root()).string());
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const fs::path path = tree.root() / name;
        all += "\n" + name + ": ";
        if (fs::is_symlink(path)) {
            all += "-> " + fs::read_symlink(path).string();
        } else if (fs::is_regular_file(path)) {
            all += tree.read(name);
        }
    }
    return all;
}

// A tree of more files than one batch holds, with the cases a batch must
// treat as converting one file after the other would: a file under two
// names, files refused or busy, a syntax error that ends the walk.
void buildBusyTree(const CliTree& tree, bool withSyntaxError) {
    for (int d = 0; d < 3; ++d) {
        for (int f = 0; f < 50; ++f) {
            std::string text = "[S" + std::to_string(f) +
                               "]\r\n{\r\nk = " + std::to_string(d * 100 + f) + ", \"v " +
                               std::to_string(f) + "\", 1.5\r\n}\r\n";
            if (f % 7 == 3) text = "#include \"shared.inf\"\r\n" + text;
            tree.write("d" + std::to_string(d) + "/f" + std::to_string(f) + ".inf", text);
        }
        tree.write("d" + std::to_string(d) + "/shared.inf", "[Shared]\r\nx = 1\r\n");
    }
    tree.write("d1/bad.inf", "#include \"gone.inf\"\r\n");
    tree.write("d1/target.inf", "[T]\r\nt = 1\r\n");
    fs::create_symlink("target.inf", tree.root() / "d1/link.inf");
    tree.write("d2/one.inf", "[One]\r\nname = Once\r\n");
    fs::create_hard_link(tree.root() / "d2/one.inf", tree.root() / "d2/two.inf");
    ASSERT_TRUE(vk_test::makeFifo(tree.root() / "d0/pipe.inf"));
    if (withSyntaxError) tree.write("d1/broken.inf", "= 1\r\n");
}

// Runs the walk with one thread and with four on identical trees; both must
// leave the same files and print the same.
template <class Build>
std::string sameWithThreads(const char* mode, Build build) {
    std::string results[2];
    for (int run = 0; run < 2; ++run) {
        CliTree tree;
        build(tree);
        // Held by "another conversion" for the whole walk.
        std::optional<HeldLock> held;
        if (tree.exists("d0/f5.inf")) held.emplace(tree.path("d0/f5.inf"));
        results[run] = walkResult(tree, tree.run({mode, "-j", run == 0 ? "1" : "4"}));
    }
    EXPECT_EQ(results[0], results[1]);
    return results[0];
}

TEST(CliTree, ThreadsAndBatchesGiveWhatOneFileAfterTheOtherGives) {
    if (vk_test::kOnWindows) GTEST_SKIP() << "the tree holds a FIFO and a symbolic link";
    for (const bool withSyntaxError : {false, true}) {
        SCOPED_TRACE(withSyntaxError ? "with a syntax error" : "");
        const std::string toBinary = sameWithThreads(
            "-b", [&](const CliTree& tree) { buildBusyTree(tree, withSyntaxError); });
        const std::string toText = sameWithThreads("-t", [&](const CliTree& tree) {
            buildBusyTree(tree, withSyntaxError);
            tree.run({"-b", "-j", "1"});
        });
        if (withSyntaxError) {
            EXPECT_NE(toBinary.find("status 1\n"), std::string::npos);
            continue;
        }
        EXPECT_NE(toBinary.find("status 2\n"), std::string::npos);
        EXPECT_NE(toBinary.find("<root>/d0/f5.inf\nDetail: busy: another conversion"),
                  std::string::npos);
        // The same file under two names is converted under each, one after the other.
        for (const char* name : {"d2/one.inf", "d2/two.inf", "d1/link.inf", "d1/target.inf"}) {
            EXPECT_NE(toBinary.find(std::string("\n") + name + ": \xAD\xA5\xFF\xFF"),
                      std::string::npos)
                << name;
            EXPECT_NE(toBinary.find(std::string("\n") + name + ".back: "), std::string::npos)
                << name;
        }
        EXPECT_NE(toBinary.find("d1/link.inf.back: -> target.inf"), std::string::npos);
        EXPECT_NE(toText.find("d2/two.inf: \r\n[One]\r\n"), std::string::npos);
    }
    // A file that includes one converted before it reads the converted form
    // (here: binary bytes in the text), whichever comes first in the walk.
    sameWithThreads("-b", [](const CliTree& tree) {
        fs::create_directory_symlink(".", tree.root() / "self");
        for (int i = 0; i < 20; ++i) {
            const std::string n = std::to_string(i);
            tree.write("reader" + n + ".inf",
                       "#include \"self/read" + n + ".inf\"\r\n[Reader]\r\n");
            tree.write("read" + n + ".inf", "[Read]\r\nr = " + n + "\r\n");
        }
    });
}

}  // namespace
