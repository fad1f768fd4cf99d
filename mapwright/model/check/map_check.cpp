#include "check/map_check.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "common/errors.h"
#include "map/design_file_lookup.h"
#include "mission/mission_text_safety.h"
#include "system/object_kinds.h"
#include "system/system_model.h"

namespace mw {

namespace {

// A node id is matched against what a partner's file keeps of its leads-to.
constexpr std::size_t kLeadsToCapacity =
    slotCapacity(kKindField<ObjectKind::JumpNode, Meaning::LeadsTo>.slot);
constexpr std::string_view kOrbitsAroundField = meaningName(Meaning::OrbitsAround);
constexpr std::string_view kOwnerField = meaningName(Meaning::Owner);
constexpr std::string_view kNodeIdField = meaningName(Meaning::NodeId);
constexpr std::string_view kLeadsToField = meaningName(Meaning::LeadsTo);

std::string quote(std::string_view text) {
    return "\"" + printableBytes(text) + "\"";
}

class Checker {
  public:
    Checker(const MapProjectRecord& map, const std::vector<CheckedSystem>& systems)
        : map_(map), systems_(systems), links_(ResolveJumpLinks(systems)) {
        firstWithId_.reserve(links_.size());
        for (const JumpLink& link : links_) firstWithId_.try_emplace(link.from.nodeId(), &link);
    }

    std::vector<MapProblem> run() {
        if (systems_.empty()) add(ProblemKind::EmptyMap, "", {}, "", "the map has no systems");
        ForEachMapText(map_, [&](const MissionText& t) { unsafe(t); });
        for (std::size_t i = 0; i < systems_.size(); ++i) checkSystem(i);
        return std::move(problems_);
    }

  private:
    void add(ProblemKind kind, const std::string& system, std::optional<ObjectRef> object,
             std::string field, std::string message) {
        problems_.push_back({kind, system, object, std::move(field), std::move(message)});
    }

    void unsafe(const MissionText& t) {
        if (const auto u = FindUnsafe(t))
            add(ProblemKind::UnsafeText, u->system, u->object, u->field, u->describe());
    }

    void checkSystem(std::size_t i) {
        const std::size_t first = problems_.size();
        const CheckedSystem& s = systems_[i];
        if (!s.file) {
            add(ProblemKind::MissingSystemFile, s.name, {}, "", s.failure);
            return;
        }
        const MapSystem& f = *s.file;
        const std::string_view sun = sunText<Meaning::SunName>(f.sun);
        const std::string sunField(meaningName(Meaning::SunName));
        if (sun != s.name)
            add(ProblemKind::SlotNameMismatch, s.name, {}, sunField,
                "the map lists the system as " + quote(s.name) +
                    ", but the sun in its design file is named " + quote(sun) +
                    "; jump routes to it use the sun's name");
        for (std::size_t j = 0; j < i; ++j)
            if (systems_[j].file && sunText<Meaning::SunName>(systems_[j].file->sun) == sun) {
                add(ProblemKind::DuplicateSystem, s.name, {}, sunField,
                    "its sun is named " + quote(sun) + ", as the sun of system " +
                        quote(systems_[j].name) + " is; routes to either cannot be told apart");
                break;
            }
        ForEachSystemText(f, [&](const MissionText& t) { unsafe(t); });
        checkObjects(i);
        for (const JumpLink& link : links_)
            if (link.from.system == i) checkJumpNode(link);
        // The system's own problems first, then object by object.
        std::stable_sort(problems_.begin() + static_cast<std::ptrdiff_t>(first), problems_.end(),
                         [](const MapProblem& a, const MapProblem& b) {
                             const auto key = [](const MapProblem& p) {
                                 return p.object ? std::pair(static_cast<int>(p.object->kind) + 1,
                                                             p.object->index)
                                                 : std::pair(0, 0);
                             };
                             return key(a) < key(b);
                         });
    }

    void checkObjects(std::size_t i) {
        const CheckedSystem& s = systems_[i];
        const MapSystem& f = *s.file;
        int counts[kObjectKindCount] = {};
        for (const SdfRecord& r : f.objects) {
            const auto kind = kindOfTag(r.tag.view());
            if (!kind) continue;
            const ObjectRef at{*kind, ++counts[static_cast<int>(*kind)]};
            // Every kind with a field of the meaning gets its rule.
            if (const FieldInfo* orbits = findField(*kind, Meaning::OrbitsAround))
                checkOrbit(s, at, r, slotText(r, orbits->slot));
            if (const FieldInfo* owner = findField(*kind, Meaning::Owner))
                checkOwner(s, at, slotText(r, owner->slot));
        }
        for (int k = 0; k < kObjectKindCount; ++k)
            if (counts[k] > kKinds[static_cast<std::size_t>(k)].capacity)
                add(ProblemKind::TooManyObjects, s.name, {}, "",
                    "its design file holds " + std::to_string(counts[k]) + " " +
                        std::string(kindName(static_cast<ObjectKind>(k))) + ", more than the " +
                        std::to_string(kKinds[static_cast<std::size_t>(k)].capacity) +
                        " of a kind a system can hold; the designer cannot open it");
    }

