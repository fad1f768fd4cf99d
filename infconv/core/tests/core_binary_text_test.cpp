// Binary to text straight from the bytes must give exactly what decoding to
// a tree and rendering it gives, and refuse exactly what decoding refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "binary_inf.h"
#include "core_test_support.h"
#include "inf_analyzer.h"
#include "inf_convert.h"
#include "string_table.h"
#include "text_inf_writer.h"

namespace {

// What one path made of the bytes: the text, or the refusal's message.
struct Outcome {
    bool refused = false;
    std::string result;
};

Outcome viaTree(const std::string& bytes) {
    cStringTable strings;
    try {
        std::unique_ptr<cInfNode> root = binary_inf::decode(bytes, strings, nullptr, "t.inf");
        return {false, text_inf_writer::render(*root, "t.inf")};
    } catch (cFileException* e) {
        std::unique_ptr<cException> owned(e);
        return {true, owned->message()};
    }
}

Outcome streamed(const std::string& bytes) {
    try {
        return {false, binary_inf::decodeToText(bytes, "t.inf")};
    } catch (cFileException* e) {
        std::unique_ptr<cException> owned(e);
        return {true, owned->message()};
    }
}

void expectSameOutcome(const std::string& bytes) {
    Outcome tree = viaTree(bytes);
    Outcome stream = streamed(bytes);
    EXPECT_EQ(stream.refused, tree.refused);
    EXPECT_EQ(stream.result, tree.result);
}

std::string encoded(InfAnalyzer& analyzer) {
    cStringTable strings;
    return binary_inf::encode(*analyzer.getRoot(), strings, "t.inf");
}

struct TreeCase {
    const char* name;
    std::function<void(cInfNode*)> build;
};

void PrintTo(const TreeCase& c, std::ostream* os) {
    *os << c.name;
}

class BinaryToTextTree : public ::testing::TestWithParam<TreeCase> {};

TEST_P(BinaryToTextTree, StreamedEqualsDecodedAndRendered) {
    InfAnalyzer analyzer;
    GetParam().build(analyzer.getRoot());
    const std::string bytes = encoded(analyzer);
    Outcome tree = viaTree(bytes);
    ASSERT_FALSE(tree.refused) << tree.result;
    Outcome stream = streamed(bytes);
    ASSERT_FALSE(stream.refused) << stream.result;
    EXPECT_EQ(stream.result, tree.result);
}

const float kInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Trees, BinaryToTextTree,
    ::testing::Values(TreeCase{"EmptyRoot", [](cInfNode*) {}},
                      TreeCase{"NestedSections",
                               [](cInfNode* r) {
                                   r->addKey("Top")->addString("v");
                                   cInfNode* a = r->addSection("A");
                                   a->addKey("k")->addNumber(1.0f);
                                   cInfNode* b = a->addSection("B");
                                   b->addSection("C")->addKey("deep")->addString("x");
                                   b->addKey("after")->addString("y");
                                   a->addSection("Empty");
                                   r->addSection("A")->addKey("k")->addString("again");
                                   r->addKey("Last");
                               }},
                      TreeCase{"KeysWithoutValues",
                               [](cInfNode* r) {
                                   r->addKey("Alone");
                                   r->addSection("S")->addKey("Also");
                               }},
                      TreeCase{"QuotingRule",
                               [](cInfNode* r) {
                                   cInfKey* k = r->addKey("Texts");
                                   for (const char* text :
                                        {"", "Word", "two words", "1st", "abc9", "@at", "_x",
                                         "a\r\nb", "line\n", "\xC3\xA9t\xC3\xA9", "Z", "z"})
                                       k->addString(text);
                               }},
                      TreeCase{"Numbers",
                               [](cInfNode* r) {
                                   cInfKey* k = r->addKey("N");
                                   for (float f :
                                        {0.0f, -0.0f, 1.0f, -1.0f, 0.5f, 0.1f, -0.75f, 1e-8f,
                                         -1e-8f, 123456.7f, 2147483648.0f, -2147483648.0f, 3.4e38f,
                                         -3.4e38f, 1e-38f, kInf, -kInf, std::nanf("")})
                                       k->addNumber(f);
                               }},
                      TreeCase{"MaximumValues",
                               [](cInfNode* r) {
                                   cInfKey* k = r->addKey("Many");
                                   for (int i = 0; i < 255; ++i) {
                                       if (i % 2)
                                           k->addNumber(static_cast<float>(i) / 4);
                                       else
                                           k->addString(numbered("v", i));
                                   }
                               }},
                      TreeCase{"SharedStringsAndPaddedNames",
                               [](cInfNode* r) {
                                   r->addKey(" spaced key ")->addString("Name");
                                   cInfNode* s = r->addSection(" Padded\t");
                                   s->addKey("Name")->addString(" spaced key ");
                                   s->addSection("Name")->addKey("Padded");
                               }},
                      // Names and values around the lengths the writer moves
                      // in one piece, in two, with a check for room of their
                      // own, and longer than its whole buffer.
                      TreeCase{"TextsOfEveryLength",
                               [](cInfNode* r) {
                                   for (std::size_t n : {12, 13, 14, 15, 16, 17, 29, 30, 31, 32, 33,
                                                         62, 63, 64, 65, 66, 67, 300, 200000}) {
                                       const std::string text(n, 'w');
                                       cInfKey* k = r->addKey(text);
                                       k->addString(text);
                                       k->addNumber(-0.5f);
                                       k->addString(text + " q");
                                       r->addSection(text)->addKey("k")->addString(text);
                                   }
                               }},
                      TreeCase{"DeepestNestingAllowed",
                               [](cInfNode* r) {
                                   for (std::size_t i = 0; i < binary_inf::kMaxDepth; ++i) {
                                       r = r->addSection("S");
                                       if (i % 512 == 0)
                                           r->addKey("at")->addNumber(static_cast<float>(i));
                                   }
                               }}),
    [](const ::testing::TestParamInfo<TreeCase>& info) { return std::string(info.param.name); });

