#pragma once
// The editor-wide name settings. They start at their defaults on every run
// and are not saved; only the names manager changes them.

#include <cstdint>
#include <string>

#include "names/name_styles.h"

namespace mw {

inline constexpr const char* kDefaultNameDatabase = "main.ond";

struct NameSettings {
    std::string systemDatabase = kDefaultNameDatabase;
    std::string planetDatabase = kDefaultNameDatabase;
    std::uint8_t systemStyle = 0;  // style index 0..3
    std::uint8_t planetStyle = 0;

    /// What the names manager shows, as the user last left it (its file field
    /// and the caption selected in its style list, empty = none selected).
    /// "Clear map" refills the pool from these.
    std::string managerFile = kDefaultNameDatabase;
    std::string managerStyleCaption;

    char systemStyleLetter() const { return styleLetterOfIndex(systemStyle); }
    char managerStyleLetter() const { return styleLetterOfCaption(managerStyleCaption); }
};

}  // namespace mw
