// INF text output: sections as bracketed headers with braces, TAB indentation
// by depth, one "name = values" line per key, CR LF line ends.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "inf_value_list.h"

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

// Appends the text form piece by piece in document order. render() feeds it
// from a tree and the binary reader straight from a file's records, so both
// write exactly the same bytes. Depth counts from the root (0).
class cTextInfAppender {
  public:
    // Appends to `out`; the text is complete once finish() (or destruction) has run.
    explicit cTextInfAppender(std::string& out) : m_out(out), m_used(out.size()) {}
    ~cTextInfAppender() { finish(); }
    cTextInfAppender(const cTextInfAppender&) = delete;
    cTextInfAppender& operator=(const cTextInfAppender&) = delete;

    void finish() { m_out.resize(m_used); }
    // Reserves room for about n more bytes at once.
    void expect(std::size_t n) { m_out.reserve(m_used + n); }

    // The "[name]" and "{" lines of a section at depth >= 1.
    void sectionStart(std::string_view name, std::size_t depth);
    // A key line of a node at `nodeDepth`: keyStart, every value, keyEnd.
    // The small steps are inline: a large file has millions of them.
    void keyStart(std::string_view name, std::size_t nodeDepth) {
        char* p = room(nodeDepth + name.size() + 3);
        p = tabs(p, nodeDepth);
        p = copy(p, name);
        m_used = copy(p, " = ") - m_out.data();
    }
    // `quoted` is needsQuotes(text); a caller may have it at hand already.
    void textValue(std::string_view text, bool quoted, bool first) {
        char* p = room(text.size() + 4);
        if (!first) p = copy(p, ", ");
        if (quoted) *p++ = '"';
        p = copy(p, text);
        if (quoted) *p++ = '"';
        m_used = static_cast<std::size_t>(p - m_out.data());
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
    // Room for n more bytes at the end of what is used; the caller sets
    // m_used. Bytes are written straight into the string, made longer a
    // little at a time within its capacity (so only what is written is ever
    // touched) and reallocated by doubling beyond it.
    char* room(std::size_t n) {
        if (m_out.size() - m_used < n) {
            const std::size_t want = m_used + n + kStep;
            m_out.resize(want <= m_out.capacity() ? want : std::max(2 * m_out.size(), want));
        }
        return m_out.data() + m_used;
    }
    // Names and values are short: a call into the library per piece would
    // cost more than the copy.
    static char* copy(char* p, std::string_view text) {
        if (text.size() > 32) {
            std::memcpy(p, text.data(), text.size());
            return p + text.size();
        }
        for (char c : text) *p++ = c;
        return p;
    }
    static char* tabs(char* p, std::size_t n) {
        for (; n > 0; --n) *p++ = '\t';
        return p;
    }
    void lineEnd() { m_used = copy(room(2), "\r\n") - m_out.data(); }

    static constexpr std::size_t kStep = std::size_t{1} << 16;

    std::string& m_out;
    std::size_t m_used;
};

}  // namespace text_inf_writer
