#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "binary_inf.h"
#include "cfile.h"
#include "core_test_support.h"
#include "inf_analyzer.h"
#include "string_table.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::string asString(const Bytes& b) {
    return std::string(b.begin(), b.end());
}

void put16(std::string& s, unsigned v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>(v >> 8));
}
void put32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

class BinaryTest : public CoreScratchDir {
  protected:
    // Writes `analyzer` as binary and reads it back into a fresh analyzer.
    void roundTrip(InfAnalyzer& analyzer, InfAnalyzer& loaded) {
        analyzer.writeBinaryInf(path("t.inf"), false);
        cFile file(path("t.inf"), cFile::kRead);
        ASSERT_TRUE(binary_inf::isBinary(file));
        loaded.loadBinaryInf(file);
    }

    std::string loadMessage(const std::string& bytes) {
        writeBytes(path("bad.inf"), bytes);
        InfAnalyzer analyzer;
        analyzer.getRoot()->addKey("kept");
        cFile file(path("bad.inf"), cFile::kRead);
        std::string message = thrownMessage<cFileException>([&] { analyzer.loadBinaryInf(file); });
        // A refused file leaves the previous tree in place.
        EXPECT_TRUE(analyzer.getRoot()->hasKey("kept"));
        return message;
    }
};

TEST_F(BinaryTest, EmptyTreeIsTwentyBytes) {
    InfAnalyzer analyzer;
    analyzer.writeBinaryInf(path("e.inf"), false);
    EXPECT_EQ(readBytes(path("e.inf")), asString({0xAD, 0xA5, 0xFF, 0xFF, 0x10, 0, 0, 0, 0, 0,
                                                  0,    0,    0,    0,    0,    0, 0, 0, 0, 0}));
}

TEST_F(BinaryTest, SharedStringIsStoredOnce) {
    InfAnalyzer analyzer;
    cInfKey* key = analyzer.getRoot()->addKey("A");
    key->addNumber(1.0f);
    key->addString("A");
    analyzer.writeBinaryInf(path("a.inf"), false);
    EXPECT_EQ(readBytes(path("a.inf")),
              asString({0xAD, 0xA5, 0xFF, 0xFF, 0x1B, 0, 0, 0,  // magic, table at 27
                        1,    0,    0,    0,    0,    0, 0, 0,  // one key, no child
                        0,    0,    2,                          // name 0, two values
                        1,    0x00, 0x00, 0x80, 0x3F,           // number 1.0f
                        0,    0,    0,                          // string 0
                        1,    0,    0,    0,    'A',  0}));
}

TEST_F(BinaryTest, StringTableOrderIsDepthFirstKeysBeforeSections) {
    InfAnalyzer analyzer;
    cInfNode* root = analyzer.getRoot();
    root->addKey("k1")->addString("v1");
    cInfNode* s1 = root->addSection("S1");
    s1->addKey("k2")->addString("v2");
    s1->addSection("Inner")->addKey("k3");
    root->addSection("S2")->addKey("k1");  // reuses index 1
    root->addKey("speed");
    root->addKey("Speed");
    analyzer.writeBinaryInf(path("o.inf"), false);
    std::vector<std::string> expected = {"k1", "v1", "speed", "Speed", "S1",
                                         "k2", "v2", "Inner", "k3",    "S2"};
    EXPECT_EQ(analyzer.stringTable().strings(), expected);

    std::string file = readBytes(path("o.inf"));
    std::string table;
    put32(table, static_cast<std::uint32_t>(expected.size()));
    for (const auto& s : expected) table += s + '\0';
    ASSERT_GE(file.size(), table.size());
    EXPECT_EQ(file.substr(file.size() - table.size()), table);
    std::uint32_t offset;
    std::memcpy(&offset, file.data() + 4, 4);
    EXPECT_EQ(offset, file.size() - table.size());
}

