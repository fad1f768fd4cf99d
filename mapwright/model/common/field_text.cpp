#include "common/field_text.h"

#include <algorithm>

#include "common/decimal_field.h"
#include "common/errors.h"

namespace mw {

bool CanStoreText(std::u32string_view text) {
    return std::all_of(text.begin(), text.end(), [](char32_t c) { return c <= 0xFF; });
}

std::int32_t NumberOrZero(std::string_view text) {
    try {
        return parseInteger(text);
    } catch (const ConversionError&) {
        return 0;
    }
}

}  // namespace mw
