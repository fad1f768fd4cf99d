#pragma once
// The designer window's own texts: its questions, notices and captions.

#include <string>
#include <string_view>

#include "system/object_records.h"

namespace mw::designer_text {

inline constexpr std::string_view kDeleteNothing = "You can't delete the NOTHING! :D";
inline constexpr std::string_view kAskOpenAnother =
    "Are you sure you want to open an another map? Your unsaved data will be lost!";
inline constexpr std::string_view kAskClearMap = "Are you sure you want to clear this map?";
inline constexpr std::string_view kAskCloseWindow =
    "Are you sure you want to close this window? (Your unsaved datas will be lost)";

/// The caption of a new designer window, and of an opened one without a name.
inline constexpr std::string_view kUnnamedCaption = "Unnamed system";
/// A designer window's caption is the sun name followed by this.
inline constexpr std::string_view kCaptionSuffix = " system";
/// The last opened caption keeps this many characters.
inline constexpr std::size_t kLastOpenedCaptionLength = 27;

/// The cursor position fields before the mouse first moves over the map.
inline constexpr std::string_view kCursorXInitial = "XXXXXX";
inline constexpr std::string_view kCursorYInitial = "YYYYYY";

/// The four header fields of a new system.
inline constexpr std::string_view kDefaultSunName = "Unnamed";
inline constexpr std::string_view kDefaultSunType = "Sun";
inline constexpr std::string_view kDefaultBackground = "Background1";
inline constexpr std::string_view kDefaultScale = "0.7";
/// The sun type and background suggestions.
inline constexpr std::string_view kSunTypes[] = {"Sun", "Redsun", "Bluesun", "Blackhole"};
inline constexpr int kBackgroundCount = 13;  // "Background1" .. "Background13"

/// Shown when the 1001st object of a kind would be placed; nothing is placed.
std::string tableFull(ObjectKind kind);

/// "Link systems" on a file with more jump nodes than the link list holds.
std::string tooManyJumpNodes(const std::string& path, std::size_t count, std::size_t offered);

/// The caption of a window showing the system of this sun name.
inline std::string caption(std::string_view sunName) {
    return std::string(sunName) + std::string(kCaptionSuffix);
}

}  // namespace mw::designer_text
