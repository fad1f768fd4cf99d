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

// The bytes of a text in one block that may fill as it is read.
class cInfTextSource {
  public:
    virtual ~cInfTextSource() = default;
    // The bytes so far are [data(), data() + size()); the block never moves.
    virtual const char* data() const = 0;
    virtual std::size_t size() const = 0;
    // Adds bytes to the end; false when there are no more.
    virtual bool more() { return false; }
    // The bytes before `upTo` are not looked at again.
    virtual void release(const char* /*upTo*/) {}
};

// Appends the sections and keys of the text to `root`, an empty root.
bool parseInfTextDirectly(cInfTextSource& text, cInfNode* root);
bool parseInfTextDirectly(std::string_view text, cInfNode* root);
