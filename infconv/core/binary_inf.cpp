#include "binary_inf.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "cfile.h"
#include "exceptions.h"
#include "inf_tree.h"
#include "string_table.h"

namespace binary_inf {

namespace {

[[noreturn]] void refuse(const std::string& fileName, const std::string& what) {
    throw new cFileException(fileName, what);
}

void put8(std::string& out, std::uint8_t v) { out.push_back(static_cast<char>(v)); }

void put16(std::string& out, std::uint16_t v) {
    char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    out.append(b, 2);
}

void put32(std::string& out, std::uint32_t v) {
    char b[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                 static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    out.append(b, 4);
}

class Encoder {
public:
    Encoder(cStringTable& strings, const std::string& fileName)
        : m_strings(strings), m_fileName(fileName) {}

    std::string run(const cInfNode& root) {
        m_strings.clear();
        put32(m_out, kMagic);
        put32(m_out, kMagic);  // placeholder for the string table offset

        struct Frame {
            const cInfNode* node;
            std::size_t next;
        };
        std::vector<Frame> stack;
        writeNodeHead(root);
        stack.push_back({&root, 0});
        while (!stack.empty()) {
            Frame& top = stack.back();
            if (top.next == top.node->sectionCount()) {
                stack.pop_back();
                continue;
            }
            const cInfNode* child = top.node->section(top.next++);
            if (stack.size() > kMaxDepth) {
                refuse(m_fileName, "sections nested deeper than " + std::to_string(kMaxDepth) +
                                       " levels cannot be stored in binary form");
            }
            put16(m_out, stringIndex(child->name()));
            writeNodeHead(*child);
            stack.push_back({child, 0});
        }

        std::size_t tableOffset = m_out.size();
        if (tableOffset > std::numeric_limits<std::uint32_t>::max()) {
            refuse(m_fileName, "the tree is too large for the binary form");
        }
        put32(m_out, static_cast<std::uint32_t>(m_strings.count()));
        for (const std::string& s : m_strings.strings()) {
            m_out.append(s);
            m_out.push_back('\0');
        }
        auto offset = static_cast<std::uint32_t>(tableOffset);
        for (int i = 0; i < 4; ++i) m_out[4 + i] = static_cast<char>((offset >> (8 * i)) & 0xFF);
        return std::move(m_out);
    }

private:
    std::uint16_t stringIndex(std::string_view text) {
        if (text.find('\0') != std::string_view::npos) {
            refuse(m_fileName, "the string '" + std::string(text.substr(0, text.find('\0'))) +
                                   "...' holds a NUL byte, which the binary form cannot store");
        }
        std::uint32_t index = m_strings.add(text);
        if (index >= kMaxStrings) {
            refuse(m_fileName, "more than " + std::to_string(kMaxStrings) +
                                   " distinct strings; the binary form holds at most " +
                                   std::to_string(kMaxStrings));
        }
        return static_cast<std::uint16_t>(index);
    }

    void writeNodeHead(const cInfNode& node) {
        put32(m_out, static_cast<std::uint32_t>(node.keyCount()));
        put32(m_out, static_cast<std::uint32_t>(node.sectionCount()));
        for (const auto& key : node.keys().items()) {
            if (key->valueCount() > kMaxValuesPerKey) {
                refuse(m_fileName, "the key '" + key->name() + "' has " +
                                       std::to_string(key->valueCount()) +
                                       " values; the binary form holds at most " +
                                       std::to_string(kMaxValuesPerKey));
            }
            put16(m_out, stringIndex(key->name()));
            put8(m_out, static_cast<std::uint8_t>(key->valueCount()));
            for (const cInfValue value : key->values()) {
                if (value.isNumber()) {
                    put8(m_out, 1);
                    std::uint32_t bits;
                    float number = value.number();
                    std::memcpy(&bits, &number, 4);
                    put32(m_out, bits);
                } else {
                    put8(m_out, 0);
                    put16(m_out, stringIndex(value.textView()));
                }
            }
        }
    }

    cStringTable& m_strings;
    const std::string& m_fileName;
    std::string m_out;
};

// Bounds-checked little-endian reads over [position, limit).
class Cursor {
public:
    Cursor(const std::string& content, std::size_t position, std::size_t limit,
           const std::string& fileName)
        : m_data(reinterpret_cast<const unsigned char*>(content.data())),
          m_position(position),
          m_limit(limit),
          m_fileName(fileName) {}

    std::uint8_t u8() {
        need(1);
        return m_data[m_position++];
    }
    std::uint16_t u16() {
        need(2);
        std::uint16_t v = static_cast<std::uint16_t>(m_data[m_position] | (m_data[m_position + 1] << 8));
        m_position += 2;
        return v;
    }
    std::uint32_t u32() {
        need(4);
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | m_data[m_position + static_cast<std::size_t>(i)];
        m_position += 4;
        return v;
    }
    float f32() {
        std::uint32_t bits = u32();
        float v;
        std::memcpy(&v, &bits, 4);
        return v;
    }

    std::size_t left() const { return m_limit - m_position; }

private:
    void need(std::size_t n) {
        if (m_limit - m_position < n) {
            refuse(m_fileName, "damaged binary INF file: the node records run past offset " +
                                   std::to_string(m_limit));
        }
    }

    const unsigned char* m_data;
    std::size_t m_position;
    std::size_t m_limit;
    const std::string& m_fileName;
};

bool isTrimmedSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string trimmed(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isTrimmedSpace(text[begin])) ++begin;
    while (end > begin && isTrimmedSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

class Decoder {
public:
    Decoder(const std::string& content, cStringTable& strings, InfAnalyzer* analyzer,
            const std::string& fileName)
        : m_content(content), m_strings(strings), m_analyzer(analyzer), m_fileName(fileName) {}

    std::unique_ptr<cInfNode> run() {
        m_strings.clear();
        const std::size_t size = m_content.size();
        if (size < 12) refuse(m_fileName, "damaged binary INF file: shorter than its header");
        Cursor header(m_content, 4, size, m_fileName);
        std::uint32_t tableOffset = header.u32();
        if (tableOffset < 8 || tableOffset > size - 4) {
            refuse(m_fileName, "damaged binary INF file: string table offset " +
                                   std::to_string(tableOffset) + " lies outside the file (" +
                                   std::to_string(size) + " bytes)");
        }
        readStrings(tableOffset);

        Cursor records(m_content, 8, tableOffset, m_fileName);
        auto root = std::make_unique<cInfNode>("Root", nullptr, m_analyzer);
        struct Frame {
            cInfNode* node;
            std::uint32_t childrenLeft;
        };
        std::vector<Frame> stack;
        stack.push_back({root.get(), readNodeHead(records, *root)});
        while (!stack.empty()) {
            Frame& top = stack.back();
            if (top.childrenLeft == 0) {
                stack.pop_back();
                continue;
            }
            --top.childrenLeft;
            cInfNode* parent = top.node;
            if (stack.size() > kMaxDepth) {
                refuse(m_fileName, "damaged binary INF file: sections nested deeper than " +
                                       std::to_string(kMaxDepth) + " levels");
            }
            std::string name = trimmed(stringAt(records.u16()));
            cInfNode* child =
                parent->addSection(std::make_unique<cInfNode>(std::move(name), parent, m_analyzer));
            std::uint32_t children = readNodeHead(records, *child);
            stack.push_back({child, children});
        }
        return root;
    }

private:
    void readStrings(std::size_t offset) {
        Cursor counter(m_content, offset, m_content.size(), m_fileName);
        std::uint32_t count = counter.u32();
        std::size_t position = offset + 4;
        // Every string takes at least its NUL byte.
        if (count > m_content.size() - position) {
            refuse(m_fileName, "damaged binary INF file: " + std::to_string(count) +
                                   " strings cannot fit in the string table");
        }
        for (std::uint32_t i = 0; i < count; ++i) {
            std::size_t nul = m_content.find('\0', position);
            if (nul == std::string::npos) {
                refuse(m_fileName, "damaged binary INF file: string " + std::to_string(i) +
                                       " runs past the end of the file");
            }
            m_strings.append(m_content.substr(position, nul - position));
            position = nul + 1;
        }
    }

    const std::string& stringAt(std::uint16_t index) {
        if (index >= m_strings.count()) {
            refuse(m_fileName, "damaged binary INF file: string index " + std::to_string(index) +
                                   " is beyond the " + std::to_string(m_strings.count()) +
                                   " strings of the table");
        }
        return m_strings.at(index);
    }

    // Reads the keys of a node record; returns its child count.
    std::uint32_t readNodeHead(Cursor& in, cInfNode& node) {
        std::uint32_t keyCount = in.u32();
        std::uint32_t childCount = in.u32();
        // The counts of a damaged file may be anything; the records that are
        // really there need at least 3 bytes per key and 10 per child.
        node.reserveKeys(std::min<std::size_t>(keyCount, in.left() / 3));
        node.reserveSections(std::min<std::size_t>(childCount, in.left() / 10));
        struct Pending {
            const std::string* text;  // null for a number
            float number;
        };
        Pending pending[kMaxValuesPerKey];
        for (std::uint32_t k = 0; k < keyCount; ++k) {
            const std::string& name = stringAt(in.u16());
            std::uint8_t valueCount = in.u8();
            // Read first, so the key's values take one exactly sized block.
            std::size_t textBytes = 0;
            for (std::uint8_t v = 0; v < valueCount; ++v) {
                if (in.u8() != 0) {
                    pending[v] = {nullptr, in.f32()};
                } else {
                    const std::string& text = stringAt(in.u16());
                    pending[v] = {&text, 0.0f};
                    textBytes += text.size();
                }
            }
            auto key = std::make_unique<cInfKey>(name);
            key->reserveValues(valueCount, textBytes);
            for (std::uint8_t v = 0; v < valueCount; ++v) {
                if (pending[v].text) {
                    key->addString(*pending[v].text);
                } else {
                    key->addNumber(pending[v].number);
                }
            }
            node.addKey(std::move(key));
        }
        return childCount;
    }

    const std::string& m_content;
    cStringTable& m_strings;
    InfAnalyzer* m_analyzer;
    const std::string& m_fileName;
};

}  // namespace

bool isBinary(cFile& file) {
    if (file.length() < 4) return false;
    file.seek(0, cFile::Origin::Start);
    unsigned char b[4];
    std::size_t got = file.read(b, 4);
    file.seek(0, cFile::Origin::Start);
    if (got < 4) return false;
    std::uint32_t v = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    return v == kMagic;
}

std::string encode(const cInfNode& root, cStringTable& strings, const std::string& fileName) {
    return Encoder(strings, fileName).run(root);
}

std::unique_ptr<cInfNode> decode(const std::string& content, cStringTable& strings,
                                 InfAnalyzer* analyzer, const std::string& fileName) {
    return Decoder(content, strings, analyzer, fileName).run();
}

}  // namespace binary_inf
