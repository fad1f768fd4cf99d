#include "system/system_model.h"

#include <gtest/gtest.h>

#include "common/decimal_field.h"
#include "common/errors.h"
#include "common/fixed_string.h"

using namespace mw;

TEST(FixedString, CutsSilentlyAndComparesExactly) {
    FixedString<4> s("abcdef");
    EXPECT_EQ(s.view(), "abcd");
    EXPECT_FALSE(FixedString<4>("Sol") == FixedString<4>("sol"));
    std::uint8_t buf[5];
    FixedString<4>("ab").store(buf);
    EXPECT_EQ(buf[0], 2);
    EXPECT_EQ(buf[3], 0);
    buf[0] = 200;  // damaged length byte is held to the capacity
    EXPECT_EQ(FixedString<4>::load(buf).size(), 4u);
}

TEST(SystemModel, NodeIdReplacesPunctuation) {
    EXPECT_EQ(makeNodeId("St. John's", 12), "St__John_sJumpnode12");
    EXPECT_EQ(makeNodeId("Alpha Centauri", 3), "Alpha_CentauriJumpnode3");
    EXPECT_EQ(makeNodeId("A,B", 1), "A_BJumpnode1");
}

TEST(SystemModel, AllocationAfterDeletionAndOverflow) {
    SystemModel m;
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(m.AllocateIndex(ObjectKind::Planet), i);
        m.planets.at(i).name = "P" + std::to_string(i);
    }
    m.MarkDeleted(ObjectKind::Planet, 2);
    EXPECT_EQ(m.AllocateIndex(ObjectKind::Planet), 4);
    EXPECT_FALSE(m.IsLive(ObjectKind::Planet, 2));
    EXPECT_TRUE(m.IsLive(ObjectKind::Planet, 3));
    while (m.count(ObjectKind::Planet) < kTableCapacity) m.AllocateIndex(ObjectKind::Planet);
    EXPECT_THROW(m.AllocateIndex(ObjectKind::Planet), TableFullError);
    EXPECT_EQ(m.count(ObjectKind::Planet), kTableCapacity);
    EXPECT_EQ(m.AllocateIndex(ObjectKind::Ship), 1);  // other kinds unaffected
    m.ResetTables();
    EXPECT_FALSE(m.IsLive(ObjectKind::Planet, 3));
    EXPECT_EQ(m.planets.at(3).name, "P3");  // fields stay, only the flag changes
    EXPECT_EQ(m.AllocateIndex(ObjectKind::Planet), 1);
}

TEST(SystemModel, RenameSystemMovesOnlyPlanetsCirclingTheSun) {
    SystemModel m;
    m.currentSystemName = "Sol";
    const char* orbits[] = {"Sol", "sol", "Earth"};
    for (int i = 1; i <= 3; ++i) {
        m.AllocateIndex(ObjectKind::Planet);
        m.planets.at(i).name = "P";
        m.planets.at(i).orbitsAround = orbits[i - 1];
    }
    m.RenameSystem("Helios");
    EXPECT_EQ(m.planets.at(1).orbitsAround, "Helios");
    EXPECT_EQ(m.planets.at(2).orbitsAround, "sol");
    EXPECT_EQ(m.planets.at(3).orbitsAround, "Earth");
    EXPECT_EQ(m.currentSystemName, "Helios");

    // A 50-character name: the current name keeps it all, orbits-around its first 45.
    const std::string longName(50, 'x');
    m.RenameSystem(longName);
    EXPECT_EQ(m.planets.at(1).orbitsAround, std::string(45, 'x'));
    EXPECT_EQ(m.currentSystemName.size(), 50u);
    // A planet circling the first 45 characters of a longer name does not circle it.
    m.planets.at(2).orbitsAround = std::string(45, 'x');
    m.RenameSystem("Next");
    EXPECT_EQ(m.planets.at(2).orbitsAround, std::string(45, 'x'));
}

TEST(DecimalField, ParsesIntegersAndRefusesText) {
    EXPECT_EQ(parseInteger("492"), 492);
    EXPECT_EQ(parseInteger("-7"), -7);
    EXPECT_EQ(toDecimalField(123456).view(), "1234");
    try {
        parseInteger("12a");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'12a' is not a valid integer value");
    }
    EXPECT_THROW(parseInteger(""), ConversionError);
}
