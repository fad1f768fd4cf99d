#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "binary_inf.h"
#include "cfile.h"
#include "exceptions.h"
#include "inf_analyzer.h"
#include "inf_convert.h"
#include "inf_syntax_exception.h"
#include "log.h"
#include "string_table.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

// Compact structural dump: [Name]{ keys ; sections } with s"..." and n<value>.
void dump(const cInfNode& node, std::string& out) {
    for (std::size_t i = 0; i < node.keyCount(); ++i) {
        const cInfKey* key = node.key(i);
        out += std::string(key->name()) + "=";
        for (std::size_t v = 0; v < key->valueCount(); ++v) {
            const cInfValue& value = key->value(v);
            if (v) out += ",";
            if (value.isNumber()) {
                std::ostringstream s;
                s << value.number();
                // Appended apart: `"n" + s.str()` makes GCC 12 warn falsely of
                // overlapping copies (-Wrestrict) in the MinGW cross build.
                out += 'n';
                out += s.str();
            } else {
                out += "s\"" + value.text() + "\"";
            }
        }
        out += ";";
    }
    for (std::size_t i = 0; i < node.sectionCount(); ++i) {
        out += '[';
        out += node.section(i)->name();
        out += "]{";
        dump(*node.section(i), out);
        out += "}";
    }
}

std::string dumpTree(InfAnalyzer& analyzer) {
    std::string out;
    dump(*analyzer.getRoot(), out);
    return out;
}

class AnalyzerLoad : public ::testing::Test {
  protected:
    void SetUp() override {
        vk_test::setEnvironment("INFCONV_LOG_DIR", vk_test::utf8((root_ / "log")));
        createLogChannels();
        ASSERT_NE(ErrorLog, nullptr);
        ErrorLog->errorBox = false;
        setLogCapture(&captured_);
        startDir_ = fs::current_path();
        fs::current_path(root_);
    }
    void TearDown() override {
        fs::current_path(startDir_);
        setLogCapture(nullptr);
        destroyLogChannels();
    }

    void write(const fs::path& relative, const std::string& bytes) {
        vk_test::writeFile(root_ / relative, bytes);
    }
    std::string read(const fs::path& relative) { return vk_test::readFile(root_ / relative); }

    std::string load(const std::string& path) {
        InfAnalyzer analyzer(path);
        return dumpTree(analyzer);
    }

    // Loads a file that must fail; returns the exception's message.
    template <class Expected>
    std::string loadFailure(const std::string& path) {
        try {
            InfAnalyzer analyzer(path);
        } catch (cException* e) {
            std::unique_ptr<cException> owned(e);
            EXPECT_NE(dynamic_cast<Expected*>(e), nullptr) << e->message();
            return e->message();
        }
        ADD_FAILURE() << "loading " << path << " did not fail";
        return {};
    }

    vk_test::ScratchDir scratch_{"infconv-load"};
    fs::path root_ = scratch_.root();
    fs::path startDir_;
    std::string captured_;
};

TEST_F(AnalyzerLoad, ShipExampleBuildsTheTree) {
    write("ship.inf", "[Ship]\r\n{\r\n\tName = \"Big one\", 12.5, -3\r\n}\r\n");
    EXPECT_EQ(load("ship.inf"), "[Ship]{Name=s\"Big one\",n12.5,n-3;}");
    EXPECT_TRUE(captured_.empty());
}

TEST_F(AnalyzerLoad, TreeShapes) {
    struct {
        const char* text;
        const char* tree;
    } cases[] = {
        // A header without a block owns what follows, sections included.
        {"[A]\r\nx = 1\r\n[B]\r\n{\r\ny = 2\r\n}\r\nz = 3\r\n", "[A]{x=n1;z=n3;[B]{y=n2;}}"},
        // Missing "}" at the end is accepted.
        {"[A]\r\n{\r\nx = 1\r\n", "[A]{x=n1;}"},
        // Duplicates kept in order; case kept.
        {"Speed = 1\r\nSPEED = 2\r\n[s]\r\n{\r\n}\r\n[S]\r\n{\r\n}\r\n",
         "Speed=n1;SPEED=n2;[s]{}[S]{}"},
        {"Max speed = 5\r\nName = Red Star\r\n", "Max speed=n5;Name=s\"Red Star\";"},
        {"k = a, 1, \"b c\", -2.5\r\n", "k=s\"a\",n1,s\"b c\",n-2.5;"},
        {"#define SPEED 20\r\nv = speed\r\n", "v=n20;"},
        // A key with nothing after its separator at the end of the file.
        {"k =", "k=;"},
        // The separator's kind is not looked at.
        {"k , 1\r\n", "k=n1;"},
        {"; only a comment\r\n  \t\r\n", ""},
        // A value may take the rest of the file in an unclosed quote.
        {"k = \"abc\r\nm = 1\r\n", "k=s\"abc\rm = 1\r\";"},
    };
    for (const auto& c : cases) {
        write("t.inf", c.text);
        EXPECT_EQ(load("t.inf"), c.tree) << c.text;
    }
    EXPECT_TRUE(captured_.empty()) << captured_;
}