    void checkOrbit(const CheckedSystem& s, ObjectRef at, const SdfRecord& planet,
                    std::string_view orbits) {
        if (orbits == s.name || orbits == sunText<Meaning::SunName>(s.file->sun)) return;
        for (const SdfRecord& r : s.file->objects) {
            if (&r == &planet || kindOfTag(r.tag.view()) != ObjectKind::Planet) continue;
            const std::string_view name = textField<ObjectKind::Planet, Meaning::Name>(r);
            if (!name.empty() && name == orbits) return;
        }
        add(ProblemKind::OrphanOrbit, s.name, at, std::string(kOrbitsAroundField),
            "orbits " + quote(orbits) + ", which is neither the system " + quote(s.name) +
                " nor another planet of it");
    }

    void checkOwner(const CheckedSystem& s, ObjectRef at, std::string_view owner) {
        constexpr std::string_view prefix = "Empire";
        if (owner.size() <= prefix.size() || owner.substr(0, prefix.size()) != prefix) return;
        const std::string_view digits = owner.substr(prefix.size());
        long number = 0;
        const auto [end, ec] =
            std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (ec == std::errc::invalid_argument || end != digits.data() + digits.size()) return;
        if (ec == std::errc() && number >= 1 && number <= map_.empireCount) return;
        add(ProblemKind::OwnerOutOfRange, s.name, at, std::string(kOwnerField),
            "is owned by " + quote(owner) + ", but the map has " +
                std::to_string(map_.empireCount) + " empires");
    }

    void checkJumpNode(const JumpLink& link) {
        const CheckedSystem& s = systems_[link.from.system];
        const ObjectRef at{ObjectKind::JumpNode, link.from.index};
        const std::string_view id = link.from.nodeId();
        if (id.size() > kLeadsToCapacity)
            add(ProblemKind::NodeIdTooLong, s.name, at, std::string(kNodeIdField),
                "its node id " + quote(id) + " has " + std::to_string(id.size()) +
                    " characters; a design file keeps only " + std::to_string(kLeadsToCapacity) +
                    " of a leads-to, so no node can lead here");
        // The links are in slot order: the first node with the id, when it
        // is of an earlier system, is the first of an earlier system.
        if (const JumpLink& other = *firstWithId_.at(id); other.from.system < link.from.system)
            add(ProblemKind::DuplicateNodeId, s.name, at, std::string(kNodeIdField),
                "its node id " + quote(id) + " is also the id of " +
                    objectLabel({ObjectKind::JumpNode, other.from.index}) + " of system " +
                    quote(systems_[other.from.system].name) + "; routes to it are ambiguous");
        const std::string_view leadsTo = link.from.leadsTo();
        if (link.state == LinkState::Unlinked)
            add(ProblemKind::UnlinkedNode, s.name, at, std::string(kLeadsToField),
                "leads to " + quote(leadsTo) +
                    ", which is the node id of no jump node of another system of the map; "
                    "its route will be \"0\"");
        if (link.state == LinkState::OneWay) {
            const JumpNodeAt& to = *link.to;
            add(ProblemKind::OneWayLink, s.name, at, std::string(kLeadsToField),
                "leads to " + objectLabel({ObjectKind::JumpNode, to.index}) + " of system " +
                    quote(systems_[to.system].name) + " (" + quote(to.nodeId()) +
                    "), which leads to " + quote(to.leadsTo()) + ", not back here (" + quote(id) +
                    ")");
        }
    }

    const MapProjectRecord& map_;
    const std::vector<CheckedSystem>& systems_;
    const std::vector<JumpLink> links_;
    std::unordered_map<std::string_view, const JumpLink*> firstWithId_;
    std::vector<MapProblem> problems_;
};

}  // namespace

std::vector<MapProblem> CheckMap(const MapProjectRecord& map,
                                 const std::vector<CheckedSystem>& systems) {
    return Checker(map, systems).run();
}

std::vector<MapProblem> CheckMap(const MapProjectRecord& map,
                                 const std::filesystem::path& projectFolder) {
    return CheckMap(map, ReadCheckedSystems(map, projectFolder));
}

}  // namespace mw
