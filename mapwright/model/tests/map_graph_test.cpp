// The map picture at the size a map can have: ten systems of up to 1000
// jump nodes each, linked every which way, their graph checked against a
// plain reading of the design files' bytes, and the stubs of a crowded node
// against an exhaustive search of their directions.
#include "check/map_graph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <random>

#include "check/map_picture_layout.h"
#include "model_test_support.h"

using namespace mw;
using namespace model_test;

namespace {

constexpr std::size_t kRecord = 568;

// A text field as stored: a length byte, then the characters.
std::string field(const std::string& bytes, std::size_t at, std::size_t capacity) {
    const std::size_t length =
        std::min<std::size_t>(static_cast<unsigned char>(bytes[at]), capacity);
    return bytes.substr(at + 1, length);
}

struct OracleNode {
    std::size_t system = 0;
    std::string id, leadsTo;
};

// Every jump node of the readable files, in slot and file order, from the
// bytes alone: tag at 0, leads-to at 46, node id at 67.
std::vector<OracleNode> readNodes(const std::vector<std::string>& files) {
    std::vector<OracleNode> nodes;
    for (std::size_t s = 0; s < files.size(); ++s)
        for (std::size_t at = kRecord; at + kRecord <= files[s].size(); at += kRecord)
            if (field(files[s], at, 23) == "jumpnode")
                nodes.push_back({s, field(files[s], at + 67, 125), field(files[s], at + 46, 20)});
    return nodes;
}

struct Tally {
    std::map<std::pair<std::size_t, StubKind>, int> stubs;
    std::map<std::pair<std::size_t, std::size_t>, int> twoWay;  // the pair, lower first
    std::map<std::pair<std::size_t, std::size_t>, int> oneWay;  // from, to
    bool operator==(const Tally&) const = default;
};

// What the picture must show: a node leads to the first node of another
// system with that id; a link is two-way when that node leads back to it.
Tally expected(const std::vector<OracleNode>& nodes) {
    std::map<std::string, std::vector<std::size_t>> byId;
    for (std::size_t i = 0; i < nodes.size(); ++i) byId[nodes[i].id].push_back(i);
    const auto partner = [&](std::size_t from) -> std::optional<std::size_t> {
        const auto it = byId.find(nodes[from].leadsTo);
        if (it == byId.end()) return std::nullopt;
        for (std::size_t n : it->second)
            if (nodes[n].system != nodes[from].system) return n;
        return std::nullopt;
    };
    Tally t;
    std::map<std::pair<std::size_t, std::size_t>, int> twoWayEnds;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const std::size_t s = nodes[i].system;
        if (nodes[i].leadsTo == "0") {
            ++t.stubs[{s, StubKind::NoLink}];
        } else if (const auto to = partner(i); !to) {
            ++t.stubs[{s, StubKind::Unlinked}];
        } else if (partner(*to) == i) {
            ++twoWayEnds[{std::min(s, nodes[*to].system), std::max(s, nodes[*to].system)}];
        } else {
            ++t.oneWay[{s, nodes[*to].system}];
        }
    }
    for (const auto& [pair, ends] : twoWayEnds) {
        EXPECT_EQ(ends % 2, 0) << "a two-way link has two ends";
        t.twoWay[pair] = ends / 2;
    }
    return t;
}

Tally tallied(const MapGraph& g) {
    Tally t;
    for (const GraphStub& s : g.stubs) ++t.stubs[{s.system, s.kind}];
    for (const GraphLink& l : g.links) {
        if (l.shape == LinkShape::TwoWay)
            ++t.twoWay[{std::min(l.from, l.to), std::max(l.from, l.to)}];
        else
            ++t.oneWay[{l.from, l.to}];
    }
    return t;
}

TextSize measure(std::string_view text) {
    return {7.0 * static_cast<double>(text.size()), 14};
}

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Ten systems, one of them unreadable, one without nodes; ids unique, shared
// between systems or within one; leading to "0", to nowhere, to a node of
// the same system, to any id, or paired both ways.
class GraphAtScale : public ::testing::TestWithParam<unsigned> {};

