#include "system/two_way_link.h"

#include <algorithm>
#include <cctype>

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

// The bytes with the node's record leading to `to`; only its leads-to field
// takes the new record's bytes.
void setLeadsTo(std::string& bytes, const NodeInFile& node, std::string_view to) {
    SdfRecord r = SdfRecord::decode(recordAt(bytes, node.offset));
    r.name = to;
    const SdfRecord::Bytes encoded = r.encode();
    const std::size_t field = SdfRecord::kNameOffset;
    bytes.replace(node.offset + field, decltype(r.name)::storedSize,
                  reinterpret_cast<const char*>(encoded.data() + field),
                  decltype(r.name)::storedSize);
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
    setLeadsTo(after, node, to);
    return FileEdit(path, bytes, after);
}

FileEdit DesignFileBytes::leadTo(const NodeInFile& node, std::string_view to,
                                 const NodeInFile& other, std::string_view otherTo) const {
    std::string after = bytes;
    setLeadsTo(after, node, to);
    setLeadsTo(after, other, otherTo);
    return FileEdit(path, bytes, after);
}

std::string LeadsToTooLong(std::string_view nodeId) {
    if (nodeId.size() <= kLeadsToInFile) return {};
    return "the node id " + quote(nodeId) + " has " + std::to_string(nodeId.size()) +
           " characters; a design file keeps only " + std::to_string(kLeadsToInFile) +
           " of a leads-to, so no node can lead there (a shorter system name gives a shorter id)";
}

namespace {

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

bool designFileName(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".sdf";
}

// The one design file of the folders whose node `nodeId` leads to `ownId`.
std::optional<OldPartner> findOldPartner(const std::vector<std::filesystem::path>& folders,
                                         std::string_view nodeId, std::string_view ownId,
                                         const std::string& ownFile) {
    std::optional<OldPartner> found;
    std::vector<std::filesystem::path> seen;
    for (const std::filesystem::path& folder : folders) {
        std::error_code ec;
        for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
             it.increment(ec)) {
            const std::filesystem::path path = it->path();
            if (!designFileName(path) || !it->is_regular_file(ec)) continue;
            if (sameFile(path, ownFile)) continue;
            if (std::any_of(seen.begin(), seen.end(),
                            [&](const auto& p) { return sameFile(p, path); }))
                continue;
            seen.push_back(path);
            try {
                const DesignFileBytes file = DesignFileBytes::Read(path.string());
                for (NodeInFile& node : file.jumpNodes()) {
                    if (node.nodeId != nodeId || node.leadsTo != ownId) continue;
                    if (found) return std::nullopt;  // which one is meant cannot be told
                    found = OldPartner{path.string(), std::move(node)};
                }
            } catch (const UserError&) {
                // A file that cannot be read is no partner.
            }
        }
    }
    return found;
}

}  // namespace

TwoWayLink PlanTwoWayLink(const std::string& partnerFile, std::string_view partnerId,
                          std::string_view ownId, std::string_view oldPartnerId,
                          const std::vector<std::filesystem::path>& folders,
                          const std::string& ownFile) {
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
    if (!oldPartnerId.empty() && oldPartnerId != partnerId &&
        oldPartnerId != placement::kJumpNodeLeadsTo)
        link.oldPartner = findOldPartner(folders, oldPartnerId, ownId, ownFile);
    const std::string_view to = link.state == PartnerState::LeadsHere ? partner->leadsTo : ownId;
    if (link.oldPartner && sameFile(link.oldPartner->path, partnerFile)) {
        // One file, both nodes: one edit, as read now.
        const std::optional<NodeInFile> old = file.nodeWithId(oldPartnerId);
        if (old && old->leadsTo == ownId)
            link.partnerEdit = file.leadTo(*partner, to, *old, placement::kJumpNodeLeadsTo);
        else
            link.oldPartner.reset();
    } else if (link.oldPartner) {
        link.oldPartnerEdit = DesignFileBytes::Read(link.oldPartner->path)
                                  .leadTo(link.oldPartner->node, placement::kJumpNodeLeadsTo);
    }
    if (link.partnerEdit.empty() && link.state != PartnerState::LeadsHere)
        link.partnerEdit = file.leadTo(*partner, ownId);
    link.partner = std::move(*partner);
    return link;
}

namespace link_text {

std::string askRelink(const std::string& partnerFile, const TwoWayLink& link,
                      std::string_view ownId) {
    std::string text;
    const NodeInFile& partner = link.partner;
    if (link.state == PartnerState::LeadsElsewhere)
        text = "Jump node " + quote(partner.nodeId) + " of " + printableBytes(partnerFile) +
               " leads to " + quote(partner.leadsTo) + " - replace? It will lead to " +
               quote(ownId) + " instead.";
    if (const std::optional<OldPartner>& old = link.oldPartner) {
        const std::string said = "Jump node " + quote(old->node.nodeId) + " of " +
                                 printableBytes(old->path) + ", which " + quote(ownId) +
                                 " leads to now, leads back to it";
        text += text.empty() ? said + " - link elsewhere? It will lead to \"0\"."
                             : " " + said + "; it will lead to \"0\".";
    }
    return text;
}

}  // namespace link_text

}  // namespace mw
