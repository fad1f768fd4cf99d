#include "check/picture_hits.h"

#include <algorithm>
#include <cmath>

namespace mw {

namespace {

bool inside(const Box& b, Point p) {
    return p.x >= b.left && p.x <= b.right() && p.y >= b.top && p.y <= b.bottom();
}

double distanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

std::optional<std::size_t> NodeAt(const MapPictureLayout& layout, Point p) {
    for (std::size_t i = 0; i < layout.nodes.size(); ++i) {
        const PictureNode& n = layout.nodes[i];
        if (std::hypot(p.x - n.centre.x, p.y - n.centre.y) <= n.radius || inside(n.label.box, p))
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> LineAt(const MapPictureLayout& layout, Point p, double tolerance) {
    std::optional<std::size_t> nearest;
    double best = tolerance;
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        const double d = distanceToSegment(p, layout.lines[i].from, layout.lines[i].to);
        if (d <= best) {
            best = d;
            nearest = i;
        }
    }
    return nearest;
}

}  // namespace mw