TEST_P(GraphAtScale, EveryLinkAndStubOfTheFilesIsDrawn) {
    std::mt19937 random(GetParam());
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    constexpr std::size_t kSystems = 10;
    const std::size_t counts[kSystems] = {1000, 1000, 0, 1000, 1, 1000, 1000, 1000, 300, 1000};
    std::vector<std::vector<SdfRecord>> records(kSystems);
    std::vector<std::pair<std::size_t, std::size_t>> all;  // system, record
    for (std::size_t s = 0; s < kSystems; ++s) {
        records[s].push_back(sunRecord("S" + std::to_string(s)));
        for (std::size_t k = 1; k <= counts[s]; ++k) {
            const std::size_t kind = pick(20);
            const std::string id = kind == 0   ? "Dup" + std::to_string(pick(7))
                                   : kind == 1 ? "S" + std::to_string(s) + "J1"
                                               : "S" + std::to_string(s) + "J" + std::to_string(k);
            records[s].push_back(jumpNode(id, "0"));
            if (k % 9 == 0) records[s].push_back(object(sdf_tag::kPlanet, "P", 1, 2, 3));
            all.emplace_back(s, records[s].size() - 1);
        }
    }
    const auto idOf = [&](std::pair<std::size_t, std::size_t> n) {
        return records[n.first][n.second].textA.str();
    };
    for (const auto& n : all) {
        SdfRecord& r = records[n.first][n.second];
        switch (pick(6)) {
            case 0:
                break;  // "0"
            case 1:
                r.name = "Lost" + std::to_string(pick(1000));
                break;
            case 2:
                r.name = "S" + std::to_string(n.first) + "J" + std::to_string(1 + pick(50));
                break;
            case 3:
                r.name = idOf(all[pick(all.size())]);
                break;
            default: {  // both ways, with a node of any system
                const auto other = all[pick(all.size())];
                r.name = idOf(other);
                records[other.first][other.second].name = idOf(n);
            }
        }
    }
    vk_test::ScratchDir dir("mw-graph");
    std::vector<std::pair<std::string, std::string>> slots;
    std::vector<std::string> files;
    for (std::size_t s = 0; s < kSystems; ++s) {
        const std::string path = dir.path("s" + std::to_string(s) + ".sdf");
        if (s != 6) writeDesignFile(path, records[s]);  // the seventh cannot be read
        slots.emplace_back("S" + std::to_string(s), path);
        files.push_back(vk_test::readFile(path));
    }

    const MapGraph graph = BuildMapGraph(mapOf(slots), dir.root());
    ASSERT_EQ(graph.systems.size(), kSystems);
    EXPECT_FALSE(graph.systems[6].readable);
    const Tally want = expected(readNodes(files));
    ASSERT_GT(want.twoWay.size(), 20u);
    ASSERT_GT(want.oneWay.size(), 20u);
    EXPECT_EQ(tallied(graph), want);

    // Every stub of the graph is drawn on its own node's rim, pointing out.
    const MapPictureLayout l = LayoutMapPicture(graph, measure);
    ASSERT_EQ(l.stubs.size(), graph.stubs.size());
    ASSERT_EQ(l.lines.size(), graph.links.size());
    for (std::size_t k = 0; k < l.stubs.size(); ++k) {
        const PictureNode& node = l.nodes[graph.stubs[k].system];
        ASSERT_NEAR(distance(l.stubs[k].from, node.centre), node.radius, 1e-6) << k;
        ASSERT_GT(distance(l.stubs[k].to, node.centre), node.radius + 10) << k;
        ASSERT_EQ(l.stubs[k].kind, graph.stubs[k].kind);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, GraphAtScale, ::testing::Values(1u, 2u, 3u));

// How far an angle lies from the arc [middle - half, middle + half].
double away(double angle, double middle, double half) {
    return std::max(0.0, std::abs(std::remainder(angle - middle, 2 * std::numbers::pi)) - half);
}

// Each stub of a node with hundreds of them points at a whole degree as far
// as any from its label, the line ends on its rim and the stubs before it,
// checked here by trying every degree against everything taken.
TEST(PictureLayout, CrowdedStubsTakeTheFreestDegree) {
    MapGraph g;
    for (const char* name : {"Crowded", "Second system", "Third"}) g.systems.push_back({name});
    for (int k = 0; k < 9; ++k)
        g.links.push_back({0, 1 + static_cast<std::size_t>(k % 2), LinkShape::TwoWay});
    for (int k = 0; k < 160; ++k)
        g.stubs.push_back({k % 7 == 3 ? 1u : 0u, k % 2 ? StubKind::NoLink : StubKind::Unlinked});
    const MapPictureLayout l = LayoutMapPicture(g, measure);
    constexpr double kBerth = 0.2;
    for (std::size_t system : {0u, 1u}) {
        const PictureNode& node = l.nodes[system];
        const Point c = node.centre;
        const auto angleTo = [c](Point p) { return std::atan2(p.y - c.y, p.x - c.x); };
        // The label's corners, seen from the centre, and a berth beside them.
        const Box& b = node.label.box;
        const double mid = angleTo({b.left + b.width / 2, b.top + b.height / 2});
        double low = 0, high = 0;
        for (const Point p : {Point{b.left, b.top}, Point{b.right(), b.top},
                              Point{b.left, b.bottom()}, Point{b.right(), b.bottom()}}) {
            const double rel = std::remainder(angleTo(p) - mid, 2 * std::numbers::pi);
            low = std::min(low, rel), high = std::max(high, rel);
        }
        std::vector<std::pair<double, double>> taken{
            {mid + (low + high) / 2, (high - low) / 2 + kBerth}};
        for (const PictureLine& line : l.lines)
            for (const Point p : {line.from, line.to})
                if (distance(p, c) <= node.radius + 0.01) taken.emplace_back(angleTo(p), kBerth);
        int checked = 0;
        for (std::size_t k = 0; k < g.stubs.size(); ++k) {
            if (g.stubs[k].system != system) continue;
            const auto clearance = [&](double angle) {
                double nearest = std::numbers::pi;
                for (const auto& [middle, half] : taken)
                    nearest = std::min(nearest, away(angle, middle, half));
                return nearest;
            };
            double farthest = 0;
            for (int degree = 0; degree < 360; ++degree)
                farthest = std::max(farthest, clearance(degree * std::numbers::pi / 180));
            // Whole degrees; of equally free ones (the picture is laid out
            // in other coordinates, so a tie may round either way) any.
            const double angle = angleTo(l.stubs[k].from);
            const double degree = std::round(angle * 180 / std::numbers::pi);
            ASSERT_NEAR(angle * 180 / std::numbers::pi, degree, 1e-9) << "stub " << k;
            ASSERT_GE(clearance(angle), farthest - 1e-9) << "stub " << k << " of system " << system;
            taken.emplace_back(angle, kBerth);
            ++checked;
        }
        EXPECT_GT(checked, 20);
    }
}

}  // namespace
