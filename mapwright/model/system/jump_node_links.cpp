#include "system/jump_node_links.h"

namespace mw {

std::size_t JumpNodeLinks::assign(std::vector<JumpNodeLink> nodes) {
    const std::size_t dropped = nodes.size() > kCapacity ? nodes.size() - kCapacity : 0;
    nodes.resize(nodes.size() - dropped);
    nodes_ = std::move(nodes);
    return dropped;
}

std::vector<std::string> JumpNodeLinks::chooserEntries() const {
    std::vector<std::string> entries{std::string(kNotConnected)};
    for (const JumpNodeLink& node : nodes_) entries.push_back(node.nodeId);
    return entries;
}

std::optional<std::string> JumpNodeLinks::leadsToShown(std::string_view chosen) const {
    if (chosen == kNotConnected) return std::string(kNotConnected);
    for (const JumpNodeLink& node : nodes_)
        if (node.nodeId == chosen) return node.leadsTo;
    return std::nullopt;
}

}  // namespace mw
