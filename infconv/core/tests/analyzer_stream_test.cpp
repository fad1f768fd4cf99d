// The parser takes tokens as they are scanned and keeps only a ring of the
// recent ones; these cases hold it to what scanning the whole text first
// gives: the tokens the report shows, and which error wins.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "exceptions.h"
#include "inf_analyzer.h"
#include "inf_syntax_exception.h"
#include "log.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

std::string repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

class AnalyzerStream : public ::testing::Test {
  protected:
    void SetUp() override {
        vk_test::setEnvironment("INFCONV_LOG_DIR", vk_test::utf8((root_ / "log")));
        createLogChannels();
        ASSERT_NE(ErrorLog, nullptr);
        ErrorLog->errorBox = false;
        setLogCapture(&captured_);
    }
    void TearDown() override {
        setLogCapture(nullptr);
        destroyLogChannels();
    }

    std::string write(const std::string& name, const std::string& bytes) {
        return scratch_.write(name, bytes);
    }

    // Loads text that must fail with Expected; returns the message.
    template <class Expected>
    std::string failure(const std::string& text) {
        captured_.clear();
        try {
            InfAnalyzer analyzer(write("bad.inf", text));
        } catch (cException* e) {
            std::unique_ptr<cException> owned(e);
            EXPECT_NE(dynamic_cast<Expected*>(e), nullptr) << e->message();
            return e->message();
        }
        ADD_FAILURE() << "no error for: " << text.substr(0, 200);
        return {};
    }

    static std::string head(const std::string& message) {
        return "Error at line: 115\nIn file: Common/System/InfAnalyzer/InfAnalyzer\n\n\n"
               "InfAnalyzer: Error in inf file: bad.inf\n" +
               message + "\n\n Previous 10 tokens:\n";
    }

    vk_test::ScratchDir scratch_{"infconv-stream"};
    fs::path root_ = scratch_.root();
    std::string captured_;
};

TEST_F(AnalyzerStream, ReportAfterTheRingHasWrapped) {
    struct {
        const char* name;
        std::string text;
        std::string message;
        std::string previous;
        std::string following;
    } cases[] = {
        // 90 tokens before the error and 120 after it: both sides come from
        // a ring that has wrapped several times.
        {"ManyBeforeAndAfter",
         repeat("k = 1\r\n", 30) + "= x, 1, 2, 3, 4, 5, 6\r\n" + repeat("m = 2\r\n", 40),
         "Egyenlosegjel rossz helyen!", "1.00 'k' = 1.00 'k' = 1.00 'k' = 1.00 ",
         "= 'x' , 1.00 , 2.00 , 3.00 , 4.00 "},
        // The error on the last token: nothing follows it.
        {"LastToken", repeat("k = 1\r\n", 20) + "\"oops",
         "Valoszinuleg nincs bezarva egy idezojel!", "1.00 'k' = 1.00 'k' = 1.00 'k' = 1.00 ",
         "'oops' "},
        // Found on the value after a comma, i.e. after the look-ahead.
        {"AfterLookAhead",
         repeat("[S]\r\n{\r\n}\r\n", 12) + "k = 1, [T]\r\n{\r\n}\r\n" + repeat("x = y\r\n", 12),
         "tok->Type mismatch", "[S]\n{\n}\n[S]\n{\n}\n'k' = 1.00 , ",
         "[T]\n{\n}\n'x' = 'y' 'x' = 'y' 'x' "},
    };
    for (const auto& c : cases) {
        const std::string message = failure<cInfSyntaxException>(c.text);
        EXPECT_EQ(message,
                  head(c.message) + c.previous + "\n\n Following 10 tokens:\n" + c.following)
            << c.name;
        EXPECT_EQ(captured_, message + "\n") << c.name;
    }
}

TEST_F(AnalyzerStream, ScannerErrorLaterInTheFileWins) {
    struct {
        const char* name;
        std::string text;
        std::string message;
        std::string previous;
    } cases[] = {
        // The parser error comes first; the runaway define is all that is reported.
        {"DefineAfterBlockEnd", "}\r\n#define L L\r\nL",
         "#define 'L' expands itself without end (more "
         "than 256 nested expansions)!",
         "}\n"},
        // Far behind the parser error, after the ring has wrapped.
        {"DefineFarBehind", "=\r\n" + repeat("k = 1\r\n", 40) + "#define L L\r\nL",
         "#define 'L' expands itself without end (more than 256 nested expansions)!",
         "1.00 'k' = 1.00 'k' = 1.00 'k' = 1.00 "},
        // Within the ten tokens the parser's report would have shown.
        {"DefineInsideTheFollowingTokens", "5 x\r\n#define L L\r\nL",
         "#define 'L' expands itself without end (more than 256 nested expansions)!", "5.00 'x' "},
    };
    for (const auto& c : cases) {
        const std::string message = failure<cInfSyntaxException>(c.text);
        EXPECT_EQ(message, head(c.message) + c.previous + "\n\n Following 10 tokens:\n") << c.name;
        EXPECT_EQ(captured_, message + "\n") << c.name;
    }
}

TEST_F(AnalyzerStream, IncludeErrorsAfterAParserErrorWin) {
    const std::string missing = failure<cFileOpenException>("}\r\n" + repeat("k = 1\r\n", 40) +
                                                            "#include \"missing.inf\"\r\n");
    EXPECT_NE(missing.find("missing.inf"), std::string::npos) << missing;
    EXPECT_TRUE(captured_.empty()) << captured_;

    write("self.inf", "a = b\r\n#include \"self.inf\"\r\n");
    const std::string cycle = failure<cInfSyntaxException>("{\r\n#include \"self.inf\"\r\n");
    EXPECT_NE(cycle.find("#include \"self.inf\" nests more than 64 levels deep"), std::string::npos)
        << cycle.substr(0, 300);
    const std::string tail = "\n'b' 'a' = 'b' 'a' = 'b' 'a' = 'b' \n\n Following 10 tokens:\n";
    ASSERT_GT(cycle.size(), tail.size());
    EXPECT_EQ(cycle.substr(cycle.size() - tail.size()), tail);
    EXPECT_EQ(captured_, cycle + "\n");
}

TEST_F(AnalyzerStream, TokensKeepTheirTextAcrossReuse) {
    // Entries once holding a huge text are reused for small ones and again
    // for huge ones; a number may run on from an included file.
    const std::string big(100000, 'x');
    write("tail.inf", "n = 1");
    const std::string path =
        write("big.inf", "a = \"" + big + "\"\r\n" + repeat("k = 1\r\n", 20) + "b = " + big +
                             "y\r\nc = \"z\"\r\n#include \"tail.inf\"5\r\n");
    InfAnalyzer analyzer(path);
    const cInfNode* root = analyzer.getRoot();
    ASSERT_EQ(root->keyCount(), 24u);
    EXPECT_EQ(root->key(0)->value(0).text(), big);
    EXPECT_EQ(root->key(21)->value(0).text(), big + "y");
    EXPECT_EQ(root->key(22)->value(0).text(), "z");
    EXPECT_EQ(root->key(23)->name(), "n");
    EXPECT_EQ(root->key(23)->value(0).number(), 15.0f);
    EXPECT_TRUE(captured_.empty()) << captured_;
}

}  // namespace
