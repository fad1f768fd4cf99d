#pragma once
// The map as a graph for its picture: the systems, the jump-node links
// between them and the jump nodes that lead nowhere.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "check/checked_map.h"
#include "check/map_problem.h"
#include "map/map_project_record.h"

namespace mw {

enum class SystemState {
    Fine,      // no problem found
    Warnings,  // only warnings
    Errors,    // at least one error
};

struct GraphSystem {
    std::string name;      // the slot's system name
    bool readable = true;  // its design file could be read
    SystemState state = SystemState::Fine;
};

enum class LinkShape {
    TwoWay,  // a pair of nodes leading to each other: one line
    OneWay,  // from leads to a node of `to` that leads elsewhere: an arrow
};

struct GraphLink {
    std::size_t from = 0, to = 0;  // indices into the systems
    LinkShape shape = LinkShape::TwoWay;
};

enum class StubKind {
    Unlinked,  // leads to no node of another system (a problem)
    NoLink,    // leads to "0": not linked on purpose
};

struct GraphStub {
    std::size_t system = 0;
    StubKind kind = StubKind::Unlinked;
};

struct MapGraph {
    std::vector<GraphSystem> systems;  // slot order
    std::vector<GraphLink> links;      // one per two-way pair, one per one-way node
    std::vector<GraphStub> stubs;      // one per jump node not linked
};

/// The graph of the map's systems as read (see CheckMap), each system marked
/// with the worst of its problems.
MapGraph BuildMapGraph(const std::vector<CheckedSystem>& systems,
                       const std::vector<MapProblem>& problems);
/// Reads the map's design files (a stored path that names no file is looked
/// up in projectFolder), checks the map and gives its graph. Touches nothing
/// but the files it reads, so it may run on any thread.
MapGraph BuildMapGraph(const MapProjectRecord& map, const std::filesystem::path& projectFolder);

}  // namespace mw
