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
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

class OutputBuffer;

// Writes a tree in binary form in two steps: check() refuses a tree beyond
// the format's limits (before any file is touched), numbering its strings
// into `strings`; write() then hands the file's bytes to a sink in large
// pieces, so the file is never held in memory whole.
class cEncoder {
  public:
    cEncoder(const cInfNode& root, cStringTable& strings, const std::string& fileName);
    ~cEncoder();
    cEncoder(const cEncoder&) = delete;
    cEncoder& operator=(const cEncoder&) = delete;

    // Throws cFileException* naming the file when the tree exceeds the limits.
    void check();
    // The file's size; after check().
    std::size_t size() const;
    // After check().
    void write(const std::function<void(const char*, std::size_t)>& sink);

  private:
    struct Walk;
    static constexpr std::uint32_t kNotYet = 0xFFFFFFFFu;

    void walk(OutputBuffer* out, bool checking);
    void nodeHead(const cInfNode& node, OutputBuffer* out, bool checking);
    // The table index of the string, numbering it on first meeting.
    std::uint16_t stringIndex(const cInfString* text) {
        if (text->arenaSerial() == m_serial) {
            const std::uint32_t index = m_indexOf[text->id()];
            if (index != kNotYet) return static_cast<std::uint16_t>(index);
        }
        return newStringIndex(text);
    }
    std::uint16_t newStringIndex(const cInfString* text);
    std::uint32_t checkedIndex(std::string_view text, std::uint32_t index);

    const cInfNode& m_root;
    cStringTable& m_strings;
    const std::string& m_fileName;
    const std::uint32_t m_serial;
    // Table index of each string of the tree's arena, by its number there.
    std::vector<std::uint32_t> m_indexOf;
    bool m_foreignSeen = false;
    std::size_t m_recordBytes = 0;
};

// The complete file content for the tree. Throws cFileException* naming
// `fileName` when the tree exceeds the format's limits. Fills `strings`.
std::string encode(const cInfNode& root, cStringTable& strings, const std::string& fileName);

// Builds a new root named "Root" from the file content, or throws
// cFileException* naming `fileName` when the content is damaged.
std::unique_ptr<cInfNode> decode(std::string_view content, cStringTable& strings,
                                 InfAnalyzer* analyzer, const std::string& fileName);

// The text form of the file content, the same bytes text_inf_writer::render
// writes for the decoded tree, written straight from the records without
// building the tree. Damaged content is refused exactly as decode refuses it.
std::string decodeToText(std::string_view content, const std::string& fileName);
// The same text handed to `sink` in pieces; a refusal may come after some
// pieces went out. The writer's buffers are taken from `scratch` where they
// fit (memory the caller has at hand already, such as the rest of the
// content's huge page, costs no page faults), else from the heap.
void decodeToText(std::string_view content, const std::string& fileName,
                  const std::function<void(const char*, std::size_t)>& sink,
                  std::span<char> scratch = {});

}  // namespace binary_inf
