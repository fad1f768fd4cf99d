#pragma once
// The decimal field: a whole number written as text in a 4-character string field.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/fixed_string.h"

namespace mw {

using DecimalField = FixedString<4>;

/// The number in decimal without leading zeros, cut to the field's 4 characters.
DecimalField toDecimalField(std::int32_t value);

/// Integer parse of the text, as the run-time library's conversion does it:
/// optional sign, decimal digits (or $/0x hexadecimal), surrounding blanks allowed.
/// Throws ConversionError "'%s' is not a valid integer value" otherwise.
std::int32_t parseInteger(std::string_view text);

}  // namespace mw
