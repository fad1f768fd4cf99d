// The value of a Number token.
#pragma once

#include <string_view>

// The C library's decimal conversion of the longest valid prefix of `text`,
// stored as a 32-bit float (0 when no prefix is valid). The scanner passes
// only digits and "." after an optional leading "-".
float infNumberValue(std::string_view text);
