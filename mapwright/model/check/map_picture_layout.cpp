#include "check/map_picture_layout.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <numbers>

namespace mw {

namespace {

constexpr double kNodeRadius = 12;
constexpr double kLabelGap = 6;
constexpr double kStubLength = 16;
constexpr double kLineSpacing = 7;  // between lines joining the same two systems
constexpr double kArrowLength = 11;
constexpr double kArrowHalfWidth = 5;
constexpr double kMargin = 16;
constexpr double kLegendGap = 24;     // between the systems and the legend
constexpr double kLegendSample = 30;  // length of a sample line
constexpr double kMinCircle = 80;     // radius of the systems' circle, at least
constexpr std::size_t kLabelMax = 40;
constexpr double kPi = std::numbers::pi;

Point at(Point c, double angle, double distance) {
    return {c.x + distance * std::cos(angle), c.y + distance * std::sin(angle)};
}

// The label beside a node, on the side facing away from the circle's centre.
Box labelBox(Point c, double angle, TextSize size) {
    const double reach = kNodeRadius + kLabelGap;
    const double cos = std::cos(angle), sin = std::sin(angle);
    if (std::abs(cos) < 0.3) {
        const double top = sin < 0 ? c.y - reach - size.height : c.y + reach;
        return {c.x - size.width / 2, top, size.width, size.height};
    }
    const double left = cos > 0 ? c.x + reach : c.x - reach - size.width;
    return {left, c.y - size.height / 2, size.width, size.height};
}

Box footprint(const PictureNode& n, bool withStubs) {
    const double r = n.radius + (withStubs ? kStubLength : 0);
    return {n.centre.x - r, n.centre.y - r, 2 * r, 2 * r};
}

// Places the nodes on a circle of the given radius; false when a label
// overlaps another label or another node.
bool place(std::vector<PictureNode>& nodes, const std::vector<double>& angles,
           const std::vector<TextSize>& sizes, const std::vector<bool>& stubbed, double radius) {
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        nodes[i].centre = at({0, 0}, angles[i], radius);
        nodes[i].label.box = labelBox(nodes[i].centre, angles[i], sizes[i]);
    }
    for (std::size_t i = 0; i < nodes.size(); ++i)
        for (std::size_t j = 0; j < nodes.size(); ++j) {
            if (i == j) continue;
            if (j > i && nodes[i].label.box.overlaps(nodes[j].label.box)) return false;
            if (nodes[i].label.box.overlaps(footprint(nodes[j], stubbed[j]))) return false;
        }
    return true;
}

std::vector<PictureLine> layoutLines(const MapGraph& graph, const std::vector<PictureNode>& nodes) {
    // Lines joining the same two systems lie side by side.
    std::map<std::pair<std::size_t, std::size_t>, int> total, drawn;
    const auto pairOf = [](const GraphLink& l) {
        return std::pair(std::min(l.from, l.to), std::max(l.from, l.to));
    };
    for (const GraphLink& l : graph.links) ++total[pairOf(l)];
    std::vector<PictureLine> lines;
    for (const GraphLink& l : graph.links) {
        const auto key = pairOf(l);
        const double offset = (drawn[key]++ - (total[key] - 1) / 2.0) * kLineSpacing;
        // The offset is measured on the pair's own direction, so both ends agree.
        const Point a = nodes[key.first].centre, b = nodes[key.second].centre;
        const double angle = std::atan2(b.y - a.y, b.x - a.x);
        const double along = std::sqrt(std::max(0.0, kNodeRadius * kNodeRadius - offset * offset));
        const Point side = at({0, 0}, angle + kPi / 2, offset);
        const Point atA = at({a.x + side.x, a.y + side.y}, angle, along);
        const Point atB = at({b.x + side.x, b.y + side.y}, angle + kPi, along);
        PictureLine line;
        line.shape = l.shape;
        line.from = l.from == key.first ? atA : atB;
        line.to = l.from == key.first ? atB : atA;
        if (l.shape == LinkShape::OneWay) {
            const double back = std::atan2(line.from.y - line.to.y, line.from.x - line.to.x);
            const Point base = at(line.to, back, kArrowLength);
            line.arrowHead =
                std::array<Point, 3>{line.to, at(base, back + kPi / 2, kArrowHalfWidth),
                                     at(base, back - kPi / 2, kArrowHalfWidth)};
        }
        lines.push_back(line);
    }
    return lines;
}

// An angle range seen from a node's centre: its middle and half its width.
struct Arc {
    double middle = 0, halfWidth = 0;
};

// How far an angle lies outside the arc (0 inside it).
double awayFrom(double angle, const Arc& arc) {
    return std::max(0.0, std::abs(std::remainder(angle - arc.middle, 2 * kPi)) - arc.halfWidth);
}

// The angles a box covers seen from c (the box does not hold c).
Arc arcOf(Point c, const Box& b, double margin) {
    const double middle = std::atan2(b.top + b.height / 2 - c.y, b.left + b.width / 2 - c.x);
    double low = 0, high = 0;
    for (const Point p : {Point{b.left, b.top}, Point{b.right(), b.top}, Point{b.left, b.bottom()},
                          Point{b.right(), b.bottom()}}) {
        const double rel = std::remainder(std::atan2(p.y - c.y, p.x - c.x) - middle, 2 * kPi);
        low = std::min(low, rel), high = std::max(high, rel);
    }
    return {middle + (low + high) / 2, (high - low) / 2 + margin};
}

// Each stub points where it is farthest from the node's label, its lines and
// its other stubs (tried in whole degrees, the first best wins).
std::vector<PictureStub> layoutStubs(const MapGraph& graph, const std::vector<PictureNode>& nodes,
                                     const std::vector<PictureLine>& lines) {
    constexpr double kLineBerth = 0.2;
    constexpr int kDegrees = 360;
    std::array<double, kDegrees> angles{};
    for (int degree = 0; degree < kDegrees; ++degree) angles[degree] = degree * kPi / 180;

    std::vector<bool> stubbed(nodes.size(), false);
    for (const GraphStub& s : graph.stubs) stubbed[s.system] = true;
    std::vector<std::vector<Arc>> taken(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (stubbed[i]) taken[i].push_back(arcOf(nodes[i].centre, nodes[i].label.box, kLineBerth));
    for (const PictureLine& l : lines)
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            if (!stubbed[i]) continue;
            const Point c = nodes[i].centre;
            for (const Point& p : {l.from, l.to})
                if (std::hypot(p.x - c.x, p.y - c.y) <= kNodeRadius + 0.01)
                    taken[i].push_back({std::atan2(p.y - c.y, p.x - c.x), kLineBerth});
        }

    // For every degree of a node, how far it lies from the nearest arc taken
    // so far: a new stub only lowers the degrees near it, so a node's
    // thousand stubs cost a thousand small updates, not a thousand rescans
    // of all the stubs before them.
    std::vector<std::array<double, kDegrees>> clearance(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (!stubbed[i]) continue;
        for (int degree = 0; degree < kDegrees; ++degree) {
            double nearest = kPi;
            for (const Arc& arc : taken[i])
                nearest = std::min(nearest, awayFrom(angles[degree], arc));
            clearance[i][degree] = nearest;
        }
    }

    std::vector<PictureStub> stubs;
    stubs.reserve(graph.stubs.size());
    for (const GraphStub& s : graph.stubs) {
        std::array<double, kDegrees>& clear = clearance[s.system];
        int best = 0;
        double farthest = -1;
        for (int degree = 0; degree < kDegrees; ++degree)
            if (clear[degree] > farthest) farthest = clear[degree], best = degree;
        // A degree farther from the new stub than `farthest` plus its berth
        // already lies nearer to something else: only those closer can change.
        const int reach = std::min(
            kDegrees / 2, static_cast<int>(std::ceil((farthest + kLineBerth) * 180 / kPi)) + 1);
        const Arc arc{angles[best], kLineBerth};
        for (int k = -reach; k <= reach; ++k) {
            const int degree = ((best + k) % kDegrees + kDegrees) % kDegrees;
            clear[degree] = std::min(clear[degree], awayFrom(angles[degree], arc));
        }
        const Point c = nodes[s.system].centre;
        stubs.push_back({at(c, angles[best], kNodeRadius),
                         at(c, angles[best], kNodeRadius + kStubLength), s.kind});
    }
    return stubs;
}

PictureLegend layoutLegend(const MeasureText& measure, double left, double top, double width) {
    PictureLegend legend;
    double x = left, y = top, rowHeight = 0;
    const auto entry = [&](std::string text) {
        const TextSize size = measure(text);
        const double entryWidth = kLegendSample + kLabelGap + size.width;
        if (x > left && x + entryWidth > left + width)
            x = left, y += rowHeight + kLabelGap, rowHeight = 0;
        rowHeight = std::max(rowHeight, size.height);
        const Point from{x, y + size.height / 2};
        legend.texts.push_back(
            {std::move(text), {x + kLegendSample + kLabelGap, y, size.width, size.height}});
        x += entryWidth + 2 * kLegendGap / 3;
        return from;
    };
    for (const LinkShape shape : {LinkShape::TwoWay, LinkShape::OneWay}) {
        const Point from = entry(shape == LinkShape::TwoWay ? "two-way link" : "one-way link");
        PictureLine line{from, {from.x + kLegendSample, from.y}, shape, std::nullopt};
        if (shape == LinkShape::OneWay)
            line.arrowHead = std::array<Point, 3>{
                line.to, Point{line.to.x - kArrowLength, line.to.y - kArrowHalfWidth},
                Point{line.to.x - kArrowLength, line.to.y + kArrowHalfWidth}};
        legend.lines.push_back(line);
    }
    for (const StubKind kind : {StubKind::Unlinked, StubKind::NoLink}) {
        const Point from = entry(kind == StubKind::Unlinked ? "jump node leading nowhere"
                                                            : "jump node not linked (0)");
        legend.stubs.push_back({{from.x + kLegendSample - kStubLength, from.y},
                                {from.x + kLegendSample, from.y},
                                kind});
    }
    return legend;
}

struct Bounds {
    double left = 1e300, top = 1e300, right = -1e300, bottom = -1e300;
    void add(const Box& b) {
        left = std::min(left, b.left), top = std::min(top, b.top);
        right = std::max(right, b.right()), bottom = std::max(bottom, b.bottom());
    }
};

void shift(Point& p, double dx, double dy) {
    p.x += dx, p.y += dy;
}
void shift(Box& b, double dx, double dy) {
    b.left += dx, b.top += dy;
}

void shiftAll(MapPictureLayout& l, double dx, double dy) {
    for (PictureNode& n : l.nodes) shift(n.centre, dx, dy), shift(n.label.box, dx, dy);
    for (auto* lines : {&l.lines, &l.legend.lines})
        for (PictureLine& line : *lines) {
            shift(line.from, dx, dy), shift(line.to, dx, dy);
            if (line.arrowHead)
                for (Point& p : *line.arrowHead) shift(p, dx, dy);
        }
    for (auto* stubs : {&l.stubs, &l.legend.stubs})
        for (PictureStub& s : *stubs) shift(s.from, dx, dy), shift(s.to, dx, dy);
    for (PictureText& t : l.legend.texts) shift(t.box, dx, dy);
}

}  // namespace

