#pragma once
// Where everything of the map picture goes: the systems on a circle as
// labelled nodes, a line per link (an arrow for a one-way link), a short stub
// per jump node that leads nowhere, and a legend. Plain geometry in pixels,
// so a painter only draws what it is given; text sizes come from the
// painter's font through a measure function.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/map_graph.h"

namespace mw {

struct Point {
    double x = 0, y = 0;
};

struct Box {
    double left = 0, top = 0, width = 0, height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
    /// True when the two boxes share more than an edge.
    bool overlaps(const Box& o) const {
        return left < o.right() && o.left < right() && top < o.bottom() && o.top < bottom();
    }
};

struct TextSize {
    double width = 0, height = 0;
};
using MeasureText = std::function<TextSize(std::string_view)>;

struct PictureText {
    std::string text;  // single-byte text, as the names are stored
    Box box;           // the text is drawn left-aligned in it, vertically centred
};

struct PictureNode {
    Point centre;
    double radius = 0;
    PictureText label;
    bool readable = true;
    SystemState state = SystemState::Fine;
};

struct PictureLine {
    Point from, to;  // on the rims of the two nodes
    LinkShape shape = LinkShape::TwoWay;
    /// A one-way line's arrow head: tip at `to`, then the two back corners.
    std::optional<std::array<Point, 3>> arrowHead;
};

struct PictureStub {
    Point from, to;  // from the node's rim outwards
    StubKind kind = StubKind::Unlinked;
};

/// A sample of each kind of line with its meaning.
struct PictureLegend {
    std::vector<PictureLine> lines;
    std::vector<PictureStub> stubs;
    std::vector<PictureText> texts;
};

struct MapPictureLayout {
    double width = 0, height = 0;     // everything lies within 0..width, 0..height
    std::vector<PictureNode> nodes;   // one per system, in slot order
    std::vector<PictureLine> lines;   // one per link of the graph, in its order
    std::vector<PictureStub> stubs;   // one per stub of the graph, in its order
    PictureLegend legend;             // below the systems
    std::optional<PictureText> note;  // instead of everything else for a map without systems
};

/// Lays the graph out; no label overlaps another label or another node.
MapPictureLayout LayoutMapPicture(const MapGraph& graph, const MeasureText& measure);

/// The label of a system in the picture: its name, long names shortened.
std::string pictureLabel(std::string_view systemName);

/// The picture file kinds the map picture is written as, by file extension.
enum class PictureFormat { Png, Svg };
std::optional<PictureFormat> pictureFormatFor(std::string_view path);

}  // namespace mw
