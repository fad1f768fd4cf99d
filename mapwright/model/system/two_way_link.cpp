#include "system/two_way_link.h"

#include "common/errors.h"
#include "common/file_bytes.h"
#include "system/design_file_reader.h"
#include "system/system_model.h"

namespace mw {

namespace {

std::string quote(std::string_view text) {
    return "\"" + printableBytes(text) + "\"";
}

const std::uint8_t* recordAt(const std::string& bytes, std::size_t offset) {
    return reinterpret_cast<const std::uint8_t*>(bytes.data() + offset);
}

}  // namespace

DesignFileBytes DesignFileBytes::Read(const std::string& path) {
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes || bytes->empty() || bytes->size() % kSdfRecordSize != 0) {
        // The design file reader names what is wrong as the designer's Open does.
        ReadDesignFile(path);
        throw IoError(path, "read", "not a whole design file");
    }
    return {path, std::move(*bytes)};
}

std::vector<NodeInFile> DesignFileBytes::jumpNodes() const {
    std::vector<NodeInFile> nodes;
    // The first record is the header whatever its tag says.
    for (std::size_t at = kSdfRecordSize; at + kSdfRecordSize <= bytes.size();
         at += kSdfRecordSize) {
        const SdfRecord r = SdfRecord::decode(recordAt(bytes, at));
        if (r.tag.view() != sdf_tag::kJumpNode) continue;
        nodes.push_back({static_cast<int>(nodes.size()) + 1, at, r.textA.str(), r.name.str()});
    }
    return nodes;
}

std::optional<NodeInFile> DesignFileBytes::nodeWithId(std::string_view nodeId) const {
    for (NodeInFile& node : jumpNodes())
        if (node.nodeId == nodeId) return std::move(node);
    return std::nullopt;
}

FileEdit DesignFileBytes::leadTo(const NodeInFile& node, std::string_view to) const {
    std::string after = bytes;
    SdfRecord r = SdfRecord::decode(recordAt(bytes, node.offset));
    r.name = to;
    // Only the leads-to field takes the new record's bytes.
    const SdfRecord::Bytes encoded = r.encode();
    const std::size_t field = SdfRecord::kNameOffset;
    after.replace(node.offset + field, decltype(r.name)::storedSize,
                  reinterpret_cast<const char*>(encoded.data() + field),
                  decltype(r.name)::storedSize);
    return FileEdit(path, bytes, after);
}

std::string LeadsToTooLong(std::string_view nodeId) {
    if (nodeId.size() <= kLeadsToInFile) return {};
    return "the node id " + quote(nodeId) + " has " + std::to_string(nodeId.size()) +
           " characters; a design file keeps only " + std::to_string(kLeadsToInFile) +
           " of a leads-to, so no node can lead there (a shorter system name gives a shorter id)";
}

TwoWayLink PlanTwoWayLink(const std::string& partnerFile, std::string_view partnerId,
                          std::string_view ownId) {
    if (const std::string tooLong = LeadsToTooLong(partnerId); !tooLong.empty())
        throw UserError(printableBytes(partnerFile) + ": " + tooLong);
    if (const std::string tooLong = LeadsToTooLong(ownId); !tooLong.empty())
        throw UserError("This jump node cannot be linked both ways: " + tooLong + ", and " +
                        printableBytes(partnerFile) + " would keep it cut");
    const DesignFileBytes file = DesignFileBytes::Read(partnerFile);
    std::optional<NodeInFile> partner = file.nodeWithId(partnerId);
    if (!partner)
        throw UserError(printableBytes(partnerFile) + ": holds no jump node " + quote(partnerId) +
                        ", so nothing there can lead back to " + quote(ownId));
    TwoWayLink link;
    if (partner->leadsTo == ownId)
        link.state = PartnerState::LeadsHere;
    else if (partner->leadsTo == placement::kJumpNodeLeadsTo)
        link.state = PartnerState::Free;
    else
        link.state = PartnerState::LeadsElsewhere;
    if (link.state != PartnerState::LeadsHere) link.partnerEdit = file.leadTo(*partner, ownId);
    link.partner = std::move(*partner);
    return link;
}

namespace link_text {

std::string askReplace(const std::string& partnerFile, const NodeInFile& partner,
                       std::string_view ownId) {
    return "Jump node " + quote(partner.nodeId) + " of " + printableBytes(partnerFile) +
           " leads to " + quote(partner.leadsTo) + " - replace? It will lead to " + quote(ownId) +
           " instead.";
}

}  // namespace link_text

}  // namespace mw
