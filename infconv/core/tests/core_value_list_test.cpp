#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "inf_value_list.h"

namespace {

// What a value list should hold, built alongside it.
struct Expected {
    bool isNumber;
    std::string text;
    float number;
};

void expectSame(const cInfValueList& list, const std::vector<Expected>& expected) {
    ASSERT_EQ(list.size(), expected.size());
    std::size_t i = 0;
    for (const cInfValue value : list) {
        const Expected& e = expected[i];
        ASSERT_EQ(value.isNumber(), e.isNumber) << "value " << i;
        if (e.isNumber) {
            // Bit for bit, so a NaN's payload and the sign of zero count too.
            ASSERT_EQ(std::bit_cast<std::uint32_t>(value.number()),
                      std::bit_cast<std::uint32_t>(e.number))
                << "value " << i;
        } else {
            ASSERT_EQ(value.textView(), e.text) << "value " << i;
            ASSERT_EQ(list[i].text(), e.text) << "value " << i;
        }
        ++i;
    }
    EXPECT_EQ(i, expected.size());
}

// Text lengths chosen around the block's growth steps, mixed with numbers.
class ValueListGrowthTest : public ::testing::TestWithParam<std::size_t> {};

TEST_P(ValueListGrowthTest, EveryValueSurvivesTheBlockGrowing) {
    const std::size_t textLength = GetParam();
    cInfValueList list;
    std::vector<Expected> expected;
    for (int i = 0; i < 300; ++i) {
        if (i % 3 == 2) {
            float number = static_cast<float>(i) * -0.25f;
            list.addNumber(number);
            expected.push_back({true, "", number});
        } else {
            std::string text(textLength + static_cast<std::size_t>(i % 5),
                             static_cast<char>('a' + i % 26));
            if (!text.empty()) text[0] = static_cast<char>('0' + i % 10);
            list.addText(text);
            expected.push_back({false, text, 0});
        }
        if (i < 12 || i % 50 == 0) expectSame(list, expected);
    }
    expectSame(list, expected);
}

INSTANTIATE_TEST_SUITE_P(TextLengths, ValueListGrowthTest,
                         ::testing::Values(0, 1, 7, 15, 16, 17, 40, 1000));

TEST(ValueListTest, NumberBitsAndEmbeddedBytesAreKept) {
    cInfValueList list;
    const float specials[] = {-0.0f, std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity(),
                              std::numeric_limits<float>::denorm_min()};
    std::vector<Expected> expected;
    for (float f : specials) {
        list.addNumber(f);
        expected.push_back({true, "", f});
        // A text whose bytes look like the number tag must stay a text.
        std::string text("\xFF\xFF\xFF\xFF\0x", 6);
        list.addText(text);
        expected.push_back({false, text, 0});
    }
    list.addText("");
    expected.push_back({false, "", 0});
    expectSame(list, expected);
}

TEST(ValueListTest, AddingATextOfTheSameListWhileItGrows) {
    cInfValueList list;
    list.addText("Borealis_Eridani 7");
    std::vector<Expected> expected{{false, "Borealis_Eridani 7", 0}};
    for (int i = 0; i < 20; ++i) {
        // The view points into the block that this very add may replace.
        list.addText(list[static_cast<std::size_t>(i)].textView());
        expected.push_back({false, "Borealis_Eridani 7", 0});
    }
    expectSame(list, expected);
}

}  // namespace