TEST_F(BinaryTest, TreeSurvivesRoundTripWithDuplicatesAndTrimmedSections) {
    InfAnalyzer analyzer;
    cInfNode* root = analyzer.getRoot();
    root->addKey("speed")->addNumber(0.1f);
    root->addKey("Speed")->addString("fast");
    root->addKey("Empty");
    cInfNode* a = root->addSection("Fleet");
    a->addKey("Name")->addString("Red Star");
    root->addSection("Fleet")->addKey("Name")->addString("Blue");
    root->addSection("FLEET");
    // Section names are trimmed on reading; key names are not.
    root->addSection(" Padded\t")->addKey(" spaced ");

    InfAnalyzer loaded;
    roundTrip(analyzer, loaded);
    cInfNode* r = loaded.getRoot();
    EXPECT_EQ(r->name(), "Root");
    ASSERT_EQ(r->keyCount(), 3u);
    EXPECT_EQ(r->getKey("SPEED")->name(), "speed");
    EXPECT_EQ(r->getKey("SPEED")->value(0).number(), 0.1f);
    EXPECT_EQ(r->key(1)->value(0).text(), "fast");
    EXPECT_EQ(r->key(2)->valueCount(), 0u);
    ASSERT_EQ(r->sectionCount(), 4u);
    EXPECT_EQ(r->getSection("fleet")->getKey("name")->value(0).text(), "Red Star");
    EXPECT_EQ(r->section(1)->key(0)->value(0).text(), "Blue");
    EXPECT_EQ(r->section(2)->name(), "FLEET");
    EXPECT_EQ(r->section(1)->parent(), r);
    EXPECT_EQ(r->section(3)->name(), "Padded");
    EXPECT_TRUE(r->hasSection("padded"));
    EXPECT_EQ(r->section(3)->key(0)->name(), " spaced ");
    EXPECT_EQ(r->section(3)->analyzer(), &loaded);
}

TEST_F(BinaryTest, TextIsNotBinary) {
    for (const std::string& content :
         {std::string("abc"), std::string("\xAD\xA5\xFF"), std::string("[A]\r\n"),
          std::string("\xAD\xA5\xFF\xFE rest")}) {
        writeBytes(path("x.inf"), content);
        cFile file(path("x.inf"), cFile::kRead);
        EXPECT_FALSE(binary_inf::isBinary(file));
        EXPECT_EQ(file.tell(), 0);
    }
}

