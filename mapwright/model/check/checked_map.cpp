#include "check/checked_map.h"

#include <unordered_map>

#include "common/errors.h"
#include "map/design_file_lookup.h"

namespace mw {

std::vector<CheckedSystem> ReadCheckedSystems(const MapProjectRecord& map,
                                              const std::filesystem::path& projectFolder) {
    std::vector<CheckedSystem> systems;
    for (const SystemSlot& slot : map.systems) {
        if (slot.empty()) continue;
        CheckedSystem& s = systems.emplace_back();
        s.name = slot.systemName.str();
        const std::string stored = slot.designFile.str();
        const std::optional<std::string> path = LocateDesignFileNear(stored, projectFolder);
        if (!path) {
            s.failure = DesignFileProblem(stored, projectFolder);
            continue;
        }
        try {
            s.file = ReadMapSystem(slot, *path);
        } catch (const UserError& e) {
            s.failure = std::string("the design file cannot be read: ") + e.what();
        }
    }
    return systems;
}

std::vector<JumpNodeAt> JumpNodesOf(const std::vector<CheckedSystem>& systems) {
    std::vector<JumpNodeAt> nodes;
    for (std::size_t i = 0; i < systems.size(); ++i) {
        if (!systems[i].file) continue;
        int index = 0;
        for (const SdfRecord& r : systems[i].file->objects)
            if (r.tag.view() == sdf_tag::kJumpNode) nodes.push_back({i, ++index, &r});
    }
    return nodes;
}

std::vector<JumpLink> ResolveJumpLinks(const std::vector<CheckedSystem>& systems) {
    const std::vector<JumpNodeAt> nodes = JumpNodesOf(systems);
    // Per node id, the first node that has it and the first of another
    // system than that one: the first node of any other system is one of
    // the two, so every node finds its partner in one look-up.
    struct Holders {
        std::size_t first = 0;
        std::optional<std::size_t> otherSystem;
    };
    std::unordered_map<std::string_view, Holders> byId;
    byId.reserve(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const auto [it, fresh] = byId.try_emplace(nodes[i].nodeId(), Holders{i, std::nullopt});
        if (!fresh && !it->second.otherSystem && nodes[it->second.first].system != nodes[i].system)
            it->second.otherSystem = i;
    }
    const auto partnerOf = [&](const JumpNodeAt& from) -> std::optional<JumpNodeAt> {
        const auto it = byId.find(from.leadsTo());
        if (it == byId.end()) return std::nullopt;
        if (nodes[it->second.first].system != from.system) return nodes[it->second.first];
        if (it->second.otherSystem) return nodes[*it->second.otherSystem];
        return std::nullopt;
    };
    std::vector<JumpLink> links;
    links.reserve(nodes.size());
    for (const JumpNodeAt& from : nodes) {
        JumpLink& link = links.emplace_back();
        link.from = from;
        if (from.leadsTo() == "0") continue;
        link.to = partnerOf(from);
        if (!link.to)
            link.state = LinkState::Unlinked;
        else
            link.state = partnerOf(*link.to) == from ? LinkState::TwoWay : LinkState::OneWay;
    }
    return links;
}

}  // namespace mw
