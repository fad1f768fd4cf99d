#include "inf_token_ring.h"

cInfTokenRing::Entry& cInfTokenRing::open() {
    Entry& entry = entries_[static_cast<std::size_t>(total_ & kMask)];
    if (entry.text.capacity() > kKeptTextCapacity) {
        std::string().swap(entry.text);
    } else {
        entry.text.clear();
    }
    entry.token = cInfToken();
    return entry;
}

std::string_view cInfTokenRing::text(const Entry& entry) {
    if (entry.token.Type == cInfToken::String || entry.token.Type == cInfToken::SectionName) {
        return entry.text;
    }
    return cInfToken::sign(entry.token.Type);
}

void cInfTokenRing::appendRendering(std::int64_t i, std::string& out) const {
    if (!holds(i)) return;
    const Entry& entry = at(i);
    entry.token.appendRendering(out, entry.text);
}
