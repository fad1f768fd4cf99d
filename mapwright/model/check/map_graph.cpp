#include "check/map_graph.h"

#include "check/map_check.h"

namespace mw {

MapGraph BuildMapGraph(const std::vector<CheckedSystem>& systems,
                       const std::vector<MapProblem>& problems) {
    MapGraph graph;
    for (const CheckedSystem& s : systems) {
        GraphSystem& g = graph.systems.emplace_back();
        g.name = s.name;
        g.readable = s.file.has_value();
        for (const MapProblem& p : problems) {
            if (p.system != s.name) continue;
            if (severityOf(p.kind) == Severity::Error)
                g.state = SystemState::Errors;
            else if (g.state == SystemState::Fine)
                g.state = SystemState::Warnings;
        }
    }
    for (const JumpLink& link : ResolveJumpLinks(systems)) {
        const std::size_t from = link.from.system;
        switch (link.state) {
            case LinkState::NoLink:
                graph.stubs.push_back({from, StubKind::NoLink});
                break;
            case LinkState::Unlinked:
                graph.stubs.push_back({from, StubKind::Unlinked});
                break;
            case LinkState::OneWay:
                graph.links.push_back({from, link.to->system, LinkShape::OneWay});
                break;
            case LinkState::TwoWay:
                // Both nodes of the pair see it; the one of the earlier system draws it.
                if (from < link.to->system)
                    graph.links.push_back({from, link.to->system, LinkShape::TwoWay});
                break;
        }
    }
    return graph;
}

MapGraph BuildMapGraph(const MapProjectRecord& map, const std::filesystem::path& projectFolder) {
    const std::vector<CheckedSystem> systems = ReadCheckedSystems(map, projectFolder);
    return BuildMapGraph(systems, CheckMap(map, systems));
}

}  // namespace mw
