#include "check/check_fixes.h"

#include <algorithm>

#include "check/checked_map.h"
#include "common/errors.h"
#include "common/file_bytes.h"
#include "map/design_file_lookup.h"
#include "map/project_file.h"
#include "system/system_model.h"
#include "system/two_way_link.h"

namespace mw {

namespace {

std::string quote(std::string_view text) {
    return "\"" + printableBytes(text) + "\"";
}

// The map's design files as they are now, with the path each was found at.
class FixableMap {
  public:
    FixableMap(const MapProjectRecord& map, const std::filesystem::path& folder)
        : systems_(ReadCheckedSystems(map, folder)), links_(ResolveJumpLinks(systems_)) {
        for (std::size_t slot = 0; slot < map.systems.size(); ++slot) {
            const SystemSlot& s = map.systems[slot];
            if (s.empty()) continue;
            slots_.push_back(slot);
            paths_.push_back(LocateDesignFileNear(s.designFile.str(), folder).value_or(""));
        }
    }

    std::optional<std::size_t> systemNamed(std::string_view name) const {
        for (std::size_t i = 0; i < systems_.size(); ++i)
            if (systems_[i].name == name && systems_[i].file) return i;
        return std::nullopt;
    }
    const JumpLink* linkFrom(std::size_t system, int index) const {
        for (const JumpLink& link : links_)
            if (link.from.system == system && link.from.index == index) return &link;
        return nullptr;
    }
    // The edit that makes the node lead to `to`, from the file's bytes now;
    // nothing when the file no longer holds the node as the check saw it.
    std::optional<FileEdit> leadTo(const JumpNodeAt& node, std::string_view to) const {
        const DesignFileBytes file = DesignFileBytes::Read(paths_[node.system]);
        const std::vector<NodeInFile> nodes = file.jumpNodes();
        if (node.index < 1 || static_cast<std::size_t>(node.index) > nodes.size()) return {};
        const NodeInFile& at = nodes[static_cast<std::size_t>(node.index) - 1];
        if (at.nodeId != node.nodeId() || at.leadsTo != node.leadsTo()) return {};
        return file.leadTo(at, to);
    }
    std::string where(const JumpNodeAt& node) const {
        return systems_[node.system].name + ": " + objectLabel({ObjectKind::JumpNode, node.index}) +
               " (" + quote(node.nodeId()) + ", in " + printableBytes(paths_[node.system]) + ")";
    }

    const std::vector<CheckedSystem>& systems() const { return systems_; }
    std::size_t slotOf(std::size_t system) const { return slots_[system]; }

  private:
    std::vector<CheckedSystem> systems_;
    std::vector<JumpLink> links_;
    std::vector<std::size_t> slots_;
    std::vector<std::string> paths_;
};

std::optional<CheckFix> makeTwoWay(const FixableMap& m, const JumpLink& link) {
    if (link.state != LinkState::OneWay || !link.to) return std::nullopt;
    const JumpNodeAt& partner = *link.to;
    const std::string_view ownId = link.from.nodeId();
    if (ownId.size() > kLeadsToInFile) return std::nullopt;  // it would be stored cut
    // Safe only when the partner's own link goes nowhere: "0" or no node.
    const JumpLink* partnerLink = m.linkFrom(partner.system, partner.index);
    if (!partnerLink ||
        (partnerLink->state != LinkState::NoLink && partnerLink->state != LinkState::Unlinked))
        return std::nullopt;
    std::optional<FileEdit> edit = m.leadTo(partner, ownId);
    if (!edit) return std::nullopt;
    return CheckFix{std::string(fix_caption::kMakeTwoWay),
                    m.where(partner) + " leads back to " + quote(ownId) + " instead of " +
                        quote(partner.leadsTo()),
                    {std::move(*edit)},
                    std::nullopt};
}

std::optional<CheckFix> setToZero(const FixableMap& m, const JumpLink& link) {
    if (link.state != LinkState::Unlinked) return std::nullopt;
    std::optional<FileEdit> edit = m.leadTo(link.from, placement::kJumpNodeLeadsTo);
    if (!edit) return std::nullopt;
    return CheckFix{std::string(fix_caption::kSetToZero),
                    m.where(link.from) + " leads to \"0\" instead of " + quote(link.from.leadsTo()),
                    {std::move(*edit)},
                    std::nullopt};
}

std::optional<CheckFix> useSunName(const FixableMap& m, std::size_t system) {
    const CheckedSystem& s = m.systems()[system];
    const std::string sun = s.file->sun.name.str();
    if (sun.empty() || sun == s.name) return std::nullopt;
    for (const CheckedSystem& other : m.systems())
        if (other.name == sun) return std::nullopt;  // two slots of one name
    return CheckFix{
        std::string(fix_caption::kUseSunName),
        "the map lists system " + quote(s.name) + " as " + quote(sun) + ", the name of its sun",
        {},
        SlotRename{m.slotOf(system), s.name, sun}};
}

std::optional<CheckFix> fixFor(const FixableMap& m, const MapProblem& problem) {
    const std::optional<std::size_t> system = m.systemNamed(problem.system);
    if (!system) return std::nullopt;
    if (problem.kind == ProblemKind::SlotNameMismatch) return useSunName(m, *system);
    if (!problem.object || problem.object->kind != ObjectKind::JumpNode) return std::nullopt;
    const JumpLink* link = m.linkFrom(*system, problem.object->index);
    if (!link) return std::nullopt;
    try {
        if (problem.kind == ProblemKind::OneWayLink) return makeTwoWay(m, *link);
        if (problem.kind == ProblemKind::UnlinkedNode) return setToZero(m, *link);
    } catch (const UserError&) {
        // A file that cannot be read now offers nothing to fix.
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::optional<CheckFix>> FixesFor(const std::vector<MapProblem>& problems,
                                              const MapProjectRecord& map,
                                              const std::filesystem::path& projectFolder) {
    std::vector<std::optional<CheckFix>> fixes(problems.size());
    const auto fixable = [](ProblemKind kind) {
        return kind == ProblemKind::OneWayLink || kind == ProblemKind::UnlinkedNode ||
               kind == ProblemKind::SlotNameMismatch;
    };
    if (std::none_of(problems.begin(), problems.end(),
                     [&](const MapProblem& p) { return fixable(p.kind); }))
        return fixes;
    const FixableMap m(map, projectFolder);
    for (std::size_t i = 0; i < problems.size(); ++i)
        if (fixable(problems[i].kind)) fixes[i] = fixFor(m, problems[i]);
    return fixes;
}

std::optional<CheckFix> FixFor(const MapProblem& problem, const MapProjectRecord& map,
                               const std::filesystem::path& projectFolder) {
    return FixesFor({problem}, map, projectFolder).front();
}

FileEdit ProjectRenameEdit(const std::string& path, const SlotRename& rename) {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    MapProjectRecord record = ReadProjectFile(path);
    SystemSlot& slot = record.systems.at(rename.slot);
    if (slot.systemName.view() != rename.from)
        throw UserError(printableBytes(path) + ": the map no longer lists system " +
                        quote(rename.from));
    slot.systemName = rename.to;
    const ProjectBytes encoded = EncodeProject(record);
    // What a longer file holds behind the record stays.
    std::string after(reinterpret_cast<const char*>(encoded.data()), encoded.size());
    if (bytes && bytes->size() > after.size()) after += bytes->substr(after.size());
    return FileEdit(path, bytes.value_or(""), after);
}

}  // namespace mw
