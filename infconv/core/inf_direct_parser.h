// The common case of loading INF text, fast: a text without directives is
// scanned and parsed in one pass straight from its bytes into the tree.
//
// It builds exactly the tree that the scanner and parser (cInfTokenizer,
// cInfParser) build. At the first "#" (a directive, whose expansions only
// they handle) and at anything they would report as an error, it gives up
// and returns false; the caller then starts over on a new tree with them,
// and they do (and report) everything as usual.
#pragma once

#include <cstddef>
#include <string_view>

class cInfNode;
class cInfStreamEncoder;

// The bytes of a text, all in memory or read a piece at a time.
class cInfTextSource {
  public:
    virtual ~cInfTextSource() = default;
    // The bytes at hand are [data(), data() + size()).
    virtual const char* data() const = 0;
    virtual std::size_t size() const = 0;
    // Reads more bytes after those at hand, keeping the last `keep` of them:
    // they are then the first at data(), the bytes before them are gone, and
    // the new ones follow (there may be none this time). False, with nothing
    // moved, when there are no more.
    virtual bool more(std::size_t /*keep*/) { return false; }
};

// Appends the sections and keys of the text to `root`, an empty root.
bool parseInfTextDirectly(cInfTextSource& text, cInfNode* root);
bool parseInfTextDirectly(std::string_view text, cInfNode* root);
// The same text handed to `encoder` instead (see inf_stream_encoder.h);
// false where either gives up.
bool encodeInfTextDirectly(cInfTextSource& text, cInfStreamEncoder& encoder);
bool encodeInfTextDirectly(std::string_view text, cInfStreamEncoder& encoder);