TEST_F(AnalyzerLoad, LongValueListsKeepEveryValueInOrder) {
    // A key's values are gathered up to a bound (in count and in text bytes)
    // and added directly past it; on either side of it the key is the same.
    struct {
        int count;
        std::size_t textLength;
    } cases[] = {{1023, 2}, {1024, 2}, {1025, 2}, {2049, 2}, {5, 30000}, {3, 70000}, {1, 0}};
    for (const auto& c : cases) {
        std::string text = "k = ";
        std::string tree = "k=";
        for (int i = 0; i < c.count; ++i) {
            if (i) {
                text += ", ";
                tree += ",";
            }
            if (i % 2) {
                text += std::to_string(i);
                tree += 'n';  // apart, as in dump()
                tree += std::to_string(i);
            } else {
                const std::string value(c.textLength, static_cast<char>('a' + i % 26));
                text += "\"" + value + "\"";
                tree += "s\"" + value + "\"";
            }
        }
        text += "\r\nnext = x, 1\r\n";
        tree += ";next=s\"x\",n1;";
        write("t.inf", text);
        EXPECT_EQ(load("t.inf"), tree) << c.count << " values of " << c.textLength << " bytes";
    }
    EXPECT_TRUE(captured_.empty()) << captured_;
}

TEST_F(AnalyzerLoad, EveryParserErrorIsReported) {
    struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"{\r\n", "BlockStart '{' without [SectionName] !!!"},
        {"[A]\r\n{\r\n}\r\n{\r\n", "BlockStart '{' without [SectionName] !!!"},
        {"}\r\n", "More BlockEnd ('}') than BlockStart('{')!"},
        {"[A]\r\n{\r\n}\r\n}\r\n", "More BlockEnd ('}') than BlockStart('{')!"},
        {"=\r\n", "Egyenlosegjel rossz helyen!"},
        {"a = b\nc = d\r\n", "Egyenlosegjel rossz helyen!"},
        {"5\r\n", "Szam rossz helyen!"},
        {"#define SPEED 20\r\nSpeed = 3\r\n", "Szam rossz helyen!"},
        {",\r\n", "Vesszo rossz helyen!"},
        {"key = [x]\r\n", "tok->Type mismatch"},
        {"[A]\r\n{\r\nk =\r\n}\r\n", "tok->Type mismatch"},
        {"a = 1\r\n\"oops\r\n", "Valoszinuleg nincs bezarva egy idezojel!"},
    };
    for (const auto& c : cases) {
        captured_.clear();
        write("bad.inf", c.text);
        const std::string message = loadFailure<cInfSyntaxException>("bad.inf");
        const std::string head =
            "Error at line: 115\nIn file: Common/System/InfAnalyzer/InfAnalyzer\n\n\n"
            "InfAnalyzer: Error in inf file: bad.inf\n" +
            std::string(c.message) + "\n\n Previous 10 tokens:\n";
        EXPECT_EQ(message.substr(0, head.size()), head) << c.text;
        EXPECT_EQ(captured_, message + "\n");
    }
}

TEST_F(AnalyzerLoad, ReportShowsTenTokensEachSide) {
    struct {
        const char* text;
        const char* previous;
        const char* following;
    } cases[] = {
        // Cursor 13: previous from 3 to 12, following from 13.
        {"a = 1, 2, 3, 4, 5, 6\r\n= x\r\n", ", 2.00 , 3.00 , 4.00 , 5.00 , 6.00 ", "= 'x' "},
        // Cursor below 10: the previous run starts at 0 and reaches past it.
        {"[S]\r\n{\r\n}\r\n{\r\nq = \"a b\"\r\n", "[S]\n{\n}\n{\n'q' = 'a b' ", "{\n'q' = 'a b' "},
        // Following stops at ten tokens.
        {"}\r\n1,2,3,4,5,6", "}\n1.00 , 2.00 , 3.00 , 4.00 , 5.00 ",
         "}\n1.00 , 2.00 , 3.00 , 4.00 , 5.00 "},
    };
    for (const auto& c : cases) {
        write("bad.inf", c.text);
        const std::string message = loadFailure<cInfSyntaxException>("bad.inf");
        const std::string tail = std::string("\n\n Previous 10 tokens:\n") + c.previous +
                                 "\n\n Following 10 tokens:\n" + c.following;
        ASSERT_GE(message.size(), tail.size()) << message;
        EXPECT_EQ(message.substr(message.size() - tail.size()), tail) << message;
    }
}

