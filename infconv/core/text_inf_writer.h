// INF text output: sections as bracketed headers with braces, TAB indentation
// by depth, one "name = values" line per key, CR LF line ends.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "inf_value_list.h"

class cInfNode;

namespace text_inf_writer {

// Where text goes: called with consecutive pieces of it.
using TextSink = std::function<void(const char*, std::size_t)>;

// The complete text for the tree below `root` (written at depth 0). Throws
// cFileException* naming `fileName` for sections nested deeper than
// kMaxInfDepth.
std::string render(const cInfNode& root, const std::string& fileName);
// The same text handed to `sink` in pieces, so it is never held whole; an
// exception may come after some pieces went out.
void render(const cInfNode& root, const std::string& fileName, const TextSink& sink);

// One number as the text form writes it ("%.0f" for whole numbers, else
// "%.7f" with trailing zeros and a trailing "." removed).
std::string formatNumber(float value);

// Whether a string value must be written between double quotes.
bool needsQuotes(std::string_view text);

// Produces the text form piece by piece in document order. render() feeds it
// from a tree and the binary reader straight from a file's records, so both
// write exactly the same bytes. Depth counts from the root (0). The text is
// gathered in a buffer of fixed size that goes to the sink whenever it is
// full: a large file costs the memory of the buffer, not of its text.
class cTextInfAppender {
  public:
    // Large enough that a write per piece costs little, small enough to stay
    // in the cache.
    static constexpr std::size_t kPiece = std::size_t{128} << 10;
    // Bytes behind the room asked for that a wide store may overwrite.
    static constexpr std::size_t kSlack = 16;

    // Memory for the buffer that the caller keeps: `size` bytes and kSlack
    // more; with a null `data`, the appender has its own.
    struct Buffer {
        char* data;
        std::size_t size;
    };

    explicit cTextInfAppender(TextSink sink) : cTextInfAppender(std::move(sink), {nullptr, 0}) {}
    cTextInfAppender(TextSink sink, Buffer buffer) : m_sink(std::move(sink)) {
        if (buffer.data) {
            m_data = buffer.data;
            m_capacity = buffer.size;
        } else {
            m_owned.reset(new char[kPiece + kSlack]);
            m_data = m_owned.get();
            m_capacity = kPiece;
        }
    }
    // Without finish(), what is still buffered is dropped: the text stops
    // where an exception left it.
    ~cTextInfAppender() = default;
    cTextInfAppender(const cTextInfAppender&) = delete;
    cTextInfAppender& operator=(const cTextInfAppender&) = delete;

    // Hands what is buffered to the sink.
    void finish() { flush(); }

    // For a writer that makes its own pieces: room for n bytes at the
    // returned cursor (and kSlack behind them for wide stores); commit()
    // then takes the end of what was written there.
    char* reserve(std::size_t n) { return room(n); }
    void commit(const char* end) { used(end); }

    // n tabs; eight stored at once for the usual depths (what follows a run
    // of tabs overwrites the extra ones, and kSlack covers the end).
    static char* tabs(char* p, std::size_t n) {
        if (n <= 8) {
            static constexpr char kTabs[8] = {'\t', '\t', '\t', '\t', '\t', '\t', '\t', '\t'};
            std::memcpy(p, kTabs, 8);
            return p + n;
        }
        for (; n > 0; --n) *p++ = '\t';
        return p;
    }

    // The "[name]" and "{" lines of a section at depth >= 1.
    void sectionStart(std::string_view name, std::size_t depth);
    // A key line of a node at `nodeDepth`: keyStart, every value, keyEnd.
    // The small steps are inline: a large file has millions of them.
    void keyStart(std::string_view name, std::size_t nodeDepth) {
        char* p = room(nodeDepth + name.size() + 3);
        p = tabs(p, nodeDepth);
        p = copy(p, name);
        used(literal(p, " = "));
    }
    // `quoted` is needsQuotes(text); a caller may have it at hand already.
    void textValue(std::string_view text, bool quoted, bool first) {
        char* p = room(text.size() + 4);
        if (!first) p = literal(p, ", ");
        if (quoted) *p++ = '"';
        p = copy(p, text);
        if (quoted) *p++ = '"';
        used(p);
    }
    void numberValue(float number, bool first);
    void value(cInfValue value, bool first) {
        if (value.isNumber()) {
            numberValue(value.number(), first);
        } else {
            textValue(value.textView(), needsQuotes(value.textView()), first);
        }
    }
    void keyEnd() { lineEnd(); }
    // The empty line after the keys of every node, the root included.
    void keysEnd() { lineEnd(); }
    // The "}" line of a section at depth >= 1.
    void sectionEnd(std::size_t depth);

  private:
    // Room for n more bytes behind what is used; the caller then calls
    // used() with the end of what it wrote.
    char* room(std::size_t n) {
        if (m_capacity - m_used < n) makeRoom(n);
        return m_data + m_used;
    }
    void used(const char* end) { m_used = static_cast<std::size_t>(end - m_data); }
    void makeRoom(std::size_t n);
    void flush();
    // Names and values are short: a call into the library per piece would
    // cost more than the copy, done here as two overlapping loads and stores.
    static char* copy(char* p, std::string_view text) {
        const char* from = text.data();
        const std::size_t n = text.size();
        if (n > 32) {
            std::memcpy(p, from, n);
        } else if (n >= 16) {
            copyEnds<16>(p, from, n);
        } else if (n >= 8) {
            copyEnds<8>(p, from, n);
        } else if (n >= 4) {
            copyEnds<4>(p, from, n);
        } else {
            for (std::size_t i = 0; i < n; ++i) p[i] = from[i];
        }
        return p + n;
    }
    // A short constant: one fixed-size move.
    template <std::size_t N>
    static char* literal(char* p, const char (&text)[N]) {
        std::memcpy(p, text, N - 1);
        return p + N - 1;
    }
    template <std::size_t W>
    static void copyEnds(char* p, const char* from, std::size_t n) {
        char head[W], tail[W];
        std::memcpy(head, from, W);
        std::memcpy(tail, from + n - W, W);
        std::memcpy(p, head, W);
        std::memcpy(p + n - W, tail, W);
    }
    void lineEnd() { used(literal(room(2), "\r\n")); }

    TextSink m_sink;
    std::unique_ptr<char[]> m_owned;
    char* m_data;
    std::size_t m_capacity;
    std::size_t m_used = 0;
};

}  // namespace text_inf_writer
