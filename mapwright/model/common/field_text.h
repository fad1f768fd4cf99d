#pragma once
// What the editor's fields can hold. Every text of the files is one byte a
// character (Latin-1): a character beyond it cannot be stored, and a field
// refuses it rather than letting it turn into something else. A number
// field's text that is no whole number (an emptied field) counts as 0.

#include <cstdint>
#include <string_view>

namespace mw {

/// Whether every character of the text can be stored (U+0000 to U+00FF).
bool CanStoreText(std::u32string_view text);

/// The whole number a number field's text stands for; 0 when it is none.
std::int32_t NumberOrZero(std::string_view text);

}  // namespace mw
