// The binary INF format: reading and writing it, and telling it from text.
//
// Layout (little-endian): magic AD A5 FF FF, u32 string table offset, the
// root's node record, then the string table (u32 count, NUL-ended strings).
// Node record: u32 key count, u32 child count, keys (u16 name, u8 value
// count, values: u8 kind 0 + u16 string or kind 1 + f32), children (u16 name
// + node record).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "inf_tree.h"

class cFile;
class cStringTable;
class InfAnalyzer;

namespace binary_inf {

constexpr std::uint32_t kMagic = 0xFFFFA5ADu;
constexpr std::size_t kMaxStrings = 65536;
constexpr std::size_t kMaxValuesPerKey = 255;
// Both directions use the same nesting bound, so whatever is written reads back.
constexpr std::size_t kMaxDepth = kMaxInfDepth;

// True when the open file is at least 4 bytes long and starts with the
// magic. The position is set back to 0 afterwards.
bool isBinary(cFile& file);

// The complete file content for the tree. Throws cFileException* naming
// `fileName` when the tree exceeds the format's limits. Fills `strings`.
std::string encode(const cInfNode& root, cStringTable& strings, const std::string& fileName);

// Builds a new root named "Root" from the file content, or throws
// cFileException* naming `fileName` when the content is damaged.
std::unique_ptr<cInfNode> decode(const std::string& content, cStringTable& strings,
                                 InfAnalyzer* analyzer, const std::string& fileName);

// The text form of the file content, the same bytes text_inf_writer::render
// writes for the decoded tree, written straight from the records without
// building the tree. Damaged content is refused exactly as decode refuses it.
std::string decodeToText(const std::string& content, const std::string& fileName);

}  // namespace binary_inf
