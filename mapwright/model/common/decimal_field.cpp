#include "common/decimal_field.h"

#include <cctype>

#include "common/errors.h"

namespace mw {

DecimalField toDecimalField(std::int32_t value) {
    return DecimalField(std::to_string(value));
}

std::int32_t parseInteger(std::string_view text) {
    auto fail = [&]() -> std::int32_t {
        throw ConversionError("'" + printableBytes(text) + "' is not a valid integer value");
    };
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    std::size_t end = text.size();
    while (end > i && text[end - 1] == ' ') --end;
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < end && text[i] == '$') {
        base = 16;
        ++i;
    } else if (end - i > 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= end) return fail();
    std::int64_t value = 0;
    for (; i < end; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int digit;
        if (std::isdigit(c))
            digit = c - '0';
        else if (base == 16 && std::isxdigit(c))
            digit = std::tolower(c) - 'a' + 10;
        else
            return fail();
        value = value * base + digit;
        if (value > 0x80000000LL) return fail();
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return fail();
    return static_cast<std::int32_t>(value);
}

}  // namespace mw
