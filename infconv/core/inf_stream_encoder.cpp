#include "inf_stream_encoder.h"

#include <cstring>
#include <limits>
#include <string_view>

#include "binary_inf.h"
#include "binary_output_buffer.h"
#include "large_blocks.h"

namespace {

// A small file's records fit the first chunk; a large file's go on in huge
// pages (one fault per 2 MB, see large_blocks.h).
constexpr std::size_t kFirstChunk = std::size_t{1} << 16;
// The largest piece: a key with 255 values of 5 bytes.
constexpr std::size_t kLargestPiece = 3 + 5 * binary_inf::kMaxValuesPerKey;
static_assert(kLargestPiece <= kFirstChunk);

}  // namespace

cInfStreamEncoder::cInfStreamEncoder() {
    newChunk();
    m_at += 8;  // the file's header, written at the end
    m_open.push_back({room(8), 0, 0});
}

cInfStreamEncoder::~cInfStreamEncoder() {
    for (const Chunk& chunk : m_chunks) freeLargeBlock(chunk.bytes, chunk.size);
}

void cInfStreamEncoder::newChunk() {
    if (!m_chunks.empty())
        m_chunks.back().used = static_cast<std::size_t>(m_at - m_chunks.back().bytes);
    const std::size_t size = m_chunks.empty() ? kFirstChunk : kHugePage;
    m_chunks.reserve(m_chunks.size() + 1);
    char* bytes = static_cast<char*>(allocateLargeBlock(size));
    m_chunks.push_back({bytes, size, 0});
    m_at = bytes;
    m_limit = bytes + size;
}

bool cInfStreamEncoder::newIndex(const cInfString* text, std::uint16_t& out) {
    const std::string_view view = text->view();
    if (view.find('\0') != std::string_view::npos) return false;
    if (m_table.size() >= binary_inf::kMaxStrings) return false;
    const std::uint32_t id = text->id();
    if (id >= m_indexOf.size()) m_indexOf.resize(m_arena.stringCount(), kNotYet);
    m_indexOf[id] = static_cast<std::uint32_t>(m_table.size());
    out = static_cast<std::uint16_t>(m_table.size());
    m_table.push_back(text);
    return true;
}

bool cInfStreamEncoder::section(const cInfString* name) {
    if (m_open.size() > binary_inf::kMaxDepth) return false;
    std::uint16_t index;
    if (!this->index(name, index)) return false;
    binary_inf::storeU16(room(2), index);
    ++m_open.back().sections;
    m_open.push_back({room(8), 0, 0});
    return true;
}

bool cInfStreamEncoder::close() {
    if (m_open.size() == 1) return false;
    endNode(m_open.back());
    m_open.pop_back();
    return true;
}

void cInfStreamEncoder::endNode(const Frame& frame) {
    binary_inf::storeU32(frame.head, frame.keys);
    binary_inf::storeU32(frame.head + 4, frame.sections);
}

bool cInfStreamEncoder::key(const cInfString* name, const cInfDirectValue* values,
                            std::size_t count) {
    Frame& node = m_open.back();
    // The tree writes a node's keys before its sections.
    if (node.sections != 0 || count > binary_inf::kMaxValuesPerKey) return false;
    std::uint16_t nameIndex;
    if (!index(name, nameIndex)) return false;
    std::size_t bytes = 3;
    for (std::size_t v = 0; v < count; ++v) bytes += values[v].text ? 3 : 5;
    char* at = room(bytes);
    binary_inf::storeU16(at, nameIndex);
    at[2] = static_cast<char>(count);
    at += 3;
    for (std::size_t v = 0; v < count; ++v) {
        if (values[v].text) {
            std::uint16_t text;
            if (!index(values[v].text, text)) return false;
            at[0] = 0;
            binary_inf::storeU16(at + 1, text);
            at += 3;
        } else {
            at[0] = 1;
            std::uint32_t bits;
            std::memcpy(&bits, &values[v].number, 4);
            binary_inf::storeU32(at + 1, bits);
            at += 5;
        }
    }
    ++node.keys;
    return true;
}

bool cInfStreamEncoder::finish() {
    while (!m_open.empty()) {
        endNode(m_open.back());
        m_open.pop_back();
    }
    m_chunks.back().used = static_cast<std::size_t>(m_at - m_chunks.back().bytes);
    if (8 + m_recordBytes > std::numeric_limits<std::uint32_t>::max()) return false;
    binary_inf::storeU32(m_chunks.front().bytes, binary_inf::kMagic);
    binary_inf::storeU32(m_chunks.front().bytes + 4, static_cast<std::uint32_t>(8 + m_recordBytes));
    return true;
}

void cInfStreamEncoder::write(const std::function<void(const char*, std::size_t)>& sink) const {
    for (const Chunk& chunk : m_chunks) sink(chunk.bytes, chunk.used);
    binary_inf::OutputBuffer out(sink);
    out.putStringTable(m_table, [](const cInfString* text) { return text->view(); });
    out.flush();
}
