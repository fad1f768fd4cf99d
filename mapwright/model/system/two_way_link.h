#pragma once
// Linking two jump nodes both ways: this system's node leads to a node of
// another system's design file, and that file is changed so its node leads
// back here. Only the leads-to field of the partner's record changes; every
// other byte of the file stays as it was. A node id that the file's 20
// characters of leads-to cannot hold is refused, never stored cut.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_edit.h"
#include "system/sdf_record.h"

namespace mw {

/// How many characters a design file keeps of a jump node's leads-to: a node
/// id longer than this can be no node's leads-to.
inline constexpr std::size_t kLeadsToInFile = decltype(SdfRecord::name)::capacity;

/// A jump node of a design file as stored: numbered 1, 2, ... in file order
/// as the designer numbers it when it opens the file.
struct NodeInFile {
    int index = 0;
    std::size_t offset = 0;  // of its record in the file
    std::string nodeId;
    std::string leadsTo;
};

/// A design file's bytes, read whole to change records in place.
struct DesignFileBytes {
    std::string path;
    std::string bytes;

    /// IoError naming the file when it is missing, not a regular file, empty
    /// or not made of whole records.
    static DesignFileBytes Read(const std::string& path);
    /// Its jump nodes in file order.
    std::vector<NodeInFile> jumpNodes() const;
    /// The first jump node with the id; nothing when none has it.
    std::optional<NodeInFile> nodeWithId(std::string_view nodeId) const;
    /// The change of the file that makes the node lead to `to` (at most
    /// kLeadsToInFile characters), every other byte kept.
    FileEdit leadTo(const NodeInFile& node, std::string_view to) const;
    /// The same for two nodes of the file at once.
    FileEdit leadTo(const NodeInFile& node, std::string_view to, const NodeInFile& other,
                    std::string_view otherTo) const;
};

enum class PartnerState {
    Free,            // leads to "0"
    LeadsHere,       // leads back to this node already
    LeadsElsewhere,  // leads to another node: replacing that link needs a Yes
};

/// The node this node led to before it is linked elsewhere, when that node
/// leads back here: it is left leading to "0", so that it does not lead here
/// one way.
struct OldPartner {
    std::string path;
    NodeInFile node;
};

struct TwoWayLink {
    NodeInFile partner;
    PartnerState state = PartnerState::Free;
    /// The partner's file with its node leading here (and the old partner's
    /// leading to "0" when they share the file); empty when nothing changes.
    FileEdit partnerEdit;
    std::optional<OldPartner> oldPartner;
    /// The old partner's file with its node leading to "0", when it is another file.
    FileEdit oldPartnerEdit;
};

/// Plans linking this system's node `ownId` with the node `partnerId` of the
/// design file at `partnerFile`, both ways. UserError naming the file when
/// it cannot be read, holds no node of that id, or when either id is longer
/// than a leads-to keeps. When this node leads to `oldPartnerId` now (another
/// node than `partnerId`, not "0"), the one design file of `folders` (other
/// than `ownFile`) whose node of that id leads back here is the old partner;
/// none is taken when no file, or more than one, holds such a node.
TwoWayLink PlanTwoWayLink(const std::string& partnerFile, std::string_view partnerId,
                          std::string_view ownId, std::string_view oldPartnerId = {},
                          const std::vector<std::filesystem::path>& folders = {},
                          const std::string& ownFile = {});

/// A chosen node id that no leads-to can keep: empty when it fits (or is "0").
std::string LeadsToTooLong(std::string_view nodeId);

namespace link_text {
/// The question before the link is made, when it replaces the partner's
/// link or takes the old partner's; empty when there is nothing to ask.
std::string askRelink(const std::string& partnerFile, const TwoWayLink& link,
                      std::string_view ownId);
}  // namespace link_text

}  // namespace mw
