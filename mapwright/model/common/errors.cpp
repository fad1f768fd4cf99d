#include "common/errors.h"

#include "common/message_text.h"

namespace mw {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void appendHex(std::string& out, unsigned char c) {
    out += "\\x";
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
}

// Characters that are no control byte yet move or break a dialog's line:
// the line and paragraph separators and the bidirectional overrides and
// isolates (which could show a path as another).
bool movesText(char32_t code) {
    return code == 0x2028 || code == 0x2029 || (code >= 0x202A && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069);
}

}  // namespace

std::string printableBytes(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        if (const std::size_t length = utf8SequenceLength(bytes.substr(i))) {
            char32_t code = static_cast<unsigned char>(bytes[i]) & (0x7F >> length);
            for (std::size_t k = 1; k < length; ++k)
                code = (code << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
            if (code <= 0x9F) {
                // An 8-bit control written as UTF-8.
                for (std::size_t k = 0; k < length; ++k)
                    appendHex(out, static_cast<unsigned char>(bytes[i + k]));
            } else if (movesText(code)) {
                out += "\\u";
                for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(code >> shift) & 0xF];
            } else {
                out.append(bytes.substr(i, length));
            }
            i += length;
            continue;
        }
        const char ch = bytes[i++];
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && (c < 0x7F || c > 0x9F)) {
            out += ch;
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            appendHex(out, c);
        }
    }
    return out;
}

}  // namespace mw
