// One lexical unit of INF text.
//
// Tokens are small plain values: the text of String and SectionName tokens
// lives in the token list's text arena (cInfTokenizer), so a token costs no
// heap allocation of its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class cInfToken {
  public:
    // The numeric kinds are part of the token list's observable behaviour
    // (reports, tests), so they are fixed.
    enum Kind : std::int32_t {
        BlockStart = 0,
        BlockEnd = 1,
        String = 2,
        SectionName = 3,
        Equal = 4,
        Number = 5,
        Comma = 6,
    };

    // The sign of a punctuation kind ("{", "}", "=", ","); empty otherwise.
    static std::string_view sign(std::int32_t type);

    // Appends the form the error report shows for this token; `text` is the
    // token's text (for String and SectionName).
    void appendRendering(std::string& out, std::string_view text) const;

    std::int32_t Type = String;
    float number = 0.0f;
    std::uint32_t textOffset = 0;
    std::uint32_t textLength = 0;
};
