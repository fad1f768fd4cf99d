#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "exceptions.h"
#include "inf_syntax_exception.h"
#include "inf_tokenizer.h"
#include "log.h"
#include "test_support.h"

namespace {

// Tokens in the error report's rendering, which shows kind and content.
std::string scanToText(const std::string& input) {
    cInfTokenizer tokens("test.inf");
    tokens.scan(input);
    std::string out;
    for (std::size_t i = 0; i < tokens.size(); ++i) tokens.appendRendering(i, out);
    return out;
}

struct ScanCase {
    const char* name;
    std::string input;
    std::string tokens;
};

class AnalyzerScanner : public ::testing::TestWithParam<ScanCase> {};

TEST_P(AnalyzerScanner, ProducesTokens) {
    EXPECT_EQ(scanToText(GetParam().input), GetParam().tokens);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Lexing, AnalyzerScanner,
    ::testing::Values(
        ScanCase{"Ship", "[Ship]\r\n{\r\n\tName = \"Big one\", 12.5, -3\r\n}\r\n",
                 "[Ship]\n{\n'Name' = 'Big one' , 12.50 , -3.00 }\n"},
        ScanCase{"WordWithInnerSpaces", "Max speed = 5\r\nName = Red Star\r\n",
                 "'Max speed' = 5.00 'Name' = 'Red Star' "},
        ScanCase{"BareLfDoesNotEndWord", "a = b\nc = d\r\n", "'a' = 'b\\nc' = 'd' "},
        ScanCase{"QuotedDropsLfKeepsCr", "\"x\r\ny\"", "'x\\ry' "},
        ScanCase{"QuotedMayBeEmpty", "\"\"", "'' "},
        // A report quotes tokens safely: a NUL does not cut it, ESC reaches no terminal.
        ScanCase{"ControlBytesShownAsEscapes", "\"n\0\x1B[2J\xE9\"\r\n[\x9B]"s,
                 "'n\\x00\\x1B[2J\xE9' [\\x9B]\n"},
        ScanCase{"UnclosedQuoteRunsToEnd", "k = \"abc, 5\r\n", "'k' = 'abc, 5\\r' "},
        ScanCase{"SectionNameTrimmed", "[ \t Fleet One \r]", "[Fleet One]\n"},
        ScanCase{"CommentToCr", "; a = 1\r\nb ; c\r\nd", "'b' 'd' "},
        ScanCase{"CommentNotEndedByLf", "; a\nb = 1\r\nc", "'c' "},
        ScanCase{"LongestPrefixNumbers", "1.2.3 - . -.5 007", "1.20 0.00 0.00 -0.50 7.00 "},
        ScanCase{"MinusOnlyFirst", "2-3", "2.00 -3.00 "},
        ScanCase{"NoExponent", "1e5", "1.00 'e5' "}, ScanCase{"NumberIsFloat", "0.1", "0.10 "},
        ScanCase{"NonAsciiBetweenTokensSkipped", "\x80\xff=\x01,", "= , "},
        ScanCase{"WordKeepsNonAsciiAndQuote", "a\xe9\"b", "'a\xe9\"b' "},
        ScanCase{"WordEndsAtHash", "ab#cd", "'ab' "},
        ScanCase{"BracketCloseStartsWord", "]x", "']x' "},
        ScanCase{"UnknownDirectiveIgnored", "#pragma once\r\nx", "'once' 'x' "},
        ScanCase{"DefineReplacesWordAnyCase", "#define SPEED 20\r\nv = speed\r\n", "'v' = 20.00 "},
        ScanCase{"DefineReplacesKeyName", "#define SPEED 20\r\nSpeed = 3\r\n", "20.00 = 3.00 "},
        ScanCase{"DefineOnlyWholeWords", "#define SPEED 20\r\nMax speed = \"speed\"\r\n[speed]",
                 "'Max speed' = 'speed' [speed]\n"},
        ScanCase{"DefineValueSeveralTokens", "#define PAIR 1, two\r\nk = PAIR\r\n",
                 "'k' = 1.00 , 'two' "},
        ScanCase{"DefineChain", "#define A B\r\n#define B 7\r\nA", "7.00 "},
        ScanCase{"RedefineReplaces", "#define A 1\r\n#define a 2\r\nA", "2.00 "},
        ScanCase{"DefineValueKeepsTrailingSpaces", "#define Q \"a  ;c\r\nk = Q,\"\r\n",
                 "'k' = 'a  ,' "},
        ScanCase{"DefineValueStopsAtSemicolonForComment", "#define A 5; A\r\nA", "5.00 "},
        ScanCase{"DefineWithoutValueTakesNextLine", "#define X\r\nk = 1\r\nX", "'k' = 1.00 "},
        ScanCase{"DefineNameSkipsLeadingBytes", "#define  12_A 3\r\n_A", "3.00 "},
        ScanCase{"WordWithSpaceIsNoDefine", "#define A x\r\nA y=1", "'A y' = 1.00 "},
        ScanCase{"IncludeAgainstQuoteIsIgnored", "#include\"x.inf\"\r\nk", "'k' "},
        ScanCase{"EmptyInput", "", ""}),
    [](const ::testing::TestParamInfo<ScanCase>& info) { return std::string(info.param.name); });

// Runaway expansion must end with a report that names the culprit.
class AnalyzerScannerBounds : public ::testing::Test {
  protected:
    void SetUp() override {
        vk_test::setEnvironment("INFCONV_LOG_DIR", vk_test::utf8(dir_));
        createLogChannels();
        ASSERT_NE(ErrorLog, nullptr);
        ErrorLog->errorBox = false;
        setLogCapture(&captured_);
    }
    void TearDown() override {
        setLogCapture(nullptr);
        destroyLogChannels();
    }

