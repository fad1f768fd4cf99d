// Writes INF text inputs of a chosen size and shape for the benchmarks.
// Output is deterministic for a given shape and size, so figures from two
// runs measure the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace bench {

// Nested sections (up to four levels) with keys holding mixed quoted strings,
// bare words and numbers, until the file is at least `targetBytes` long.
// Values come from a fixed vocabulary, so the binary form stays well inside
// its 65,536-string limit at any size. With `numberHeavy`, half the values
// are numbers with 1 to 6 decimals and the rest quoted strings, bare words
// and whole numbers in equal shares.
std::string nestedInfText(std::size_t targetBytes, bool numberHeavy = false);

// Root keys "Key_<n>" each holding one string "Val_<n>":
// exactly `distinctStrings` distinct strings (rounded down to even).
std::string flatInfText(std::size_t distinctStrings);

// A tree of `files` INF files in directories of 100 under `root` (created),
// each directory holding one "shared_inc.inf" that every tenth file
// includes. Returns the total bytes written.
std::uint64_t writeIncludeTree(const std::string& root, std::size_t files);

void writeFile(const std::string& path, const std::string& content);
std::string readFile(const std::string& path);

}  // namespace bench
