#include "inf_token_number.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Plain "-ddd.ddd" with at most 15 digits: the digits as an integer and the
// power of ten are both exact doubles, so one division rounds correctly and
// gives what the full conversion gives. False for every other form.
bool convertShort(std::string_view text, double& value) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (negative) ++i;
    std::uint64_t digits = 0;
    int count = 0;
    int fraction = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            ++count;
            if (point) ++fraction;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    // A point needs digits on both sides here; "5." and ".5" take the long way.
    if (count == 0 || count > 15 || (point && (fraction == 0 || fraction == count))) return false;
    value = static_cast<double>(digits);
    if (fraction > 0) value /= kPowersOfTen[fraction];
    if (negative) value = -value;
    return true;
}

}  // namespace

float infNumberValue(std::string_view text) {
    double value = 0.0;
    if (!convertShort(text, value)) {
        auto result = std::from_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed);
        if (result.ec == std::errc::result_out_of_range) {
            // Too many digits for a double: the C conversion gives infinity or 0.
            value = std::strtod(std::string(text).c_str(), nullptr);
        } else if (result.ec != std::errc()) {
            value = 0.0;
        }
    }
    // Rounded to nearest, a value overflows only from FLT_MAX + 1/2 ulp
    // (2^128 - 2^103, a tie that goes to the even neighbour 2^128) on; below
    // that it is FLT_MAX. Spelled out because a C++ conversion of a value
    // beyond the float range is undefined.
    constexpr double kMax = std::numeric_limits<float>::max();
    constexpr double kOverflow = 0x1.ffffffp127;
    if (value >= kOverflow) return std::numeric_limits<float>::infinity();
    if (value <= -kOverflow) return -std::numeric_limits<float>::infinity();
    if (value > kMax) return std::numeric_limits<float>::max();
    if (value < -kMax) return -std::numeric_limits<float>::max();
    return static_cast<float>(value);
}
