#pragma once
// The four name styles of the name databases, by index (the order of the
// names manager's list), caption and letter.

#include <array>
#include <string_view>

namespace mw {

struct NameStyle {
    std::string_view caption;
    char letter;
};

inline constexpr std::array<NameStyle, 4> kNameStyles{{
    {"Uniform", 'U'},
    {"Human", 'H'},
    {"Kariak", 'K'},
    {"Darzok", 'D'},
}};

/// The letter that stands in for anything that names no style.
inline constexpr char kDefaultStyleLetter = 'U';

/// Letter of a style index 0..3; any other index gives "U".
char styleLetterOfIndex(int index);
/// Letter of a caption; an empty caption or one outside the four gives "U".
char styleLetterOfCaption(std::string_view caption);
/// Index 0..3 of a letter (either case), or -1 when it names no style.
int styleIndexOfLetter(char letter);

}  // namespace mw
