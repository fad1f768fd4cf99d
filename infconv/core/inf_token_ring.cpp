#include "inf_token_ring.h"

void cInfTokenRing::releaseText(Entry& entry) { std::string().swap(entry.text); }

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
