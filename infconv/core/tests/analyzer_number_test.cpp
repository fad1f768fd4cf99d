#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "inf_token_number.h"

namespace {

// The general conversion alone: from_chars of the longest valid prefix,
// narrowed to float. Short numbers take a quicker way that must agree.
float generalConversion(const std::string& text) {
    double value = 0.0;
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc()) value = 0.0;
    return static_cast<float>(value);
}

struct NumberCase {
    const char* text;
    float value;
};

class AnalyzerNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(AnalyzerNumber, HasTheDecimalValue) {
    const float got = infNumberValue(GetParam().text);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(got), std::bit_cast<std::uint32_t>(GetParam().value))
        << GetParam().text << " gave " << got;
}

constexpr float kInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Forms, AnalyzerNumber,
    ::testing::Values(NumberCase{"272.67", 272.67f}, NumberCase{"-199024", -199024.0f},
                      NumberCase{"0.1", 0.1f}, NumberCase{"-0", -0.0f}, NumberCase{"-0.0", -0.0f},
                      NumberCase{"007", 7.0f}, NumberCase{"5.", 5.0f}, NumberCase{".5", 0.5f},
                      NumberCase{"-.5", -0.5f}, NumberCase{"1.2.3", 1.2f}, NumberCase{"-", 0.0f},
                      NumberCase{".", 0.0f}, NumberCase{"-.", 0.0f},
                      NumberCase{"999999999999999", 999999999999999.0f},
                      NumberCase{"16777217", 16777216.0f}, NumberCase{"0.000000000000001", 1e-15f},
                      NumberCase{"1234567890123456789", 1234567890123456789.0f},
                      // Beyond the float range: infinity, as the C conversion gives.
                      NumberCase{"340282356779733661637539395458142568448", kInf},
                      NumberCase{"-1000000000000000000000000000000000000000", -kInf}));

// The edges of the float range, each with its negative twin. The expected
// values are what the C library's rounding to float gives (strtof), which
// the decimal conversion narrowed to float must match.
TEST(AnalyzerNumberBoundaries, RoundLikeTheCConversion) {
    const std::string maxFloat = "340282346638528859811704183484516925440";
    const std::string denormMin = "0." + std::string(44, '0') +
                                  "1401298464324817070923729583289916131280261941876515771757068283"
                                  "88979108268586060148663818836212158203125";
    const std::string halfDenormMin = "0." + std::string(45, '0') +
                                      "700649232162408535461864791644958065640130970938257885878534"
                                      "141944895541342930300743319094181060791015625";
    const struct {
        std::string text;
        float value;
    } rows[] = {
        {maxFloat, std::numeric_limits<float>::max()},
        {"340282350000000000000000000000000000000", std::numeric_limits<float>::max()},
        {"340282351709131260724621789471329746944",
         std::numeric_limits<float>::max()},                // + 1/4 ulp
        {"340282356779733661637539395458142568448", kInf},  // + 1/2 ulp: the tie goes up
        {denormMin, std::numeric_limits<float>::denorm_min()},
        {halfDenormMin, 0.0f},  // a tie that goes to the even zero
    };
    for (const auto& row : rows) {
        for (const bool negative : {false, true}) {
            const std::string text = (negative ? "-" : "") + row.text;
            const float expected = negative ? -row.value : row.value;
            SCOPED_TRACE(text);
            EXPECT_EQ(std::bit_cast<std::uint32_t>(std::strtof(text.c_str(), nullptr)),
                      std::bit_cast<std::uint32_t>(expected));
            EXPECT_EQ(std::bit_cast<std::uint32_t>(infNumberValue(text)),
                      std::bit_cast<std::uint32_t>(expected));
        }
    }
}

TEST(AnalyzerNumberSweep, ShortNumbersAgreeWithTheGeneralConversion) {
    std::mt19937 random(7);
    for (int n = 0; n < 200000; ++n) {
        std::string text = random() % 3 == 0 ? "-" : "";
        const int digits = 1 + static_cast<int>(random() % 17);
        const int point = static_cast<int>(random() % (digits + 2));
        for (int d = 0; d < digits; ++d) {
            if (d == point) text += '.';
            text += static_cast<char>('0' + random() % 10);
        }
        const float fast = infNumberValue(text);
        const float general = generalConversion(text);
        ASSERT_EQ(std::bit_cast<std::uint32_t>(fast), std::bit_cast<std::uint32_t>(general))
            << text;
    }
}

}  // namespace
