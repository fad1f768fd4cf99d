#include "check/map_links.h"

#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "common/errors.h"
#include "map/design_file_lookup.h"
#include "system/system_model.h"
#include "system/two_way_link.h"

namespace mw {

namespace {

std::string quote(std::string_view text) {
    return "\"" + printableBytes(text) + "\"";
}

// A filled slot of the map with its design file's bytes as they are now.
struct LinkedSystem {
    std::string name;
    DesignFileBytes file;
    std::vector<NodeInFile> nodes;
};

LinkedSystem readSystem(const MapProjectRecord& map, const std::filesystem::path& folder,
                        std::size_t system) {
    std::size_t filled = 0;
    for (const SystemSlot& slot : map.systems) {
        if (slot.empty() || filled++ != system) continue;
        const std::string stored = slot.designFile.str();
        const std::optional<std::string> path = LocateDesignFileNear(stored, folder);
        if (!path)
            throw UserError("System " + quote(slot.systemName.view()) +
                            " cannot be linked: " + DesignFileProblem(stored, folder));
        LinkedSystem s{slot.systemName.str(), DesignFileBytes::Read(*path), {}};
        s.nodes = s.file.jumpNodes();
        return s;
    }
    throw UserError("The map has no system " + std::to_string(system + 1));
}

const NodeInFile& freeNode(const LinkedSystem& s) {
    for (const NodeInFile& node : s.nodes) {
        if (node.leadsTo != placement::kJumpNodeLeadsTo) continue;
        if (const std::string tooLong = LeadsToTooLong(node.nodeId); !tooLong.empty())
            throw UserError("System " + quote(s.name) + " cannot be linked: " + tooLong);
        return node;
    }
    throw UserError("System " + quote(s.name) + " has no free jump node (" +
                    (s.nodes.empty() ? std::string("it has no jump node at all")
                                     : "each of its " + std::to_string(s.nodes.size()) +
                                           " jump nodes leads somewhere already") +
                    "); place one in the designer, leading to \"0\"");
}

void requireTwoFiles(const LinkedSystem& a, const LinkedSystem& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a.file.path, b.file.path, ec))
        throw UserError("Systems " + quote(a.name) + " and " + quote(b.name) +
                        " share one design file, " + printableBytes(a.file.path) +
                        "; link systems of two files");
}

}  // namespace

CheckFix LinkSystemsBothWays(const MapProjectRecord& map, const std::filesystem::path& folder,
                             std::size_t from, std::size_t to) {
    if (from == to) throw UserError("A system is not linked with itself");
    const LinkedSystem a = readSystem(map, folder, from);
    const LinkedSystem b = readSystem(map, folder, to);
    requireTwoFiles(a, b);
    const NodeInFile& na = freeNode(a);
    const NodeInFile& nb = freeNode(b);
    CheckFix fix;
    fix.caption = "Link " + a.name + " and " + b.name;
    fix.change = a.name + ": " + objectLabel({ObjectKind::JumpNode, na.index}) + " (" +
                 quote(na.nodeId) + ") and " + b.name + ": " +
                 objectLabel({ObjectKind::JumpNode, nb.index}) + " (" + quote(nb.nodeId) +
                 ") lead to each other";
    fix.files = {a.file.leadTo(na, nb.nodeId), b.file.leadTo(nb, na.nodeId)};
    return fix;
}

CheckFix UnlinkSystems(const MapProjectRecord& map, const std::filesystem::path& folder,
                       std::size_t from, std::size_t to) {
    const LinkedSystem a = readSystem(map, folder, from);
    const LinkedSystem b = readSystem(map, folder, to);
    requireTwoFiles(a, b);
    const auto partnerOf = [](const NodeInFile& n, const LinkedSystem& s) -> const NodeInFile* {
        for (const NodeInFile& m : s.nodes)
            if (m.nodeId == n.leadsTo) return &m;
        return nullptr;
    };
    CheckFix fix;
    fix.caption = "Remove link " + a.name + " - " + b.name;
    for (const NodeInFile& na : a.nodes) {
        const NodeInFile* nb = partnerOf(na, b);
        if (!nb || nb->leadsTo != na.nodeId) continue;
        fix.change = quote(na.nodeId) + " and " + quote(nb->nodeId) + " lead to \"0\"";
        fix.files = {a.file.leadTo(na, placement::kJumpNodeLeadsTo),
                     b.file.leadTo(*nb, placement::kJumpNodeLeadsTo)};
        return fix;
    }
    for (const NodeInFile& na : a.nodes) {
        if (!partnerOf(na, b)) continue;
        fix.change = quote(na.nodeId) + " leads to \"0\"";
        fix.files = {a.file.leadTo(na, placement::kJumpNodeLeadsTo)};
        return fix;
    }
    throw UserError("No jump node of " + quote(a.name) + " leads to " + quote(b.name));
}

}  // namespace mw