TEST_F(AnalyzerLoad, IncludedTextIsScannedRightAfterTheQuote) {
    // The rest of the include line follows the included bytes.
    write("x.inf", "v = ");
    write("main.inf", "[Outer]\r\n{\r\n#include \"x.inf\" 5\r\nk = 1\r\n}\r\n");
    EXPECT_EQ(load("main.inf"), "[Outer]{v=n5;k=n1;}");

    // Sections of an included file land in the open block.
    write("y.inf", "[Inner]\r\n{\r\nw = 2\r\n}\r\n");
    write("main.inf", "[Outer]\r\n{\r\n#include \"y.inf\"\r\n}\r\n[Next]\r\n");
    EXPECT_EQ(load("main.inf"), "[Outer]{[Inner]{w=n2;}}[Next]{}");
}

TEST_F(AnalyzerLoad, IncludesResolveAgainstTheMainFileDirectory) {
    // Written for the game's platform: "\" separators, any letter case.
    write("maps/SUB/Common.INF", "#include \"other.inf\"\r\nc = 1\r\n");
    write("maps/other.inf", "o = 2\r\n");
    write("maps/m.inf", "#include \"sub\\common.inf\"\r\nm = 3\r\n");
    EXPECT_EQ(load("maps/m.inf"), "o=n2;c=n1;m=n3;");
    EXPECT_EQ(fs::current_path(), root_);
    EXPECT_EQ(load((root_ / "maps/m.inf").string()), "o=n2;c=n1;m=n3;");
}

TEST_F(AnalyzerLoad, FileErrorsLeaveTheConstruction) {
    write("m.inf", "#include \"missing.inf\"\r\n");
    EXPECT_NE(loadFailure<cFileOpenException>("m.inf").find("missing.inf"), std::string::npos);
    write("empty.inf", "");
    write("m.inf", "#include \"empty.inf\"\r\n");
    loadFailure<cFileException>("m.inf");
    loadFailure<cFileException>("empty.inf");
    EXPECT_NE(loadFailure<cFileOpenException>("nothere.inf").find("nothere.inf"),
              std::string::npos);
    fs::create_directories(root_ / "adir");
    EXPECT_NE(loadFailure<cFileOpenException>("adir/").find("adir/"), std::string::npos);
    EXPECT_EQ(fs::current_path(), root_);
    EXPECT_TRUE(captured_.empty());
}

TEST_F(AnalyzerLoad, IncludeCyclesAreStopped) {
    write("d/a.inf", "[A]\r\n#include \"b.inf\"\r\n");
    write("d/b.inf", "x = 1\r\n#include \"a.inf\"\r\n");
    const std::string message = loadFailure<cInfSyntaxException>("d/a.inf");
    EXPECT_NE(
        message.find("In file: Common/System/InfAnalyzer/InfAnalyzer\n\n\nInfAnalyzer: Error in "
                     "inf file: a.inf\n#include \""),
        std::string::npos)
        << message.substr(0, 300);
    EXPECT_NE(message.find("include each other"), std::string::npos);
    EXPECT_EQ(fs::current_path(), root_);

    write("self.inf", "#include \"SELF.inf\"\r\n");
    EXPECT_NE(loadFailure<cInfSyntaxException>("self.inf").find("#include \"SELF.inf\""),
              std::string::npos);
}

TEST_F(AnalyzerLoad, MissingDirectoryRaisesTheAssertion) {
    const std::string message = loadFailure<cInfSyntaxException>("nodir/x.inf");
    EXPECT_EQ(message,
              "Assertion failed at line 213\nIn file Common/System/InfAnalyzer/InfAnalyzer\n\n"
              "A nodir-nak kell egy x.inf path-t, de nincs ilyen!");
    EXPECT_EQ(captured_, message + "\n");
    EXPECT_EQ(fs::current_path(), root_);
}

TEST_F(AnalyzerLoad, BinaryIsToldFromTextByTheMagic) {
    {
        InfAnalyzer tree;
        tree.getRoot()->addKey("Version")->addNumber(2);
        tree.getRoot()->addSection("Fleet")->addKey("Name")->addString("Red Star");
        tree.writeBinaryInf("b.inf", false);
    }
    EXPECT_EQ(read("b.inf").substr(0, 4), "\xAD\xA5\xFF\xFF");
    EXPECT_EQ(load("b.inf"), "Version=n2;[Fleet]{Name=s\"Red Star\";}");

    // Short files and near-misses of the magic are text.
    write("short.inf", "k=1");
    EXPECT_EQ(load("short.inf"), "k=n1;");
    write("near.inf", "\xAD\xA5\xFF\xFEk = 1\r\n");
    EXPECT_EQ(load("near.inf"), "k=n1;");
}

