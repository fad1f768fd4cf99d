// One lexical unit of INF text.
#pragma once

#include <cstdint>
#include <string>

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

    cInfToken() = default;
    cInfToken(std::int32_t type, std::string text, float number = 0.0f)
        : Type(type), text(std::move(text)), number(number) {}

    static cInfToken punctuation(std::int32_t type);
    static cInfToken makeNumber(float value) { return cInfToken(Number, std::string(), value); }

    // Appends the form the error report shows for this token.
    void appendRendering(std::string& out) const;

    std::int32_t Type = String;
    std::string text;
    float number = 0.0f;
};
