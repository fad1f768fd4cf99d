#pragma once
// The map as the check and the map picture see it: each filled slot's design
// file (found by the moved-folder lookup) and where each jump node leads.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "map/map_project_record.h"
#include "map/map_systems.h"

namespace mw {

/// One filled slot of the map.
struct CheckedSystem {
    std::string name;               // the slot's system name
    std::optional<MapSystem> file;  // nothing when the design file cannot be found or read
    std::string failure;            // then why, with the path and the reason
};

/// Every filled slot in slot order. A stored path that names no file is
/// looked up beside the project file (in projectFolder; empty when the map
/// has no project file).
std::vector<CheckedSystem> ReadCheckedSystems(const MapProjectRecord& map,
                                              const std::filesystem::path& projectFolder);

/// A jump node of the map: its system (index into the checked systems), its
/// index as the designer numbers it, and its record.
struct JumpNodeAt {
    std::size_t system = 0;
    int index = 0;
    const SdfRecord* record = nullptr;
    std::string_view nodeId() const { return record->textA.view(); }
    std::string_view leadsTo() const { return record->name.view(); }
    bool operator==(const JumpNodeAt& o) const { return system == o.system && index == o.index; }
};

enum class LinkState {
    NoLink,    // leads to "0": not linked on purpose
    Unlinked,  // leads to no node id of another system
    OneWay,    // the node it leads to leads elsewhere
    TwoWay,    // the node it leads to leads back
};

struct JumpLink {
    JumpNodeAt from;
    std::optional<JumpNodeAt> to;  // the first node of another system, in slot
                                   // and file order, whose id is the leads-to
    LinkState state = LinkState::NoLink;
};

/// Every jump node of the readable systems, in slot and file order.
std::vector<JumpNodeAt> JumpNodesOf(const std::vector<CheckedSystem>& systems);
/// Where every jump node leads, in the order of JumpNodesOf.
std::vector<JumpLink> ResolveJumpLinks(const std::vector<CheckedSystem>& systems);

}  // namespace mw
