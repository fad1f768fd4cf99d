#include "printable_bytes.h"

namespace {

bool needsEscape(unsigned char c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

void appendPrintableBytes(std::string& out, std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (!needsEscape(c)) {
            out += ch;
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
}

std::string printableBytes(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    appendPrintableBytes(out, bytes);
    return out;
}