TEST_F(AnalyzerLoad, ConvertInPlaceKeepsTheOldContent) {
    const std::string text =
        "[Ship]\r\n{\r\n\tName = \"Big one\", 12.5, -3\r\n\tMax speed = 0.1\r\n}\r\n";
    write("sub/c.inf", text);
    convertInfFile("sub/c.inf", true);
    EXPECT_EQ(read("sub/c.inf").substr(0, 4), "\xAD\xA5\xFF\xFF");
    EXPECT_EQ(read("sub/c.inf.back"), text);
    const std::string binary = read("sub/c.inf");

    convertInfFile("sub/c.inf", false);
    EXPECT_EQ(read("sub/c.inf.back"), binary);
    EXPECT_EQ(load("sub/c.inf"), "[Ship]{Name=s\"Big one\",n12.5,n-3;Max speed=n0.1;}");
}

TEST_F(AnalyzerLoad, FailedParseWritesNothing) {
    write("bad.inf", "key = [x]\r\n");
    try {
        convertInfFile("bad.inf", true);
        ADD_FAILURE() << "no error";
    } catch (cException* e) {
        std::unique_ptr<cException> owned(e);
    }
    EXPECT_EQ(read("bad.inf"), "key = [x]\r\n");
    EXPECT_FALSE(fs::exists(root_ / "bad.inf.back"));
}

}  // namespace

// Text to binary is encoded as it is read where the tree would write the same
// bytes; wherever the tree would order, refuse or report otherwise, the
// conversion falls back to the tree. Either way it must give what the tree
// path gives: the same bytes, or the same message.
TEST_F(AnalyzerLoad, TextToBinaryGivesTheTreePathsBytesOrMessage) {
    std::string deep;
    for (int i = 0; i <= 4096; ++i) deep += "[S]\r\n";
    std::string manyValues = "k = 0";
    for (int i = 1; i < 256; ++i) {
        manyValues += ", ";
        manyValues += std::to_string(i);
    }
    std::string manyStrings;
    for (int i = 0; i <= 65536; ++i) {
        manyStrings += 'k';
        manyStrings += std::to_string(i);
        manyStrings += " = 1\r\n";
    }
    const std::string cases[] = {
        "a = 1, two\r\n[A]\r\n{\r\nk = \"x y\", 1.5\r\n[B]\r\n{\r\n}\r\n}\r\n[C]\r\nz = 2\r\n",
        // Keys after a child section of the same node, the root's included.
        "[A]\r\n{\r\n[B]\r\n{\r\nb = 1\r\n}\r\nk = 1\r\n}\r\n",
        "[A]\r\n{\r\n}\r\nk = 1\r\n",
        "#include \"inc.inf\"\r\n[A]\r\n{\r\nk = 1\r\n}\r\n",
        "[A]\r\n{\r\nk = 1\r\n}\r\n}\r\n",
        "[A]\r\n{\r\nk =\r\n}\r\n",
        std::string("k = \"a\0b\"\r\n", 11),
        deep,
        deep.substr(5),
        manyValues,
        manyValues.substr(0, manyValues.rfind(',')),
        manyStrings,
        manyStrings.substr(0, manyStrings.rfind('k')),
    };
    write("inc.inf", "[I]\r\n{\r\ni = 2\r\n}\r\n");
    // The outcome as bytes, or as the message thrown (appended apart, as in dump()).
    const auto outcome = [](const std::function<std::string()>& convert) {
        std::string out;
        try {
            const std::string bytes = convert();
            out = "bytes ";
            out += bytes;
        } catch (cException* e) {
            std::unique_ptr<cException> owned(e);
            out = "message ";
            out += owned->message();
        }
        return out;
    };
    for (const std::string& text : cases) {
        write("t.inf", text);
        const std::string byTree = outcome([] {
            InfAnalyzer analyzer("t.inf");
            cStringTable strings;
            return binary_inf::encode(*analyzer.getRoot(), strings, "t.inf");
        });
        const std::string converted =
            outcome([] { return convertInfContent("t.inf", true).bytes(); });
        // Bytes run long: only their start is shown.
        EXPECT_TRUE(converted == byTree)
            << text.substr(0, 60) << "\nconverted: " << converted.substr(0, 80)
            << "\nby the tree: " << byTree.substr(0, 80);
    }
}
