// The INF scanner: turns the bytes of a file into the token list, handling
// comments, #define and #include on the way.
#pragma once

#include "inf_token.h"
#include "inf_tokenizer_defines.h"
#include "inf_tokenizer_stream.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class cFile;

class cInfTokenizer {
public:
    // Bounds against defines that expand themselves and files that include
    // each other; real files stay far below them.
    static constexpr int kMaxDefineDepth = 256;
    static constexpr int kMaxIncludeDepth = 64;
    static constexpr std::size_t kMaxSplicedBytes = std::size_t{64} << 20;

    // `fileName` is the main file's name as it was opened (for the report).
    explicit cInfTokenizer(std::string fileName);

    // Scans the content of the main file into tokens. #include names are
    // opened relative to the current directory. File errors are thrown as
    // cFileException*; runaway expansion is reported like a syntax error.
    void scan(std::string content);

    std::size_t size() const { return tokens_.size(); }
    const cInfToken& operator[](std::size_t i) const { return tokens_[i]; }
    // Text of a String or SectionName token, the sign of a punctuation token.
    std::string_view text(const cInfToken& token) const;
    // The token as the error report shows it.
    void appendRendering(std::size_t i, std::string& out) const;

    const std::string& fileName() const { return fileName_; }
    cInfDefineTable& defines() { return defines_; }

    // Index of the token being handled; the error report is built around it.
    std::int64_t cursor = -1;

    // Reads all bytes of an open file; an empty file throws cFileException
    // (its read transfers nothing).
    static std::string readAll(cFile& file);

private:
    void push(std::int32_t type, std::size_t textStart = 0, std::size_t textEnd = 0, float number = 0);
    void scanQuoted();
    void scanDirective();
    void scanDefine();
    void scanInclude();
    void scanSectionName();
    void scanNumber(int first);
    void scanWord(int first);
    void skipComment();
    void checkDepth(const cInfCharStream::Origin& origin, const std::string& what, bool isInclude);
    void splice(cInfCharStream::Text text, cInfCharStream::Origin origin, const std::string& what,
                bool isInclude);
    [[noreturn]] void fail(const std::string& message);

    std::string fileName_;
    std::vector<cInfToken> tokens_;
    // The texts of all String and SectionName tokens, back to back.
    std::string arena_;
    cInfDefineTable defines_;
    cInfCharStream stream_;
    std::size_t splicedBytes_ = 0;
};
