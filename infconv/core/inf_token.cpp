#include "inf_token.h"

#include <cstdio>

#include "printable_bytes.h"

std::string_view cInfToken::sign(std::int32_t type) {
    switch (type) {
        case BlockStart:
            return "{";
        case BlockEnd:
            return "}";
        case Equal:
            return "=";
        case Comma:
            return ",";
        default:
            return {};
    }
}

void cInfToken::appendRendering(std::string& out, std::string_view text) const {
    switch (Type) {
        case BlockStart:
            out += "{\n";
            break;
        case BlockEnd:
            out += "}\n";
            break;
        case String:
            out += '\'';
            appendPrintableBytes(out, text);
            out += "' ";
            break;
        case SectionName:
            out += '[';
            appendPrintableBytes(out, text);
            out += "]\n";
            break;
        case Equal:
            out += "= ";
            break;
        case Number: {
            // %.2f of a float near its maximum needs about 45 characters.
            char buffer[64];
            const int n =
                std::snprintf(buffer, sizeof buffer, "%.2f ", static_cast<double>(number));
            if (n > 0)
                out.append(buffer,
                           static_cast<std::size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
            break;
        }
        case Comma:
            out += ", ";
            break;
        default:
            break;
    }
}
