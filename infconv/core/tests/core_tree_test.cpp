#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core_test_support.h"
#include "hash_map.h"
#include "inf_tree.h"
#include "string_table.h"

namespace {

struct HashCase {
    std::string key;
    std::uint32_t hash;
};

class HashFunctionTest : public ::testing::TestWithParam<HashCase> {};

TEST_P(HashFunctionTest, Values) {
    EXPECT_EQ(HashMap::hash(GetParam().key), GetParam().hash);
}

INSTANTIATE_TEST_SUITE_P(Examples, HashFunctionTest,
                         ::testing::Values(HashCase{"", 0}, HashCase{"A", 65}, HashCase{"AB", 586},
                                           // 0x60..0x7F are lowered by 40 before they are added.
                                           HashCase{"a", 0x61 - 40}, HashCase{"\x7F", 0x7F - 40},
                                           // 0x80..0xFF count as negative bytes.
                                           HashCase{"\x80", 0xFFFFFF80u},
                                           HashCase{"A\xFF", 65 * 8 - 1},
                                           // The top four bits fold back in.
                                           HashCase{"AAAAAAAAAA", [] {
                                                        std::uint32_t h = 0;
                                                        for (int i = 0; i < 10; ++i)
                                                            h = (h >> 28) + h * 8 + 65;
                                                        return h;
                                                    }()}));

TEST(HashMapTest, BucketsOfTheExamples) {
    EXPECT_EQ(HashMap::bucketOf("A"), 65u);
    EXPECT_EQ(HashMap::bucketOf("AB"), 84u);
}

TEST(HashMapTest, NotFoundMessages) {
    HashMap empty;
    EXPECT_FALSE(empty.contains("X"));
    EXPECT_EQ(thrownMessage<cItemNotFoundException>([&] { empty.get("5%s"); }),
              "Item '5%s' not found int HashMap");
    EXPECT_EQ(thrownMessage<cItemNotFoundException>([&] { empty.valueAt(3); }),
              "Item '3' not found int HashMap");
    EXPECT_EQ(thrownMessage<cKeyNotFoundException>([&] { empty.keyAt(7); }),
              "Key '7' not found int HashMap");
    try {
        empty.get("X");
    } catch (cException* e) {
        std::unique_ptr<cException> owned(e);
        EXPECT_EQ(e->title(), "");
    }
}

// Small maps are scanned, large ones bucketed: both must answer alike.
class HashMapSizeTest : public ::testing::TestWithParam<int> {};

TEST_P(HashMapSizeTest, FirstAddedWinsAndPositionsFollowBuckets) {
    const int fillers = GetParam();
    HashMap map;
    map.insert("SPEED", 100);
    for (int i = 0; i < fillers; ++i) map.insert(numbered("K", i), i);
    map.insert("SPEED", 200);
    EXPECT_EQ(map.get("SPEED"), 100);
    EXPECT_TRUE(map.contains("K0") == (fillers > 0));
    EXPECT_FALSE(map.contains("speed"));  // the map itself is byte-exact
    for (int i = 0; i < fillers; ++i) ASSERT_EQ(map.get(numbered("K", i)), i);
    ASSERT_EQ(map.count(), static_cast<std::size_t>(fillers + 2));

    // Entry by position: ascending buckets, insertion order within one.
    std::uint32_t lastBucket = 0;
    int speeds = 0;
    for (std::size_t n = 0; n < map.count(); ++n) {
        std::uint32_t bucket = HashMap::bucketOf(map.keyAt(n));
        ASSERT_GE(bucket, lastBucket);
        lastBucket = bucket;
        if (map.keyAt(n) == "SPEED") {
            EXPECT_EQ(map.valueAt(n), speeds++ == 0 ? 100 : 200);
        }
    }
    EXPECT_EQ(speeds, 2);
}

INSTANTIATE_TEST_SUITE_P(Sizes, HashMapSizeTest, ::testing::Values(0, 3, 7, 8, 40, 2000));

TEST(IntHashMapTest, LookupAndBucketOrder) {
    IntHashMap map;
    map.insert(252, "b");  // bucket 1
    map.insert(251, "a");  // bucket 0
    map.insert(0, "z");    // bucket 0, after 251
    EXPECT_EQ(map.get(0), "z");
    EXPECT_EQ(map.keyAt(0), 251);
    EXPECT_EQ(map.keyAt(1), 0);
    EXPECT_EQ(map.valueAt(2), "b");
    EXPECT_EQ(thrownMessage<cItemNotFoundException>([&] { map.get(9); }),
              "Item '9' not found int HashMap");
}

TEST(InfTreeTest, CaseInsensitiveLookupKeepsDuplicatesInOrder) {
    cInfNode root("Root", nullptr, nullptr);
    cInfKey* first = root.addKey("Speed");
    root.addKey("SPEED");
    EXPECT_TRUE(root.hasKey("speed"));
    EXPECT_EQ(root.getKey("speed"), first);
    ASSERT_EQ(root.keyCount(), 2u);
    EXPECT_EQ(root.key(1)->name(), "SPEED");

    cInfNode* fleet = root.addSection("Fleet");
    EXPECT_EQ(fleet->parent(), &root);
    EXPECT_EQ(fleet->name(), "Fleet");
    EXPECT_EQ(root.getSection("FLEET"), fleet);
    EXPECT_EQ(root.getSection("Ship"), nullptr);
    EXPECT_EQ(root.getKey("nothing"), nullptr);
    EXPECT_FALSE(fleet->hasKey("x"));
    EXPECT_EQ(infUpperCase("ab\xE1z_1"), "AB\xE1Z_1");
}

TEST(InfTreeTest, DeepTreeTearsDownWithoutRecursion) {
    auto root = std::make_unique<cInfNode>("Root", nullptr, nullptr);
    cInfNode* node = root.get();
    for (int i = 0; i < 300000; ++i) node = node->addSection("S");
    node->addKey("leaf")->addNumber(1);
    root.reset();  // must not overflow the stack
}

TEST(StringTableTest, FirstMetNumberingAtScale) {
    cStringTable table;
    EXPECT_EQ(table.add("Fleet"), 0u);
    EXPECT_EQ(table.add("FLEET"), 1u);  // byte-exact
    EXPECT_EQ(table.add("Fleet"), 0u);
    EXPECT_EQ(table.add(""), 2u);
    for (int i = 0; i < 70000; ++i) ASSERT_EQ(table.add(numbered("s", i)), 3u + i);
    for (int i = 0; i < 70000; i += 997) ASSERT_EQ(table.add(numbered("s", i)), 3u + i);
    EXPECT_EQ(table.at(3), "s0");
    table.clear();
    EXPECT_EQ(table.count(), 0u);
    EXPECT_EQ(table.add("s5"), 0u);
    // append keeps duplicates; add still finds the first of them.
    EXPECT_EQ(table.append("s5"), 1u);
    EXPECT_EQ(table.add("s5"), 0u);
}

}  // namespace
