#include "inf_token_ring.h"

std::string_view cInfTokenRing::text(const Entry& entry) {
    if (entry.token.Type == cInfToken::String || entry.token.Type == cInfToken::SectionName) {
        return entry.text ? entry.text->view() : std::string_view();
    }
    return cInfToken::sign(entry.token.Type);
}

void cInfTokenRing::appendRendering(std::int64_t i, std::string& out) const {
    if (!holds(i)) return;
    const Entry& entry = at(i);
    entry.token.appendRendering(out, text(entry));
}
