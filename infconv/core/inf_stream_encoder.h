// Text to binary without the tree: the direct parser hands over sections and
// keys as it reads them, and their node records are written at once into a
// record buffer (each node's key and child counts filled in when it ends),
// with the strings numbered as they are met.
//
// That is the tree's binary form only while the text's order is the order
// the encoder walks the tree in (a node's keys, then its sections) and
// nothing is over the format's limits. Anything else (keys after a child
// section of the same node, a section too deep, a key with too many values,
// a NUL byte, too many strings, records over 4 GB) makes it give up: the
// caller then builds the tree, and the tree path does and reports everything
// as usual.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "inf_arena.h"

struct cInfDirectValue {
    const cInfString* text;  // null for a number
    float number;
};

class cInfStreamEncoder {
  public:
    cInfStreamEncoder();
    ~cInfStreamEncoder();
    cInfStreamEncoder(const cInfStreamEncoder&) = delete;
    cInfStreamEncoder& operator=(const cInfStreamEncoder&) = delete;

    // Where the parser interns names and texts.
    cInfArena& arena() { return m_arena; }

    // Each returns false where the streaming path gives up.
    // A section of the current node, which it then is.
    bool section(const cInfString* name);
    // The current node ends; false at the root.
    bool close();
    bool key(const cInfString* name, const cInfDirectValue* values, std::size_t count);
    // The end of the text: the nodes still open end.
    bool finish();

    // After finish(): the whole file to `sink`, in large pieces.
    void write(const std::function<void(const char*, std::size_t)>& sink) const;

  private:
    struct Frame {
        char* head;  // where the node's two counts go
        std::uint32_t keys;
        std::uint32_t sections;
    };
    struct Chunk {
        char* bytes;
        std::size_t size;
        std::size_t used;
    };
    static constexpr std::uint32_t kNotYet = 0xFFFFFFFFu;

    // `n` bytes of record buffer (n at most the first chunk's size).
    char* room(std::size_t n) {
        if (n > static_cast<std::size_t>(m_limit - m_at)) newChunk();
        char* at = m_at;
        m_at += n;
        m_recordBytes += n;
        return at;
    }
    void newChunk();
    // The string's table index, numbering it on first meeting; false where
    // the encoder would refuse it.
    bool index(const cInfString* text, std::uint16_t& out) {
        const std::uint32_t id = text->id();
        if (id < m_indexOf.size() && m_indexOf[id] != kNotYet) {
            out = static_cast<std::uint16_t>(m_indexOf[id]);
            return true;
        }
        return newIndex(text, out);
    }
    bool newIndex(const cInfString* text, std::uint16_t& out);
    void endNode(const Frame& frame);

    cInfArena m_arena;
    std::vector<std::uint32_t> m_indexOf;  // table index by the string's number in the arena
    std::vector<const cInfString*> m_table;
    std::vector<Chunk> m_chunks;
    char* m_at = nullptr;
    char* m_limit = nullptr;
    std::size_t m_recordBytes = 0;
    std::vector<Frame> m_open;  // the root and the sections it is in, outermost first
};
