#include "binary_inf.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <span>
#include <string_view>
#include <vector>

#include "binary_output_buffer.h"
#include "cfile.h"
#include "exceptions.h"
#include "inf_number_text.h"
#include "inf_tree.h"
#include "string_table.h"
#include "text_inf_writer.h"

namespace binary_inf {

namespace {

[[noreturn]] void refuse(const std::string& fileName, const std::string& what) {
    throw new cFileException(fileName, what);
}

}  // namespace

struct cEncoder::Walk {
    struct Frame {
        const cInfNode* node;
        std::size_t next;
    };
    std::vector<Frame> stack;
};

cEncoder::cEncoder(const cInfNode& root, cStringTable& strings, const std::string& fileName)
    : m_root(root),
      m_strings(strings),
      m_fileName(fileName),
      m_serial(root.arena().serial()),
      m_indexOf(root.arena().stringCount(), kNotYet) {}

cEncoder::~cEncoder() = default;

void cEncoder::check() {
    m_strings.clear();
    m_recordBytes = 0;
    // Only counted and checked here; write() makes the records again as it
    // writes them. Held whole they would cost memory (and a fault per page
    // of it) for the bytes of the file.
    walk(nullptr, true);
    if (8 + m_recordBytes > std::numeric_limits<std::uint32_t>::max()) {
        refuse(m_fileName, "the tree is too large for the binary form");
    }
}

std::size_t cEncoder::size() const {
    std::size_t table = 4;
    for (const std::string& s : m_strings.strings()) table += s.size() + 1;
    return 8 + m_recordBytes + table;
}

void cEncoder::write(const std::function<void(const char*, std::size_t)>& sink) {
    OutputBuffer out(sink);
    out.ensure(8);
    out.put32(kMagic);
    out.put32(static_cast<std::uint32_t>(8 + m_recordBytes));  // where the string table starts
    walk(&out, false);
    out.putStringTable(m_strings.strings(),
                       [](const std::string& s) { return std::string_view(s); });
    out.flush();
}

// Depth first, each node's keys before its sections. `checking`: the limits
// are checked, the strings numbered and the bytes counted; `out`: the
// records are written there.
void cEncoder::walk(OutputBuffer* out, bool checking) {
    std::vector<Walk::Frame> stack;
    nodeHead(m_root, out, checking);
    stack.push_back({&m_root, 0});
    while (!stack.empty()) {
        Walk::Frame& top = stack.back();
        if (top.next == top.node->sectionCount()) {
            stack.pop_back();
            continue;
        }
        const cInfNode* child = top.node->section(top.next++);
        if (checking && stack.size() > kMaxDepth) {
            refuse(m_fileName, "sections nested deeper than " + std::to_string(kMaxDepth) +
                                   " levels cannot be stored in binary form");
        }
        const std::uint16_t name = stringIndex(child->internedName());
        if (checking) m_recordBytes += 2;
        if (out) {
            out->ensure(2);
            out->put16(name);
        }
        nodeHead(*child, out, checking);
        stack.push_back({child, 0});
    }
}

std::uint16_t cEncoder::newStringIndex(const cInfString* text) {
    if (text->arenaSerial() != m_serial) {
        // Handed over from elsewhere: found by its text each time.
        m_foreignSeen = true;
        return static_cast<std::uint16_t>(
            checkedIndex(text->view(), m_strings.add(text->view(), text->hash())));
    }
    // A string of the tree's own arena is looked up in the table once, on
    // first meeting. The arena holds each text once, so while the table
    // holds only its strings, one met for the first time is new to the table.
    std::uint32_t& index = m_indexOf[text->id()];
    index = checkedIndex(text->view(), m_foreignSeen ? m_strings.add(text->view(), text->hash())
                                                     : m_strings.append(std::string(text->view())));
    return static_cast<std::uint16_t>(index);
}

std::uint32_t cEncoder::checkedIndex(std::string_view text, std::uint32_t index) {
    if (text.find('\0') != std::string_view::npos) {
        refuse(m_fileName, "the string '" + std::string(text.substr(0, text.find('\0'))) +
                               "...' holds a NUL byte, which the binary form cannot store");
    }
    if (index >= kMaxStrings) {
        refuse(m_fileName, "more than " + std::to_string(kMaxStrings) +
                               " distinct strings; the binary form holds at most " +
                               std::to_string(kMaxStrings));
    }
    return index;
}

void cEncoder::nodeHead(const cInfNode& node, OutputBuffer* out, bool checking) {
    if (checking) m_recordBytes += 8;
    if (out) {
        out->ensure(8);
        out->put32(static_cast<std::uint32_t>(node.keyCount()));
        out->put32(static_cast<std::uint32_t>(node.sectionCount()));
    }
    for (const cInfKey* key : node.keys().items()) {
        const cInfValueList& values = key->values();
        const std::size_t count = values.size();
        if (checking && count > kMaxValuesPerKey) {
            refuse(m_fileName, "the key '" + std::string(key->name()) + "' has " +
                                   std::to_string(count) +
                                   " values; the binary form holds at most " +
                                   std::to_string(kMaxValuesPerKey));
        }
        const std::uint16_t name = stringIndex(key->internedName());
        if (!out) {
            m_recordBytes += 3;
            for (std::size_t v = 0; v < count; ++v) {
                if (const cInfString* text = values.textAt(v)) {
                    stringIndex(text);
                    m_recordBytes += 3;
                } else {
                    m_recordBytes += 5;
                }
            }
            continue;
        }
        out->ensure(3 + 5 * count);
        out->put16(name);
        out->put8(static_cast<std::uint8_t>(count));
        std::size_t bytes = 3;
        for (std::size_t v = 0; v < count; ++v) {
            if (const cInfString* text = values.textAt(v)) {
                const std::uint16_t index = stringIndex(text);
                out->put8(0);
                out->put16(index);
                bytes += 3;
            } else {
                out->put8(1);
                const float number = values.numberAt(v);
                std::uint32_t bits;
                std::memcpy(&bits, &number, 4);
                out->put32(bits);
                bytes += 5;
            }
        }
        if (checking) m_recordBytes += bytes;
    }
}

namespace {

// Bounds-checked little-endian reads over [position, limit).
class Cursor {
  public:
    Cursor(std::string_view content, std::size_t position, std::size_t limit,
           const std::string& fileName)
        : m_data(reinterpret_cast<const unsigned char*>(content.data())),
          m_position(position),
          m_limit(limit),
          m_fileName(fileName) {}