// Every refusal must happen before the target (and its backup) is touched.
TEST_F(BinaryTest, WriterRefusesWhatTheFormatCannotHold) {
    struct Case {
        const char* what;
        std::function<void(cInfNode*)> build;
        const char* detail;
    };
    std::vector<Case> cases = {
        {"256 values",
         [](cInfNode* r) {
             cInfKey* k = r->addKey("Many");
             for (int i = 0; i < 256; ++i) k->addNumber(static_cast<float>(i));
         },
         "the key 'Many' has 256 values; the binary form holds at most 255"},
        {"65537 strings",
         [](cInfNode* r) {
             for (int i = 0; i < 65537; ++i) r->addKey(numbered("k", i));
         },
         "more than 65536 distinct strings; the binary form holds at most 65536"},
        {"NUL byte", [](cInfNode* r) { r->addKey("k")->addString(std::string("a\0b", 3)); },
         "the string 'a...' holds a NUL byte, which the binary form cannot store"},
        {"too deep",
         [](cInfNode* r) {
             for (std::size_t i = 0; i <= binary_inf::kMaxDepth; ++i) r = r->addSection("S");
         },
         "sections nested deeper than 4096 levels cannot be stored in binary form"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InfAnalyzer analyzer;
        c.build(analyzer.getRoot());
        writeBytes(path("keep.inf"), "original");
        EXPECT_EQ(
            thrownMessage<cFileException>([&] { analyzer.writeBinaryInf(path("keep.inf"), true); }),
            "File Error: " + path("keep.inf") + "\nDetail: " + c.detail);
        EXPECT_EQ(readBytes(path("keep.inf")), "original");
        EXPECT_FALSE(present(path("keep.inf.back")));
    }

    // Exactly at the limits is fine.
    InfAnalyzer edge;
    cInfKey* k = edge.getRoot()->addKey("Many");
    for (int i = 0; i < 255; ++i) k->addNumber(1.0f);
    for (int i = 0; i < 65535; ++i) edge.getRoot()->addKey(numbered("k", i));
    InfAnalyzer loaded;
    roundTrip(edge, loaded);
    EXPECT_EQ(loaded.getRoot()->key(0)->valueCount(), 255u);
    EXPECT_EQ(loaded.getRoot()->keyCount(), 65536u);
}

TEST_F(BinaryTest, EveryTruncationIsRefused) {
    InfAnalyzer analyzer;
    cInfNode* s = analyzer.getRoot()->addSection("S");
    s->addKey("k")->addString("v");
    s->addKey("n")->addNumber(2.5f);
    analyzer.writeBinaryInf(path("full.inf"), false);
    std::string full = readBytes(path("full.inf"));
    for (std::size_t n = 4; n < full.size(); ++n) {
        SCOPED_TRACE(n);
        loadMessage(full.substr(0, n));
    }
}

std::string header(std::uint32_t tableOffset) {
    std::string s;
    put32(s, binary_inf::kMagic);
    put32(s, tableOffset);
    return s;
}

TEST_F(BinaryTest, DamagedFilesAreRefusedWithAReason) {
    const std::string prefix =
        "File Error: " + path("bad.inf") + "\nDetail: damaged binary INF file: ";
    // Root with one key whose name index is 5, but a table of one string.
    std::string badIndex = header(19);
    put32(badIndex, 1);
    put32(badIndex, 0);
    put16(badIndex, 5);
    badIndex.push_back(0);
    put32(badIndex, 1);
    badIndex += std::string("x") + '\0';
    EXPECT_EQ(loadMessage(badIndex),
              prefix + "string index 5 is beyond the 1 strings of the table");

    std::string offsetOutside = header(400);
    put32(offsetOutside, 0);
    put32(offsetOutside, 0);
    put32(offsetOutside, 0);
    EXPECT_EQ(loadMessage(offsetOutside),
              prefix + "string table offset 400 lies outside the file (20 bytes)");
    std::string offsetInHeader = header(2);
    put32(offsetInHeader, 0);
    put32(offsetInHeader, 0);
    put32(offsetInHeader, 0);
    EXPECT_EQ(loadMessage(offsetInHeader),
              prefix + "string table offset 2 lies outside the file (20 bytes)");

    // Counts that promise more records than the file holds.
    std::string hugeCounts = header(16);
    put32(hugeCounts, 0xFFFFFFFFu);
    put32(hugeCounts, 0xFFFFFFFFu);
    put32(hugeCounts, 0);
    EXPECT_EQ(loadMessage(hugeCounts), prefix + "the node records run past offset 16");

    std::string manyStrings = header(16);
    put32(manyStrings, 0);
    put32(manyStrings, 0);
    put32(manyStrings, 1000);
    manyStrings += "ab";
    manyStrings.push_back('\0');
    EXPECT_EQ(loadMessage(manyStrings), prefix + "1000 strings cannot fit in the string table");

    std::string unterminated = header(16);
    put32(unterminated, 0);
    put32(unterminated, 0);
    put32(unterminated, 1);
    unterminated += "abc";
    EXPECT_EQ(loadMessage(unterminated), prefix + "string 0 runs past the end of the file");
}

TEST_F(BinaryTest, CraftedDeepNestingIsRefused) {
    // Each level: one child named by string 0, no keys.
    const std::size_t levels = binary_inf::kMaxDepth + 10;
    std::string records;
    for (std::size_t i = 0; i < levels; ++i) {
        put32(records, 0);
        put32(records, 1);
        put16(records, 0);
    }
    put32(records, 0);
    put32(records, 0);
    std::string file = header(static_cast<std::uint32_t>(8 + records.size())) + records;
    put32(file, 1);
    file += std::string("S") + '\0';
    EXPECT_NE(loadMessage(file).find("sections nested deeper than 4096 levels"), std::string::npos);
}

// Random damage must end in a refusal or a tree, never in a crash or a read
// outside the file (the sanitizer build watches the latter).
TEST_F(BinaryTest, MutatedFilesLoadOrAreRefused) {
    InfAnalyzer analyzer;
    cInfNode* root = analyzer.getRoot();
    root->addKey("Top")->addString("v");
    for (int i = 0; i < 4; ++i) {
        cInfNode* s = root->addSection(numbered("S", i));
        cInfKey* k = s->addKey("k");
        k->addNumber(static_cast<float>(i));
        k->addString(numbered("x", i));
        s->addSection("Inner")->addKey("deep")->addString("y");
    }
    analyzer.writeBinaryInf(path("m.inf"), false);
    const std::string original = readBytes(path("m.inf"));

    ByteDamager damager(12345);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string damaged = damager.damage(original, 4);
        cStringTable strings;
        try {
            binary_inf::decode(damaged, strings, nullptr, "m.inf");
        } catch (cException* e) {
            std::unique_ptr<cException> owned(e);
            ASSERT_NE(dynamic_cast<cFileException*>(e), nullptr);
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
}

}  // namespace