void put16(std::string& s, unsigned v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>(v >> 8));
}
void put32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// A tree with something of every kind, as the base for damage.
std::string sampleBytes() {
    InfAnalyzer analyzer;
    cInfNode* root = analyzer.getRoot();
    root->addKey("Top")->addString("a b");
    for (int i = 0; i < 3; ++i) {
        cInfNode* s = root->addSection(numbered("S", i));
        cInfKey* k = s->addKey("k");
        k->addNumber(static_cast<float>(i) + 0.25f);
        k->addString(numbered("x", i));
        s->addSection("Inner")->addKey("deep");
    }
    return encoded(analyzer);
}

TEST(BinaryToTextDamage, TruncationsAreRefusedIdentically) {
    const std::string full = sampleBytes();
    for (std::size_t n = 0; n < full.size(); ++n) {
        SCOPED_TRACE(n);
        std::string cut = full.substr(0, n);
        expectSameOutcome(cut);
        EXPECT_TRUE(streamed(cut).refused);
    }
}

TEST(BinaryToTextDamage, CraftedDamageIsRefusedIdentically) {
    std::vector<std::string> cases;
    // Name index beyond a one-string table.
    std::string badIndex;
    put32(badIndex, binary_inf::kMagic);
    put32(badIndex, 19);
    put32(badIndex, 1);
    put32(badIndex, 0);
    put16(badIndex, 5);
    badIndex.push_back(0);
    put32(badIndex, 1);
    badIndex += std::string("x") + '\0';
    cases.push_back(badIndex);
    // Nesting one level beyond the bound.
    std::string records;
    for (std::size_t i = 0; i <= binary_inf::kMaxDepth; ++i) {
        put32(records, 0);
        put32(records, 1);
        put16(records, 0);
    }
    put32(records, 0);
    put32(records, 0);
    std::string deep;
    put32(deep, binary_inf::kMagic);
    put32(deep, static_cast<std::uint32_t>(8 + records.size()));
    deep += records;
    put32(deep, 1);
    deep += std::string("S") + '\0';
    cases.push_back(deep);
    // A string table that promises more than it holds, and an unended string.
    std::string full = sampleBytes();
    std::uint32_t offset = 0;
    for (int i = 3; i >= 0; --i) offset = offset << 8 | static_cast<unsigned char>(full[4 + i]);
    std::string manyStrings = full;
    manyStrings[offset] = static_cast<char>(0x7F);
    cases.push_back(manyStrings);
    cases.push_back(full.substr(0, full.size() - 1));

    for (const std::string& bytes : cases) {
        Outcome stream = streamed(bytes);
        EXPECT_TRUE(stream.refused);
        EXPECT_NE(stream.result.find("damaged binary INF file"), std::string::npos)
            << stream.result;
        expectSameOutcome(bytes);
    }
}

