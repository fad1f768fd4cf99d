#include "names/name_styles.h"

#include <cctype>

namespace mw {

char styleLetterOfIndex(int index) {
    if (index < 0 || index >= static_cast<int>(kNameStyles.size())) return kDefaultStyleLetter;
    return kNameStyles[static_cast<std::size_t>(index)].letter;
}

char styleLetterOfCaption(std::string_view caption) {
    for (const auto& s : kNameStyles)
        if (s.caption == caption) return s.letter;
    return kDefaultStyleLetter;
}

int styleIndexOfLetter(char letter) {
    const char up = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (std::size_t i = 0; i < kNameStyles.size(); ++i)
        if (kNameStyles[i].letter == up) return static_cast<int>(i);
    return -1;
}

}  // namespace mw
