#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core_test_support.h"
#include "inf_tree.h"
#include "named_list.h"

namespace {

struct Named {
    explicit Named(std::string n) : text(std::move(n)) {}
    const std::string& name() const { return text; }
    std::string text;
};

// Short lists are scanned and long ones indexed; both must answer alike.
class NamedListSizeTest : public ::testing::TestWithParam<int> {};

TEST_P(NamedListSizeTest, LookupsMatchTheUpperCasedNames) {
    const int fillers = GetParam();
    cNamedList<Named> list;
    Named* first = list.add(std::make_unique<Named>("Speed"));
    for (int i = 0; i < fillers; ++i) list.add(std::make_unique<Named>(numbered("key", i)));
    Named* second = list.add(std::make_unique<Named>("SPEED"));
    // Given explicitly; the usual lookup name of "odd" would be "ODD".
    Named* odd = list.add(std::make_unique<Named>("odd"), "Other");
    Named* plain = list.add(std::make_unique<Named>("Plain"), "PLAIN");

    EXPECT_EQ(list.get("SPEED"), first);
    EXPECT_EQ(list.getIgnoringCase("speed"), first);
    EXPECT_EQ(list.get("speed"), nullptr);  // get itself is byte-exact
    EXPECT_EQ(list.get("Other"), odd);
    EXPECT_EQ(list.getIgnoringCase("other"), nullptr);  // upper-cased it is "OTHER"
    EXPECT_EQ(list.get("ODD"), nullptr);
    EXPECT_EQ(list.getIgnoringCase("plain"), plain);
    EXPECT_FALSE(list.contains("SPEE"));
    EXPECT_FALSE(list.contains("SPEEDS"));
    for (int i = 0; i < fillers; ++i) {
        ASSERT_EQ(list.getIgnoringCase(numbered("KEY", i)),
                  list.at(static_cast<std::size_t>(i) + 1));
    }
    ASSERT_EQ(list.count(), static_cast<std::size_t>(fillers) + 4);
    EXPECT_EQ(list.at(static_cast<std::size_t>(fillers) + 1), second);
    EXPECT_EQ(list.lookupNameAt(0), "SPEED");
    EXPECT_EQ(list.lookupNameAt(static_cast<std::size_t>(fillers) + 2), "Other");
}

INSTANTIATE_TEST_SUITE_P(Sizes, NamedListSizeTest, ::testing::Values(0, 4, 5, 6, 7, 40, 5000));

TEST(NamedListTest, FirstAddedWinsAcrossIndexRebuilds) {
    cNamedList<Named> list;
    std::vector<Named*> firsts;
    // Every name three times, in three spellings, so each rebuild sees duplicates.
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 700; ++i) {
            std::string name = numbered(round == 1 ? "N" : "n", i);
            Named* added = list.add(std::make_unique<Named>(name));
            if (round == 0) firsts.push_back(added);
        }
    }
    for (int i = 0; i < 700; ++i) ASSERT_EQ(list.getIgnoringCase(numbered("N", i)), firsts[i]);
}

TEST(InfTreeTest, OverloadsWithoutLookupNameIndexTheUpperCasedName) {
    cInfNode root("Root", nullptr, nullptr);
    cInfNode* fleet = root.addSection(std::make_unique<cInfNode>("fleet_\xE1", &root, nullptr));
    cInfKey* speed = root.addKey(std::make_unique<cInfKey>("Speed"));
    EXPECT_EQ(root.getSection("FLEET_\xE1"), fleet);
    EXPECT_EQ(root.getSection("FLEET_\xC1"), nullptr);  // only ASCII letters fold
    EXPECT_EQ(root.getKey("sPEED"), speed);
    EXPECT_EQ(root.sections().lookupNameAt(0), infUpperCase("fleet_\xE1"));
}

}  // namespace
