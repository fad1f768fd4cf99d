#pragma once
// The designer's eight tools and the markers that stand for objects on the map.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "system/object_kinds.h"

namespace mw {

struct ToolInfo {
    Tool tool;
    std::string_view code;     // "pln", "haj", ...; the selection picture carries it
    std::string_view picture;  // the picture file beside the executable
    int column;                // 0 = left, 1 = right
    int row;                   // 0..3
};

/// The tools in button order (left then right, row by row); the planet tool is
/// selected when a designer window opens.
inline constexpr std::array<ToolInfo, 8> kTools{{
    {Tool::Planet, "pln", "pln.bmp", 0, 0},
    {Tool::Ship, "haj", "haj.bmp", 1, 0},
    {Tool::Asteroid, "ast", "ast.bmp", 0, 1},
    {Tool::MicroAsteroid, "mas", "mas.bmp", 1, 1},
    {Tool::Wreck, "wreck", "wreck.bmp", 0, 2},
    {Tool::Nebula, "neb", "neb.bmp", 1, 2},
    {Tool::JumpNode, "jn", "jn.bmp", 0, 3},
    {Tool::Delete, "del", "del.bmp", 1, 3},
}};
inline constexpr Tool kInitialTool = Tool::Planet;

const ToolInfo& toolInfo(Tool tool);
std::optional<Tool> toolOfCode(std::string_view code);
/// The kind a placing tool places; none for the delete tool.
std::optional<ObjectKind> kindPlacedBy(Tool tool);

/// A marker is a 16x16 button centred on the object's marker position.
inline constexpr int kMarkerSize = 16;
/// The tag of the designer's own controls on the map panel, which no index reaches.
inline constexpr int kFormControlTag = 9999;

/// The marker caption of a kind: "P", "S", "as", "ma", "W", "N", "J".
std::string_view markerCaption(ObjectKind kind);
/// The hint of a marker whose kind has a fixed hint: "Planet" + index, ...;
/// a jump node's hint is its node id (see SystemDesigner::marker).
std::string markerHint(ObjectKind kind, int index);

/// One object as the map shows it.
struct MarkerView {
    ObjectKind kind = ObjectKind::Planet;
    int index = 0;  // also the marker's tag
    MarkerPos pixel;
    std::string caption;
    std::string hint;
    /// Shown beside the marker when names are on: a planet's or ship's name,
    /// a jump node's id; empty for the other kinds.
    std::string label;
    int left() const { return pixel.x - kMarkerSize / 2; }
    int top() const { return pixel.y - kMarkerSize / 2; }
    bool operator==(const MarkerView&) const = default;
};

}  // namespace mw
