// INF text output: sections as bracketed headers with braces, TAB indentation
// by depth, one "name = values" line per key, CR LF line ends.
#pragma once

#include <string>
#include <string_view>

class cInfNode;

namespace text_inf_writer {

// The complete text for the tree below `root` (written at depth 0). Throws
// cFileException* naming `fileName` for sections nested deeper than
// kMaxInfDepth.
std::string render(const cInfNode& root, const std::string& fileName);

// One number as the text form writes it ("%.0f" for whole numbers, else
// "%.7f" with trailing zeros and a trailing "." removed).
std::string formatNumber(float value);

// Whether a string value must be written between double quotes.
bool needsQuotes(std::string_view text);

}  // namespace text_inf_writer