    std::uint8_t u8() {
        need(1);
        return u8Unchecked();
    }
    std::uint16_t u16() {
        need(2);
        return u16Unchecked();
    }
    std::uint32_t u32() {
        need(4);
        return u32Unchecked();
    }
    float f32() { return asFloat(u32()); }

    // The same reads for a caller that made sure of the whole stretch with
    // one need().
    void need(std::size_t n) {
        if (m_limit - m_position < n) {
            refuse(m_fileName, "damaged binary INF file: the node records run past offset " +
                                   std::to_string(m_limit));
        }
    }
    std::uint8_t u8Unchecked() { return m_data[m_position++]; }
    std::uint16_t u16Unchecked() {
        const auto v =
            static_cast<std::uint16_t>(m_data[m_position] | (m_data[m_position + 1] << 8));
        m_position += 2;
        return v;
    }
    std::uint32_t u32Unchecked() {
        std::uint32_t v = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&v, m_data + m_position, 4);
        } else {
            for (int i = 3; i >= 0; --i)
                v = (v << 8) | m_data[m_position + static_cast<std::size_t>(i)];
        }
        m_position += 4;
        return v;
    }
    float f32Unchecked() { return asFloat(u32Unchecked()); }

    std::size_t left() const { return m_limit - m_position; }

