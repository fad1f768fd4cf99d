#pragma once
// The main window's own texts: titles, questions and the names managers' captions.

#include <string_view>

namespace mw::shell_text {

inline constexpr std::string_view kApplicationTitle = "Velmora Map Editor v2.2";
inline constexpr std::string_view kMainCaption = "Velmora Mission Editor v2.2";

/// "Exit" in the System menu; Yes closes the main window.
inline constexpr std::string_view kAskQuitMenu =
    "Are you sure you want to quit? (Your unsaved datas will be lost!)";
/// The toolbar's Exit button; Yes ends the program at once.
inline constexpr std::string_view kAskQuitToolbar =
    "Are you sure you want to quit? (Your unsaved datas will be lost)";
/// Open while a designer window is open.
inline constexpr std::string_view kAskOpenNew =
    "Are you sure you want to open a new map? Your unsaved data will be lost!";

inline constexpr std::string_view kPlanetNamesCaption = "Planet name database";
inline constexpr std::string_view kSystemNamesCaption = "System name database";

}  // namespace mw::shell_text
