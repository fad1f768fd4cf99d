// How the INF scanner classifies bytes, shared by the scanner and the direct
// parser so that both read text the same way.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace inf_scan {

using ByteSet = std::array<bool, 256>;

constexpr ByteSet makeSet(std::string_view bytes) {
    ByteSet set{};
    for (char c : bytes) set[static_cast<unsigned char>(c)] = true;
    return set;
}

// Bytes that end a directive word and a define name.
inline constexpr ByteSet kEndsDirective = makeSet("[={};\r\t #");
// Bytes that end a bare word (space and LF do not).
inline constexpr ByteSet kEndsWord = makeSet(",[={};\r\t#");

// Bytes between tokens: white space and non-ASCII.
constexpr ByteSet makeBetween() {
    ByteSet set{};
    for (int c = 0; c < 256; ++c) set[static_cast<std::size_t>(c)] = c <= 0x20 || c >= 0x80;
    return set;
}
inline constexpr ByteSet kBetweenTokens = makeBetween();

// Bytes that start a bare word: 0x21..0x7F other than those with a token of
// their own, the number bytes and the comment.
constexpr ByteSet makeWordStarts() {
    ByteSet set{};
    for (int c = 0x21; c < 0x80; ++c) set[static_cast<std::size_t>(c)] = true;
    for (char c : std::string_view("\"#,={};[.-0123456789"))
        set[static_cast<unsigned char>(c)] = false;
    return set;
}
inline constexpr ByteSet kStartsWord = makeWordStarts();

inline bool isTrimSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
inline bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}
inline bool isNumberByte(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}
inline bool startsNumber(int c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '-';
}

// The first byte of a word is no white space, so only the end needs trimming.
inline std::string_view trimmedEnd(std::string_view word) {
    std::size_t end = word.size();
    while (end > 0 && isTrimSpace(word[end - 1])) --end;
    return word.substr(0, end);
}

// Section names lose the bytes 0x00..0x20 on both sides.
inline std::string_view trimmedBlanks(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    return text.substr(b, e - b);
}

}  // namespace inf_scan
