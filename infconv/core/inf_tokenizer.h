// The INF scanner: turns the bytes of a file into tokens, handling comments,
// #define and #include on the way.
//
// The parser pulls tokens one at a time (start, then next); the recent ones
// stay in a ring for the error report. scan() collects the tokens of a whole
// text into a list instead, for looking at what the scanner makes of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cfile.h"
#include "inf_token.h"
#include "inf_token_ring.h"
#include "inf_tokenizer_defines.h"
#include "inf_tokenizer_stream.h"

class cInfTokenizer {
  public:
    // Bounds against defines that expand themselves and files that include
    // each other; real files stay far below them.
    static constexpr int kMaxDefineDepth = 256;
    static constexpr int kMaxIncludeDepth = 64;
    static constexpr std::size_t kMaxSplicedBytes = std::size_t{64} << 20;

    // `fileName` is the main file's name as it was opened (for the report);
    // #include names are looked up in `directory` (which must outlive the
    // tokenizer; by default the current directory). Token texts are interned in `arena`
    // (the tree's, so the parser hands them on as they are), or in an arena
    // of the tokenizer's own.
    explicit cInfTokenizer(std::string fileName, const os::Dir& directory = os::currentDir(),
                           cInfArena* arena = nullptr);

    // Starts on the content of the main file.
    void start(std::string content);
    // Scans the next token into the ring; false at the end of the text (and
    // on every later call). File errors are thrown as cFileException*;
    // runaway expansion is reported like a syntax error.
    bool next();
    const cInfTokenRing& ring() const { return ring_; }

    // Scans the whole content into the token list (start and next to the end).
    void scan(std::string content);
    std::size_t size() const { return tokens_.size(); }
    const cInfToken& operator[](std::size_t i) const { return tokens_[i]; }
    // Text of a listed String or SectionName token, the sign of a punctuation token.
    std::string_view text(const cInfToken& token) const;
    // The listed token as the error report shows it.
    void appendRendering(std::size_t i, std::string& out) const;

    const std::string& fileName() const { return fileName_; }
    // Every file an #include took in so far, in the order opened.
    const std::vector<cFile::Identity>& includedFiles() const { return included_; }
    cInfDefineTable& defines() { return defines_; }

    // Reads all bytes of an open file; an empty file throws cFileException
    // (its read transfers nothing).
    static std::string readAll(cFile& file);

  private:
    void push(std::int32_t type, float number = 0);
    void pushText(std::int32_t type, std::string_view text);
    // The slow paths, for tokens that run over the end of a stream segment.
    void scanQuoted();
    void scanDirective();
    void scanDefine();
    void scanInclude();
    void scanSectionName();
    void scanNumber(int first);
    void scanWord(int first);
    // A complete word: a token, or a define spliced in its place.
    void takeWord(std::string_view word);
    void skipComment();
    void checkDepth(const cInfCharStream::Origin& origin, const std::string& what, bool isInclude);
    void splice(cInfCharStream::Text text, cInfCharStream::Origin origin, const std::string& what,
                bool isInclude);
    [[noreturn]] void fail(const std::string& message);

    std::string fileName_;
    const os::Dir* directory_;
    std::unique_ptr<cInfArena> ownArena_;
    cInfArena* arena_;
    std::vector<cFile::Identity> included_;
    cInfTokenRing ring_;
    // Bytes of all String and SectionName texts so far; the token list keeps
    // 32-bit offsets into its text, so the scanner refuses more.
    std::uint64_t textBytes_ = 0;
    // The text of the number or other token being scanned when it runs over
    // a segment's end (reused, so such tokens cost no allocation).
    std::string number_;
    std::string text_;
    cInfDefineTable defines_;
    cInfCharStream stream_;
    std::size_t splicedBytes_ = 0;

    // scan()'s token list, with the texts of its String and SectionName
    // tokens back to back.
    std::vector<cInfToken> tokens_;
    std::string tokenTexts_;
};