TEST(BinaryToTextDamage, MutationsGiveTheSameOutcome) {
    const std::string original = sampleBytes();
    ByteDamager damager(977);
    int refused = 0;
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string damaged = damager.damage(original, 3);
        Outcome tree = viaTree(damaged);
        Outcome stream = streamed(damaged);
        ASSERT_EQ(stream.refused, tree.refused) << round;
        ASSERT_EQ(stream.result, tree.result) << round;
        ++(tree.refused ? refused : loaded);
    }
    // Both kinds of outcome were really compared.
    EXPECT_GT(refused, 0);
    EXPECT_GT(loaded, 0);
}

TEST(BinaryToTextScratch, SameTextWhateverTheScratchHoldsAndNothingWrittenOutsideIt) {
    InfAnalyzer analyzer;
    cInfNode* root = analyzer.getRoot();
    for (int i = 0; i < 2000; ++i) {
        cInfKey* k = root->addSection(numbered("S", i % 7))->addKey(numbered("Key", i % 50));
        k->addString(std::string(static_cast<std::size_t>(i % 90), 'x'));
        k->addNumber(static_cast<float>(i) / 8);
    }
    const std::string bytes = encoded(analyzer);
    const std::string expected = viaTree(bytes).result;
    // Room for nothing, for part of the string pieces, for the pieces but not
    // the output buffer, and for everything.
    for (std::size_t size : {0, 100, 5000, 100000, 400000}) {
        SCOPED_TRACE(size);
        std::string memory(size + 64, '\xA5');
        std::string text;
        binary_inf::decodeToText(
            bytes, "t.inf", [&text](const char* data, std::size_t n) { text.append(data, n); },
            std::span<char>(memory.data() + 32, size));
        EXPECT_EQ(text, expected);
        EXPECT_EQ(memory.substr(0, 32), std::string(32, '\xA5'));
        EXPECT_EQ(memory.substr(size + 32), std::string(32, '\xA5'));
    }
}

class ConvertToText : public CoreScratchDir {};

TEST_F(ConvertToText, BinaryFileBecomesTheRenderedTextWithBackup) {
    const std::string bytes = sampleBytes();
    std::filesystem::create_directory(m_dir / "sub");
    writeBytes(path("sub/c.inf"), bytes);
    const auto before = std::filesystem::current_path();
    convertInfFile(path("sub/c.inf"), false);
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_EQ(readBytes(path("sub/c.inf")), viaTree(bytes).result);
    EXPECT_EQ(readBytes(path("sub/c.inf.back")), bytes);
}

TEST_F(ConvertToText, DamagedBinaryIsRefusedLikeTheLoaderAndLeftAlone) {
    const std::string bytes = sampleBytes();
    const std::string damaged = bytes.substr(0, bytes.size() - 1);
    writeBytes(path("bad.inf"), damaged);
    const std::string loaderMessage =
        thrownMessage<cFileException>([&] { InfAnalyzer analyzer(path("bad.inf")); });
    EXPECT_NE(loaderMessage.find("bad.inf"), std::string::npos);
    EXPECT_EQ(thrownMessage<cFileException>([&] { convertInfFile(path("bad.inf"), false); }),
              loaderMessage);
    EXPECT_EQ(readBytes(path("bad.inf")), damaged);
    EXPECT_FALSE(present(path("bad.inf.back")));
}

TEST_F(ConvertToText, TextInputStillGoesThroughTheTree) {
    // A text file is rewritten in the writer's form; its includes resolve
    // from its own directory.
    std::filesystem::create_directory(m_dir / "sub");
    writeBytes(path("sub/part.inf"), "Inner = 2\r\n");
    const std::string text = "Key=1.5 , word\r\n#include \"part.inf\"\r\n[S]{ a = \"b c\" }\r\n";
    writeBytes(path("sub/t.inf"), text);
    InfAnalyzer reference(path("sub/t.inf"));
    const std::string expected = text_inf_writer::render(*reference.getRoot(), "t.inf");
    convertInfFile(path("sub/t.inf"), false);
    EXPECT_EQ(readBytes(path("sub/t.inf")), expected);
    EXPECT_NE(expected.find("Inner = 2"), std::string::npos);
    EXPECT_EQ(readBytes(path("sub/t.inf.back")), text);
}

}  // namespace
