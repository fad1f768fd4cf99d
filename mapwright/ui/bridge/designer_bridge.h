#pragma once
// Stand-in for the model's editor state and designer operations while they
// are being moved into mapwright/model; the windows call only what is here,
// and this file goes once the model offers the same calls.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/editor_random.h"
#include "names/name_directory.h"
#include "names/name_settings.h"
#include "project/map_project.h"
#include "system/object_records.h"
#include "system/system_file.h"
#include "system/system_model.h"

namespace mw::ui::bridge {

namespace text {
inline constexpr std::string_view kAskQuitMenu =
    "Are you sure you want to quit? (Your unsaved datas will be lost!)";
inline constexpr std::string_view kAskQuitToolbar =
    "Are you sure you want to quit? (Your unsaved datas will be lost)";
inline constexpr std::string_view kAskOpenNewMap =
    "Are you sure you want to open a new map? Your unsaved data will be lost!";
inline constexpr std::string_view kAskOpenAnotherMap =
    "Are you sure you want to open an another map? Your unsaved data will be lost!";
inline constexpr std::string_view kAskClearMap = "Are you sure you want to clear this map?";
inline constexpr std::string_view kAskCloseWindow =
    "Are you sure you want to close this window? (Your unsaved datas will be lost)";
inline constexpr std::string_view kCannotDeleteNothing = "You can't delete the NOTHING! :D";
inline constexpr std::string_view kUnnamedSystemCaption = "Unnamed system";
inline constexpr std::string_view kSystemCaptionSuffix = " system";
}  // namespace text

struct EditorState {
    SystemModel model;
    SystemHeader header{"Unnamed", "Sun", "Background1", "0.7"};
    NameSettings names;
    EditorRandom random;
    NameDirectory workDir;
    bool openFlag = false;
    std::string lastOpenedCaption;
    MapProject project;

    EditorState() = default;
    EditorState(NameDirectory dir, std::uint64_t seed) : random(seed), workDir(std::move(dir)) {}
};

int WorldFromPixel(int p);

struct MapObject {
    ObjectKind kind;
    int index;
    MarkerPos marker;
};

/// Every object with a marker: indices 1..count of each kind, not deleted.
std::vector<MapObject> objectsOnMap(const SystemModel& model);
std::string_view markerCaption(ObjectKind kind);
std::string markerHint(const SystemModel& model, ObjectKind kind, int index);

struct Placement {
    bool placed = false;
    int index = 0;
    std::optional<std::string> notice;
};

/// A click on the empty map with a placing tool.
Placement placeAtPixel(EditorState& state, ObjectKind kind, MarkerPos pixel);
/// A click on the empty map with the delete tool: the notice to show.
std::string_view deleteNothing(EditorState& state);
/// A click on a marker: it becomes the current object; with the delete tool the object goes.
void clickMarker(EditorState& state, ObjectKind kind, int index, bool deleteTool);

void designerCreated(EditorState& state, const std::function<void()>& openStep);
/// Reads the file into a scratch state; only a complete read replaces the open system.
void openSystem(EditorState& state, const std::string& path);
void systemOpened(EditorState& state);
void clearMap(EditorState& state);
void saveSystemAs(const EditorState& state, const std::string& path);
void closeSystem(EditorState& state);
void changeSunName(EditorState& state, std::string_view name);

}  // namespace mw::ui::bridge