  private:
    static float asFloat(std::uint32_t bits) {
        float v;
        std::memcpy(&v, &bits, 4);
        return v;
    }

    const unsigned char* m_data;
    std::size_t m_position;
    std::size_t m_limit;
    const std::string& m_fileName;
};

// The position of the first NUL in data[from, end), or end. Eight bytes a
// step: the strings are short, and a library call per string costs more than
// the scan.
std::size_t findNul(const char* data, std::size_t from, std::size_t end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighs = 0x8080808080808080u;
    if constexpr (std::endian::native == std::endian::little) {
        while (end - from >= 8) {
            std::uint64_t word;
            std::memcpy(&word, data + from, 8);
            // The lowest flagged byte is exactly the first zero byte.
            std::uint64_t zeros = (word - kOnes) & ~word & kHighs;
            if (zeros != 0) return from + static_cast<std::size_t>(std::countr_zero(zeros) / 8);
            from += 8;
        }
    }
    while (from < end && data[from] != '\0') ++from;
    return from;
}

bool isTrimmedSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view trimmed(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isTrimmedSpace(text[begin])) ++begin;
    while (end > begin && isTrimmedSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// The one reader of the binary form: checks the content and reports it in
// document order to a sink, which builds a tree or writes text. The sink is
// told:
//   tableSize(count, bytes)         how many strings the records can name, and
//                                   the bytes of the table's strings
//   tableString(text)               every string of the table, in order
//   tableDone()                     the table is complete
//   counts(keys, sections)          room worth reserving for the node just begun
//   sectionStart(index, depth)      a section (depth >= 1) named by that string
//                                   of the table, trimmed
//   keyStart(nameIndex, count, depth)
//                                   a key of the current node with `count` values
//   number(value, i), string(index, i)
//                                   its value number i, in order
//   keyEnd()                        the key is done
//   keysEnd(depth)                  the current node's keys are done
//   sectionEnd(depth)               the current section is done
// Indexes given to the sink are below the table's size. Views point into
// the content, so they live as long as it does.
template <class Sink>
class Walker {
  public:
    Walker(std::string_view content, Sink& sink, const std::string& fileName)
        : m_content(content), m_sink(sink), m_fileName(fileName) {}

    void run() {
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
        m_sink.tableDone();

        Cursor records(m_content, 8, tableOffset, m_fileName);
        // Children still to read, per level from the root down.
        std::vector<std::uint32_t> childrenLeft;
        childrenLeft.push_back(readNodeHead(records, 0));
        while (!childrenLeft.empty()) {
            if (childrenLeft.back() == 0) {
                childrenLeft.pop_back();
                if (!childrenLeft.empty()) m_sink.sectionEnd(childrenLeft.size());
                continue;
            }
            --childrenLeft.back();
            const std::size_t depth = childrenLeft.size();
            if (depth > kMaxDepth) {
                refuse(m_fileName, "damaged binary INF file: sections nested deeper than " +
                                       std::to_string(kMaxDepth) + " levels");
            }
            m_sink.sectionStart(checked(records.u16()), depth);
            childrenLeft.push_back(readNodeHead(records, depth));
        }
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
        // Records can only name the first kMaxStrings.
        m_sink.tableSize(std::min<std::size_t>(count, kMaxStrings), m_content.size() - position);
        const char* const data = m_content.data();
        const std::size_t end = m_content.size();
        for (std::uint32_t i = 0; i < count; ++i) {
            std::size_t nul = findNul(data, position, end);
            if (nul == end) {
                refuse(m_fileName, "damaged binary INF file: string " + std::to_string(i) +
                                       " runs past the end of the file");
            }
            std::string_view text(data + position, nul - position);
            m_sink.tableString(text);
            position = nul + 1;
        }
        m_stringCount = count;
    }

    std::uint16_t checked(std::uint16_t index) const {
        if (index >= m_stringCount) {
            refuse(m_fileName, "damaged binary INF file: string index " + std::to_string(index) +
                                   " is beyond the " + std::to_string(m_stringCount) +
                                   " strings of the table");
        }
        return index;
    }

    // Reads the keys of a node record at `depth`; returns its child count.
    std::uint32_t readNodeHead(Cursor& in, std::size_t depth) {
        std::uint32_t keyCount = in.u32();
        std::uint32_t childCount = in.u32();
        // The counts of a damaged file may be anything; the records that are
        // really there need at least 3 bytes per key and 10 per child.
        m_sink.counts(std::min<std::size_t>(keyCount, in.left() / 3),
                      std::min<std::size_t>(childCount, in.left() / 10));
        for (std::uint32_t k = 0; k < keyCount; ++k) {
            const std::uint16_t nameIndex = checked(in.u16());
            const std::uint8_t valueCount = in.u8();
            m_sink.keyStart(nameIndex, valueCount, depth);
            // No value takes more than 5 bytes: where that many are left, the
            // values need no check of their own (a damaged file fails the
            // same way as before: only near the end can a value run past it).
            if (in.left() >= std::size_t{5} * valueCount) {
                readValues<false>(in, valueCount);
            } else {
                readValues<true>(in, valueCount);
            }
            m_sink.keyEnd();
        }
        m_sink.keysEnd(depth);
        return childCount;
    }

    template <bool kChecked>
    void readValues(Cursor& in, std::uint8_t count) {
        for (std::uint8_t v = 0; v < count; ++v) {
            const bool isNumber = (kChecked ? in.u8() : in.u8Unchecked()) != 0;
            if (isNumber) {
                m_sink.number(kChecked ? in.f32() : in.f32Unchecked(), v);
            } else {
                const std::uint16_t index = kChecked ? in.u16() : in.u16Unchecked();
                m_sink.string(checked(index), v);
            }
        }
    }

    std::string_view m_content;
    Sink& m_sink;
    const std::string& m_fileName;
    std::size_t m_stringCount = 0;
};

// Builds the tree below a new root "Root"; fills the string table as read.
// Every table string is interned once, and keys and values take the
// interned copies by index.
class TreeSink {
  public:
    TreeSink(cStringTable& strings, InfAnalyzer* analyzer)
        : m_strings(strings),
          m_root(std::make_unique<cInfNode>("Root", nullptr, analyzer)),
          m_current(m_root.get()) {
        m_strings.clear();
    }

    void tableSize(std::size_t count, std::size_t) {
        m_strings.reserve(count);
        m_root->arena().reserveStrings(count);
    }
    void tableString(std::string_view text) {
        m_strings.append(std::string(text));
        // Records can only name the first kMaxStrings.
        if (m_interned.size() < kMaxStrings) m_interned.push_back(m_root->arena().intern(text));
    }
    void tableDone() {}
    void counts(std::size_t keys, std::size_t sections) {
        m_current->reserveKeys(keys);
        m_current->reserveSections(sections);
    }
    void sectionStart(std::uint16_t index, std::size_t) {
        const cInfString* name = m_interned[index];
        const std::string_view trimmedName = trimmed(name->view());
        m_current = trimmedName.size() == name->view().size() ? m_current->addSection(name)
                                                              : m_current->addSection(trimmedName);
    }
    void keyStart(std::uint16_t nameIndex, std::size_t count, std::size_t) {
        m_key = m_current->addKey(m_interned[nameIndex]);
        m_key->reserveValues(count);
    }
    void number(float value, std::size_t) { m_key->addNumber(value); }
    void string(std::uint16_t index, std::size_t) { m_key->addString(m_interned[index]); }
    void keyEnd() {}
    void keysEnd(std::size_t) {}
    void sectionEnd(std::size_t) { m_current = m_current->parent(); }

    std::unique_ptr<cInfNode> root() { return std::move(m_root); }

  private:
    cStringTable& m_strings;
    std::unique_ptr<cInfNode> m_root;
    cInfNode* m_current;
    cInfKey* m_key = nullptr;  // the key being read
    std::vector<const cInfString*> m_interned;
};

// Memory handed to the text writer, taken from the front; what does not fit
// comes from the heap.
class Scratch {
  public:
    explicit Scratch(std::span<char> room) : m_room(room) {}

    // n bytes aligned to 16, or null.
    char* take(std::size_t n) {
        const auto at = reinterpret_cast<std::uintptr_t>(m_room.data());
        const std::size_t skip = (16 - at % 16) % 16;
        if (m_room.size() < skip || m_room.size() - skip < n) return nullptr;
        char* block = m_room.data() + skip;
        m_room = m_room.subspan(skip + n);
        return block;
    }

  private:
    std::span<char> m_room;
};

// n bytes from the scratch memory, or else from the heap into `owned`.
char* takeOrAllocate(Scratch& scratch, std::size_t n, std::unique_ptr<char[]>& owned) {
    if (char* block = scratch.take(n)) return block;
    owned.reset(new char[n]);
    return owned.get();
}

// Writes the text form through the text writer's appender. Every string of
// the table is made once into the two pieces a key line takes of it: "name = "
// and ", value" with its quotes, so a key costs one check for room, and each
// name and value one move of its piece.
class TextSink {
  public:
    TextSink(const text_inf_writer::TextSink& out, std::span<char> scratch)
        : m_scratch(scratch), m_out(out, outputBuffer()) {}

    void tableSize(std::size_t count, std::size_t bytes) {
        // ", " + quotes + text, then the text again + " = ": at most twice
        // the text and 7 bytes; then 16 bytes for whole moves at the end.
        const std::size_t room = 2 * bytes + 7 * count + 16;
        if (room > std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
        m_pieces = takeOrAllocate(m_scratch, room, m_ownedPieces);
        m_forms =
            reinterpret_cast<Form*>(takeOrAllocate(m_scratch, count * sizeof(Form), m_ownedForms));
        m_capacity = count;
    }
    void tableString(std::string_view text) {
        // Records can only name the first kMaxStrings.
        if (m_formCount == m_capacity) return;
        const bool quoted = text_inf_writer::needsQuotes(text);
        Form& form = m_forms[m_formCount++];
        form.value = m_size;
        append(", ", 2);
        if (quoted) append("\"", 1);
        append(text.data(), text.size());
        if (quoted) {
            append("\"", 1);
            form.name = m_size;
            append(text.data(), text.size());
        } else {
            // ", name = ": the value and the name share the text.
            form.name = form.value + 2;
        }
        append(" = ", 3);
        form.valueSize = static_cast<std::uint32_t>(text.size() + (quoted ? 4 : 2));
        form.nameSize = static_cast<std::uint32_t>(text.size() + 3);
    }
    void tableDone() {
        // Pieces are moved 16 bytes at a time.
        std::memset(m_pieces + m_size, 0, 16);
    }
    void counts(std::size_t, std::size_t) {}
    void sectionStart(std::uint16_t index, std::size_t depth) {
        const Form& form = m_forms[index];
        m_out.sectionStart(trimmed({m_pieces + form.name, form.nameSize - 3}), depth);
    }
    void keyStart(std::uint16_t nameIndex, std::size_t count, std::size_t depth) {
        const Form& form = m_forms[nameIndex];
        m_count = count;
        char* p = m_out.reserve(depth + form.nameSize + count * kValueRoom + 2);
        p = text_inf_writer::cTextInfAppender::tabs(p, depth);
        m_at = piece(p, form.name, form.nameSize);
    }
    void number(float value, std::size_t v) {
        // ", " before all but the first, stored always and kept or not.
        std::memcpy(m_at, ", ", 2);
        m_at = text_inf_writer::formatNumberInto(m_at + (v != 0 ? 2 : 0), value);
    }
    void string(std::uint16_t index, std::size_t v) {
        const Form& form = m_forms[index];
        // The first value goes without the ", ".
        const std::uint32_t skip = v == 0 ? 2 : 0;
        const std::size_t size = form.valueSize - skip;
        if (size > kValueRoom) {
            // A long text: room for it and for the rest of the line.
            m_out.commit(m_at);
            m_at = m_out.reserve(size + (m_count - v) * kValueRoom + 2);
        }
        m_at = piece(m_at, form.value + skip, size);
    }
    void keyEnd() {
        std::memcpy(m_at, "\r\n", 2);
        m_out.commit(m_at + 2);
    }
    void keysEnd(std::size_t) { m_out.keysEnd(); }
    void sectionEnd(std::size_t depth) { m_out.sectionEnd(depth); }
    void finish() { m_out.finish(); }

  private:
    // Where a string's pieces are.
    struct Form {
        std::uint32_t value;  // ", " and the value as written
        std::uint32_t valueSize;
        std::uint32_t name;  // the name and " = "
        std::uint32_t nameSize;
    };
    // Room a value takes at most on the line, unless it is a longer text.
    static constexpr std::size_t kValueRoom = 2 + text_inf_writer::kNumberTextRoom;

    text_inf_writer::cTextInfAppender::Buffer outputBuffer() {
        constexpr std::size_t kSize = text_inf_writer::cTextInfAppender::kPiece;
        return {m_scratch.take(kSize + text_inf_writer::cTextInfAppender::kSlack), kSize};
    }
    void append(const char* text, std::size_t n) {
        std::memcpy(m_pieces + m_size, text, n);
        m_size += static_cast<std::uint32_t>(n);
    }
    // Moves a piece to `to`; the appender leaves room for the whole moves.
    char* piece(char* to, std::uint32_t from, std::size_t size) const {
        const char* source = m_pieces + from;
        if (size <= 16) {
            std::memcpy(to, source, 16);
        } else if (size <= 32) {
            std::memcpy(to, source, 16);
            std::memcpy(to + size - 16, source + size - 16, 16);
        } else {
            std::memcpy(to, source, size);
        }
        return to + size;
    }

    Scratch m_scratch;
    text_inf_writer::cTextInfAppender m_out;
    std::unique_ptr<char[]> m_ownedPieces;
    std::unique_ptr<char[]> m_ownedForms;
    char* m_pieces = nullptr;  // the pieces of all strings
    std::uint32_t m_size = 0;
    Form* m_forms = nullptr;  // per table string
    std::size_t m_formCount = 0;
    std::size_t m_capacity = 0;
    char* m_at = nullptr;     // the end of the key line being written
    std::size_t m_count = 0;  // values of that key
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
    cEncoder encoder(root, strings, fileName);
    encoder.check();
    std::string bytes;
    bytes.reserve(encoder.size());
    encoder.write([&bytes](const char* data, std::size_t n) { bytes.append(data, n); });
    return bytes;
}

std::unique_ptr<cInfNode> decode(std::string_view content, cStringTable& strings,
                                 InfAnalyzer* analyzer, const std::string& fileName) {
    TreeSink sink(strings, analyzer);
    Walker<TreeSink>(content, sink, fileName).run();
    return sink.root();
}

std::string decodeToText(std::string_view content, const std::string& fileName) {
    std::string text;
    // The text usually takes about three times the bytes of the records.
    text.reserve(content.size() / 2 * 7);
    decodeToText(content, fileName,
                 [&text](const char* data, std::size_t n) { text.append(data, n); });
    return text;
}

void decodeToText(std::string_view content, const std::string& fileName,
                  const std::function<void(const char*, std::size_t)>& sink,
                  std::span<char> scratch) {
    TextSink out(sink, scratch);
    Walker<TextSink>(content, out, fileName).run();
    out.finish();
}

}  // namespace binary_inf
