#include "inf_token.h"

#include <cstdio>

cInfToken cInfToken::punctuation(std::int32_t type) {
    switch (type) {
    case BlockStart: return cInfToken(type, "{");
    case BlockEnd: return cInfToken(type, "}");
    case Equal: return cInfToken(type, "=");
    case Comma: return cInfToken(type, ",");
    default: return cInfToken(type, std::string());
    }
}

void cInfToken::appendRendering(std::string& out) const {
    switch (Type) {
    case BlockStart: out += "{\n"; break;
    case BlockEnd: out += "}\n"; break;
    case String:
        out += '\'';
        out += text;
        out += "' ";
        break;
    case SectionName:
        out += '[';
        out += text;
        out += "]\n";
        break;
    case Equal: out += "= "; break;
    case Number: {
        // %.2f of a float that overflowed to a huge value can need ~50 chars.
        char buffer[64];
        int n = std::snprintf(buffer, sizeof buffer, "%.2f ", static_cast<double>(number));
        if (n > 0) out.append(buffer, static_cast<std::size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
        break;
    }
    case Comma: out += ", "; break;
    default: break;
    }
}