    std::string failure(const std::string& input) {
        try {
            scanToText(input);
        } catch (cException* e) {
            std::unique_ptr<cException> owned(e);
            EXPECT_NE(dynamic_cast<cInfSyntaxException*>(e), nullptr);
            return e->message();
        }
        ADD_FAILURE() << "no error for: " << input;
        return {};
    }

    vk_test::ScratchDir scratch_{"infconv-scan"};
    std::filesystem::path dir_ = scratch_.root();
    std::string captured_;
};

TEST_F(AnalyzerScannerBounds, SelfExpandingDefinesAreStopped) {
    struct {
        const char* input;
        const char* culprit;
    } cases[] = {
        {"#define LOOP loop\r\nLOOP", "#define 'loop'"},
        {"#define A 1, A\r\nk = A", "#define 'A'"},
        {"#define PING pong\r\n#define PONG ping\r\nPING", "#define '"},
        {"#define TWICE TWICE,TWICE\r\nTWICE", "#define 'TWICE'"},
    };
    for (const auto& c : cases) {
        captured_.clear();
        const std::string message = failure(c.input);
        EXPECT_NE(message.find(c.culprit), std::string::npos) << message;
        EXPECT_NE(message.find("Error at line: 115\nIn file: Common/System/InfAnalyzer/InfAnalyzer"
                               "\n\n\nInfAnalyzer: Error in inf file: test.inf\n#define"),
                  std::string::npos)
            << message;
        // The same report went through the error channel.
        EXPECT_EQ(captured_, message + "\n");
    }
}

TEST_F(AnalyzerScannerBounds, ExpansionVolumeIsBounded) {
    // Shallow but huge: each use adds 1000 bytes; no nesting bound is hit.
    std::string text = "#define S x" + std::string(999, ' ') + "\r\n";
    for (int i = 0; i < 70000; ++i) text += "S\r\n";
    const std::string message = failure(text);
    EXPECT_NE(message.find("#define 'S'"), std::string::npos) << message.substr(0, 300);
}

TEST_F(AnalyzerScannerBounds, DeepButFiniteDefineChainsAreFine) {
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "#define D" + std::to_string(i) + " D" + std::to_string(i + 1) + "\r\n";
    text += "#define D100 42\r\nD0";
    EXPECT_EQ(scanToText(text), "42.00 ");
    EXPECT_TRUE(captured_.empty());
}

}  // namespace
