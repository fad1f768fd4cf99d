// The map picture's geometry: labels clear of each other and of the nodes,
// lines from rim to rim, arrows at the node a one-way link leads to, stubs
// outside the labels, everything on the canvas.
#include "check/map_picture_layout.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace mw;

namespace {

// Seven pixels a character, as a narrow sans font gives.
TextSize measure(std::string_view text) {
    return {7.0 * static_cast<double>(text.size()), 14};
}

bool inside(const Box& b, double width, double height) {
    return b.left >= 0 && b.top >= 0 && b.right() <= width && b.bottom() <= height;
}

bool within(Point p, const Box& b) {
    return p.x > b.left && p.x < b.right() && p.y > b.top && p.y < b.bottom();
}

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// n systems in a ring of two-way links, a one-way link across, and two stubs
// on the first system.
MapGraph ring(std::size_t n) {
    MapGraph g;
    for (std::size_t i = 0; i < n; ++i) {
        std::string name = "System number " + std::to_string(i) + " wide";
        if (i == 1) name += std::string(40, 'x');  // shortened in the picture
        g.systems.push_back({name, true, SystemState::Fine});
        if (n > 1 && (n > 2 || i == 0)) g.links.push_back({i, (i + 1) % n, LinkShape::TwoWay});
    }
    if (n > 1) g.links.push_back({0, n / 2, LinkShape::OneWay});
    if (n > 0) g.stubs = {{0, StubKind::Unlinked}, {0, StubKind::NoLink}};
    return g;
}

class PictureLayout : public ::testing::TestWithParam<std::size_t> {};

TEST_P(PictureLayout, NothingOverlapsAndEverythingFits) {
    const MapGraph graph = ring(GetParam());
    const MapPictureLayout l = LayoutMapPicture(graph, measure);
    ASSERT_EQ(l.nodes.size(), graph.systems.size());
    ASSERT_EQ(l.lines.size(), graph.links.size());
    ASSERT_EQ(l.stubs.size(), graph.stubs.size());

    for (std::size_t i = 0; i < l.nodes.size(); ++i) {
        const PictureNode& a = l.nodes[i];
        EXPECT_TRUE(inside(a.label.box, l.width, l.height)) << a.label.text;
        EXPECT_LE(a.label.text.size(), 40u);
        const Box circle{a.centre.x - a.radius, a.centre.y - a.radius, 2 * a.radius, 2 * a.radius};
        EXPECT_TRUE(inside(circle, l.width, l.height));
        for (std::size_t j = 0; j < l.nodes.size(); ++j) {
            if (i == j) continue;
            const PictureNode& b = l.nodes[j];
            EXPECT_FALSE(a.label.box.overlaps(b.label.box))
                << a.label.text << " / " << b.label.text;
            EXPECT_FALSE(a.label.box.overlaps(
                {b.centre.x - b.radius, b.centre.y - b.radius, 2 * b.radius, 2 * b.radius}))
                << a.label.text;
        }
    }
    for (std::size_t k = 0; k < l.lines.size(); ++k) {
        const PictureLine& line = l.lines[k];
        const GraphLink& link = graph.links[k];
        EXPECT_NEAR(distance(line.from, l.nodes[link.from].centre), l.nodes[link.from].radius,
                    1e-6);
        EXPECT_NEAR(distance(line.to, l.nodes[link.to].centre), l.nodes[link.to].radius, 1e-6);
        ASSERT_EQ(line.arrowHead.has_value(), link.shape == LinkShape::OneWay);
        if (line.arrowHead) {
            EXPECT_NEAR(distance((*line.arrowHead)[0], line.to), 0, 1e-6);
            for (const Point& p : *line.arrowHead)
                EXPECT_LT(distance(p, line.to), distance(p, line.from));
        }
    }
    for (const PictureStub& s : l.stubs) {
        const PictureNode& node = l.nodes[0];
        EXPECT_NEAR(distance(s.from, node.centre), node.radius, 1e-6);
        EXPECT_GT(distance(s.to, node.centre), node.radius + 10);
        for (const PictureNode& n : l.nodes) EXPECT_FALSE(within(s.to, n.label.box));
    }
    for (const PictureText& t : l.legend.texts) {
        EXPECT_TRUE(inside(t.box, l.width, l.height)) << t.text;
        for (const PictureNode& n : l.nodes) EXPECT_FALSE(t.box.overlaps(n.label.box)) << t.text;
    }
}

INSTANTIATE_TEST_SUITE_P(UpToTenSystems, PictureLayout, ::testing::Values(1, 2, 3, 5, 8, 10));

TEST(PictureLayout, AMapWithoutSystemsGetsANote) {
    const MapPictureLayout l = LayoutMapPicture({}, measure);
    EXPECT_TRUE(l.nodes.empty());
    ASSERT_TRUE(l.note.has_value());
    EXPECT_TRUE(inside(l.note->box, l.width, l.height));
}

TEST(PictureLayout, FormatByExtension) {
    EXPECT_EQ(pictureFormatFor("map.png"), PictureFormat::Png);
    EXPECT_EQ(pictureFormatFor("dir.v1/Map.SVG"), PictureFormat::Svg);
    EXPECT_EQ(pictureFormatFor("map.jpg"), std::nullopt);
    EXPECT_EQ(pictureFormatFor("png"), std::nullopt);
}

}  // namespace
