#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "cfile.h"
#include "core_test_support.h"
#include "inf_analyzer.h"
#include "text_inf_writer.h"

namespace {

struct NumberCase {
    float value;
    const char* text;
};

class NumberFormatTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberFormatTest, Prints) {
    EXPECT_EQ(text_inf_writer::formatNumber(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberFormatTest,
    ::testing::Values(NumberCase{5.0f, "5"}, NumberCase{-3.0f, "-3"}, NumberCase{0.0f, "0"},
                      NumberCase{0.5f, "0.5"}, NumberCase{2.25f, "2.25"}, NumberCase{0.1f, "0.1"},
                      NumberCase{1.1f, "1.1"}, NumberCase{12.5f, "12.5"},
                      NumberCase{-0.75f, "-0.75"}, NumberCase{1e10f, "10000000000"},
                      NumberCase{3e9f, "3000000000"}, NumberCase{2147483648.0f, "2147483648"},
                      NumberCase{-2147483648.0f, "-2147483648"}, NumberCase{1e-8f, "0"},
                      NumberCase{-1e-8f, "-0"}, NumberCase{123456.7f, "123456.703125"}));

// The printf formatting the text form has always used, as the reference.
std::string printfReference(float value) {
    // glibc's spelling of a NaN, sign included; some C libraries drop the sign.
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    char buffer[128];
    if (value >= -2147483648.0f && value < 2147483648.0f) {
        auto whole = static_cast<std::int32_t>(value);
        if (static_cast<float>(whole) == value) {
            std::snprintf(buffer, sizeof buffer, "%.0f", static_cast<double>(value));
            return buffer;
        }
    }
    std::snprintf(buffer, sizeof buffer, "%.7f", static_cast<double>(value));
    std::string text = buffer;
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0') text.pop_back();
        if (!text.empty() && text.back() == '.') text.pop_back();
    }
    return text;
}

float fromBits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

TEST(NumberFormatEquivalence, MatchesPrintfOverSpreadOfBitPatterns) {
    // A stride over every bit pattern reaches all exponents, NaNs and infinities.
    int mismatches = 0;
    for (std::uint64_t bits = 0; bits <= 0xFFFFFFFFull; bits += 65521) {
        float value = fromBits(static_cast<std::uint32_t>(bits));
        if (text_inf_writer::formatNumber(value) != printfReference(value) && ++mismatches < 10) {
            ADD_FAILURE() << std::hex << bits << ": " << text_inf_writer::formatNumber(value)
                          << " vs " << printfReference(value);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(NumberFormatEquivalence, MatchesPrintfOnRoundingTiesAndRandomValues) {
    std::vector<float> values = {std::numeric_limits<float>::max(),
                                 -std::numeric_limits<float>::max(),
                                 std::numeric_limits<float>::min(),
                                 std::numeric_limits<float>::denorm_min(),
                                 std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity(),
                                 std::numeric_limits<float>::quiet_NaN(),
                                 -std::numeric_limits<float>::quiet_NaN(),
                                 -0.0f,
                                 0.00000005f,
                                 0.00000015f,
                                 0.99999995f,
                                 2147483520.0f,
                                 2147483904.0f,
                                 -2147483904.0f,
                                 16777217.0f,
                                 8388607.5f};
    // Odd multiples of 2^-k land exactly halfway between 7-decimal results.
    for (int k = 1; k <= 30; ++k) {
        for (int m = -3001; m <= 3001; m += 2)
            values.push_back(std::ldexp(static_cast<float>(m), -k));
    }
    std::mt19937 random(12345);
    std::uniform_real_distribution<float> near(-1000.0f, 1000.0f);
    for (int i = 0; i < 100000; ++i) values.push_back(near(random));
    for (int i = 0; i < 100000; ++i)
        values.push_back(fromBits(static_cast<std::uint32_t>(random())));
    int mismatches = 0;
    for (float value : values) {
        if (text_inf_writer::formatNumber(value) != printfReference(value) && ++mismatches < 10) {
            ADD_FAILURE() << value << ": " << text_inf_writer::formatNumber(value) << " vs "
                          << printfReference(value);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

struct QuoteCase {
    const char* text;
    bool quoted;
};

class QuotingTest : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(QuotingTest, Rule) {
    EXPECT_EQ(text_inf_writer::needsQuotes(GetParam().text), GetParam().quoted) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Table, QuotingTest,
                         ::testing::Values(QuoteCase{"Alpha", false}, QuoteCase{"alpha", false},
                                           QuoteCase{"_x", false}, QuoteCase{"a,b=c", false},
                                           QuoteCase{"-x", true}, QuoteCase{"Ship1", true},
                                           QuoteCase{"1st", true}, QuoteCase{"", true},
                                           QuoteCase{"Red Star", true}, QuoteCase{"@x", true},
                                           QuoteCase{"\xE9t\xE9", true}, QuoteCase{"a\rb", true},
                                           QuoteCase{"a\nb", true}));

using TextWriterTest = CoreScratchDir;

std::string writeText(InfAnalyzer& analyzer, const std::string& file) {
    analyzer.writeTextInf(file, false);
    return CoreScratchDir::readBytes(file);
}

TEST_F(TextWriterTest, RootKeysThenSections) {
    InfAnalyzer analyzer;
    analyzer.getRoot()->addKey("Version")->addNumber(2);
    analyzer.getRoot()->addSection("Fleet")->addKey("Name")->addString("Red Star");
    EXPECT_EQ(writeText(analyzer, path("f.inf")),
              "Version = 2\r\n\r\n[Fleet]\r\n{\r\n\tName = \"Red Star\"\r\n\r\n}\r\n");
}

TEST_F(TextWriterTest, EmptyRootAndKeyWithoutValues) {
    InfAnalyzer empty;
    EXPECT_EQ(writeText(empty, path("e.inf")), "\r\n");
    InfAnalyzer analyzer;
    analyzer.getRoot()->addKey("K");
    analyzer.getRoot()->addKey("L")->addString("");
    EXPECT_EQ(writeText(analyzer, path("k.inf")), "K = \r\nL = \"\"\r\n\r\n");
}

TEST_F(TextWriterTest, NestedSectionsIndentByDepth) {
    InfAnalyzer analyzer;
    cInfNode* outer = analyzer.getRoot()->addSection("Outer");
    cInfKey* list = outer->addKey("List");
    list->addString("Alpha");
    list->addNumber(1.5f);
    list->addString("Ship1");
    cInfNode* inner = outer->addSection("Inner");
    inner->addKey("x")->addNumber(-3);
    inner->addSection("Leaf");
    outer->addSection("Second");
    EXPECT_EQ(writeText(analyzer, path("n.inf")),
              "\r\n"
              "[Outer]\r\n{\r\n"
              "\tList = Alpha, 1.5, \"Ship1\"\r\n\r\n"
              "\t[Inner]\r\n\t{\r\n"
              "\t\tx = -3\r\n\r\n"
              "\t\t[Leaf]\r\n\t\t{\r\n\r\n\t\t}\r\n"
              "\t}\r\n"
              "\t[Second]\r\n\t{\r\n\r\n\t}\r\n"
              "}\r\n");
}

// A tree read from binary prints the same text as the tree that was written.
TEST_F(TextWriterTest, BinaryRoundTripPrintsNumbersAndDuplicates) {
    InfAnalyzer analyzer;
    cInfNode* root = analyzer.getRoot();
    cInfKey* numbers = root->addKey("Numbers");
    for (float v : {0.1f, 1.1f, 12.5f, -3.0f, 1e10f}) numbers->addNumber(v);
    root->addKey("speed")->addNumber(1);
    root->addKey("Speed")->addNumber(2);
    root->addSection("Fleet");
    root->addSection("Fleet");
    analyzer.writeBinaryInf(path("r.inf"), false);

    InfAnalyzer loaded;
    {
        cFile file(path("r.inf"), cFile::kRead);
        loaded.loadBinaryInf(file);
    }
    loaded.writeTextInf(path("r.inf"), true);
    const std::string expected =
        "Numbers = 0.1, 1.1, 12.5, -3, 10000000000\r\n"
        "speed = 1\r\nSpeed = 2\r\n\r\n"
        "[Fleet]\r\n{\r\n\r\n}\r\n[Fleet]\r\n{\r\n\r\n}\r\n";
    EXPECT_EQ(readBytes(path("r.inf")), expected);
    EXPECT_EQ(readBytes(path("r.inf.back")).substr(0, 4), "\xAD\xA5\xFF\xFF");
    EXPECT_EQ(writeText(analyzer, path("direct.inf")), expected);
}

TEST_F(TextWriterTest, NestingBound) {
    InfAnalyzer analyzer;
    cInfNode* node = analyzer.getRoot();
    for (std::size_t i = 0; i < kMaxInfDepth; ++i) node = node->addSection("S");
    std::string text = writeText(analyzer, path("deep.inf"));
    std::size_t open = 0;
    for (char c : text) open += c == '{';
    EXPECT_EQ(open, kMaxInfDepth);
    EXPECT_EQ(text.substr(text.size() - 3), "}\r\n");

    // One level more is refused before the existing file is touched.
    node->addSection("S");
    writeBytes(path("keep.inf"), "original");
    EXPECT_EQ(thrownMessage<cFileException>([&] { analyzer.writeTextInf(path("keep.inf"), true); }),
              "File Error: " + path("keep.inf") +
                  "\nDetail: sections nested deeper than 4096 levels cannot be written");
    EXPECT_EQ(readBytes(path("keep.inf")), "original");
    EXPECT_FALSE(present(path("keep.inf.back")));
}

}  // namespace
