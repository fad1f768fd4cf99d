// INF text output: sections as bracketed headers with braces, TAB indentation
// by depth, one "name = values" line per key, CR LF line ends.
#pragma once

#include <cstddef>
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
    explicit cTextInfAppender(std::string& out) : m_out(out) {}

    // The "[name]" and "{" lines of a section at depth >= 1.
    void sectionStart(std::string_view name, std::size_t depth);
    // A key line of a node at `nodeDepth`: keyStart, every value, keyEnd.
    // The small steps are inline: a large file has millions of them.
    void keyStart(std::string_view name, std::size_t nodeDepth) {
        m_out.append(nodeDepth, '\t');
        m_out += name;
        m_out.append(" = ", 3);
    }
    // `quoted` is needsQuotes(text); a caller may have it at hand already.
    void textValue(std::string_view text, bool quoted, bool first) {
        if (!first) m_out.append(", ", 2);
        if (quoted) {
            m_out += '"';
            m_out += text;
            m_out += '"';
        } else {
            m_out += text;
        }
    }
    void numberValue(float number, bool first);
    void value(cInfValue value, bool first) {
        if (value.isNumber()) {
            numberValue(value.number(), first);
        } else {
            textValue(value.textView(), needsQuotes(value.textView()), first);
        }
    }
    void keyEnd() { m_out.append("\r\n", 2); }
    // The empty line after the keys of every node, the root included.
    void keysEnd() { m_out.append("\r\n", 2); }
    // The "}" line of a section at depth >= 1.
    void sectionEnd(std::size_t depth);

  private:
    std::string& m_out;
};

}  // namespace text_inf_writer