std::string pictureLabel(std::string_view systemName) {
    if (systemName.size() <= kLabelMax) return std::string(systemName);
    return std::string(systemName.substr(0, kLabelMax - 3)) + "...";
}

std::optional<PictureFormat> pictureFormatFor(std::string_view path) {
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    std::string ext(path.substr(dot + 1));
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "png") return PictureFormat::Png;
    if (ext == "svg") return PictureFormat::Svg;
    return std::nullopt;
}

MapPictureLayout LayoutMapPicture(const MapGraph& graph, const MeasureText& measure) {
    MapPictureLayout layout;
    const std::size_t n = graph.systems.size();
    if (n == 0) {
        PictureText note{"The map has no systems.", {}};
        const TextSize size = measure(note.text);
        note.box = {kMargin, kMargin, size.width, size.height};
        layout.note = note;
        layout.width = size.width + 2 * kMargin;
        layout.height = size.height + 2 * kMargin;
        return layout;
    }

    // The first system at the top, the others clockwise; a lone system has
    // its label on the right.
    std::vector<double> angles(n);
    std::vector<TextSize> sizes(n);
    std::vector<bool> stubbed(n, false);
    for (const GraphStub& s : graph.stubs) stubbed[s.system] = true;
    for (std::size_t i = 0; i < n; ++i) {
        angles[i] =
            n == 1 ? 0 : -kPi / 2 + 2 * kPi * static_cast<double>(i) / static_cast<double>(n);
        PictureNode& node = layout.nodes.emplace_back();
        node.radius = kNodeRadius;
        node.label.text = pictureLabel(graph.systems[i].name);
        node.readable = graph.systems[i].readable;
        node.state = graph.systems[i].state;
        sizes[i] = measure(node.label.text);
    }
    // The smallest circle, in steps, on which no label overlaps another label
    // or node; the circle grows faster than the labels, so one is found.
    double radius = n == 1 ? 0
                           : std::max(kMinCircle, (2 * kNodeRadius + 2 * kStubLength) /
                                                      (2 * std::sin(kPi / static_cast<double>(n))));
    for (int step = 0; step < 400 && !place(layout.nodes, angles, sizes, stubbed, radius); ++step)
        radius = radius * 1.05 + 4;

    layout.lines = layoutLines(graph, layout.nodes);
    layout.stubs = layoutStubs(graph, layout.nodes, layout.lines);

    Bounds b;
    for (std::size_t i = 0; i < n; ++i) {
        b.add(footprint(layout.nodes[i], stubbed[i]));
        b.add(layout.nodes[i].label.box);
    }
    layout.legend =
        layoutLegend(measure, b.left, b.bottom + kLegendGap, std::max(b.right - b.left, 360.0));
    for (const PictureText& t : layout.legend.texts) b.add(t.box);
    for (const PictureLine& l : layout.legend.lines)
        b.add({l.from.x, l.from.y - kArrowHalfWidth, l.to.x - l.from.x, 2 * kArrowHalfWidth});

    shiftAll(layout, kMargin - b.left, kMargin - b.top);
    layout.width = b.right - b.left + 2 * kMargin;
    layout.height = b.bottom - b.top + 2 * kMargin;
    return layout;
}

}  // namespace mw
