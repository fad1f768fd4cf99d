// The common case of loading INF text, fast: a text without directives is
// scanned and parsed in one pass straight from its bytes into the tree.
//
// It builds exactly the tree that the scanner and parser (cInfTokenizer,
// cInfParser) build. At the first "#" (a directive, whose expansions only
// they handle) and at anything they would report as an error, it gives up
// and returns false; the caller then starts over on a new tree with them,
// and they do (and report) everything as usual.
#pragma once

#include <string_view>

class cInfNode;

// Appends the sections and keys of `text` to `root`, an empty root.
bool parseInfTextDirectly(std::string_view text, cInfNode* root);
