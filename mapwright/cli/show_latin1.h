#pragma once
// The design files' single-byte texts as UTF-8 for JSON: each byte is read as
// Latin-1, so every byte survives and maps back one to one.

#include <string>
#include <string_view>

namespace mw::cli {

inline std::string latin1ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

}  // namespace mw::cli
