#include "inf_direct_parser.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "inf_scan_bytes.h"
#include "inf_stream_encoder.h"
#include "inf_token.h"
#include "inf_token_number.h"
#include "inf_tree.h"

namespace {

using namespace inf_scan;

// How many of the eight bytes at `p` are decimal digits before the first
// that is not one, and their value; 8 when all are. One test for all eight
// bytes: a byte b is a digit when b ^ '0' is below 10 (a carry out of a
// byte that is no digit only spoils the bytes after it).
struct DigitRun {
    int length;
    std::uint32_t value;
};
inline DigitRun digitRun(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    if constexpr (std::endian::native == std::endian::big) {
        std::uint64_t swapped = 0;
        for (int i = 0; i < 8; ++i) swapped = swapped << 8 | ((word >> (8 * i)) & 0xFF);
        word = swapped;
    }
    const std::uint64_t values = word ^ 0x3030303030303030u;
    const std::uint64_t notDigits = ((values + 0x7676767676767676u) | values) & 0x8080808080808080u;
    if (notDigits == 0) return {8, 0};
    const int length = std::countr_zero(notDigits) / 8;
    if (length == 0) return {0, 0};
    // The run's digits at the top of the word, zeros below: then pairs,
    // quads and the eight combined by multiplications.
    std::uint64_t v = values << (8 * (8 - length));
    v = (v * 10) + (v >> 8);
    v = (((v & 0x000000FF000000FFu) * (100 + (1000000ull << 32))) +
         (((v >> 16) & 0x000000FF000000FFu) * (1 + (10000ull << 32)))) >>
        32;
    return {length, static_cast<std::uint32_t>(v)};
}

// The kinds of token the scanner makes; End at the end of the text, GiveUp
// at a directive.
enum class Kind { BlockStart, BlockEnd, String, SectionName, Equal, Number, Comma, End, GiveUp };

// The scanner's rules for a text without splices, token by token. The
// token's text or number is kept in the scanner (a token returned as a
// struct costs more to pass than to scan). Where a token reaches the end of
// the bytes at hand, more are read, the token's bytes kept, and it goes on.
class DirectScanner {
  public:
    explicit DirectScanner(cInfTextSource& source)
        : m_source(source), m_p(source.data()), m_end(m_p + source.size()), m_token(m_p) {}

    [[gnu::always_inline]] Kind next() {
        for (;;) {
            // A local cursor: stores through a char pointer could alias the member.
            const char* p = m_p;
            for (;;) {
                while (p != m_end && kBetweenTokens[static_cast<unsigned char>(*p)]) ++p;
                if (p != m_end) break;
                m_token = p;  // nothing to keep
                p = more();
                if (!p) {
                    p = m_end;
                    break;
                }
            }
            m_p = p;
            if (p == m_end) return Kind::End;
            switch (*p) {
                case '"':
                    return scanQuoted();
                case '#':
                    return Kind::GiveUp;
                case ',':
                    ++m_p;
                    return Kind::Comma;
                case '=':
                    ++m_p;
                    return Kind::Equal;
                case '{':
                    ++m_p;
                    return Kind::BlockStart;
                case '}':
                    ++m_p;
                    return Kind::BlockEnd;
                case '[':
                    return scanSectionName();
                case ';':
                    m_p = find(p + 1, '\r', false);
                    if (m_p != m_end) ++m_p;
                    continue;
                default:
                    if (startsNumber(static_cast<unsigned char>(*p))) return scanNumber();
                    return scanWord();
            }
        }
    }

    // The last String or SectionName token's text; the last Number's value.
    std::string_view text() const { return m_text; }
    float number() const { return m_number; }

  private:
    // The scanner refuses more than 4 GiB of words and strings in all; that
    // report is left to it.
    Kind counted(Kind kind) {
        m_textBytes += m_text.size();
        return m_textBytes > std::numeric_limits<std::uint32_t>::max() ? Kind::GiveUp : kind;
    }

    // Reads more after the bytes at hand, keeping those of the token begun
    // at m_token (which may move): where the new bytes start, or null at the
    // end of the text (nothing moved then).
    const char* more() {
        const auto keep = static_cast<std::size_t>(m_end - m_token);
        if (!m_source.more(keep)) return nullptr;
        m_token = m_source.data();
        m_end = m_token + m_source.size();
        return m_token + keep;
    }

    // The first `c` from `from` on, reading more as needed; the end when
    // none. The bytes from m_token on are kept if `keep`.
    const char* find(const char* from, char c, bool keep) {
        for (;;) {
            if (const void* hit = std::memchr(from, c, static_cast<std::size_t>(m_end - from))) {
                return static_cast<const char*>(hit);
            }
            if (!keep) m_token = m_end;
            from = more();
            if (!from) return m_end;
        }
    }

    Kind scanQuoted() {
        m_token = m_p;
        const char* stop = find(m_p + 1, '"', true);
        const char* begin = m_token + 1;
        m_p = stop == m_end ? m_end : stop + 1;
        m_text = std::string_view(begin, static_cast<std::size_t>(stop - begin));
        if (m_text.find('\n') != std::string_view::npos) {
            // Line feeds are left out of quoted strings.
            m_scratch.clear();
            for (char ch : m_text)
                if (ch != '\n') m_scratch.push_back(ch);
            m_text = m_scratch;
        }
        return counted(Kind::String);
    }

    Kind scanSectionName() {
        m_token = m_p;
        const char* stop = find(m_p + 1, ']', true);
        const char* begin = m_token + 1;
        m_p = stop == m_end ? m_end : stop + 1;
        m_text = trimmedBlanks(std::string_view(begin, static_cast<std::size_t>(stop - begin)));
        return counted(Kind::SectionName);
    }

    Kind scanWord() {
        m_token = m_p;
        const char* p = m_p + 1;
        for (;;) {
            while (p != m_end && !kEndsWord[static_cast<unsigned char>(*p)]) ++p;
            if (p != m_end) break;
            p = more();
            if (!p) {
                p = m_end;
                break;
            }
        }
        const char* begin = m_token;
        m_p = p;
        m_text = trimmedEnd(std::string_view(begin, static_cast<std::size_t>(p - begin)));
        return counted(Kind::String);
    }

    // The digits are gathered while the token is scanned; a plain number of
    // up to 15 digits is converted from them as infNumberValue converts it
    // (one exact division), any other form by infNumberValue itself.
    Kind scanNumber() {
        static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        static constexpr std::uint64_t kWholePowersOfTen[] = {1,     10,     100,     1000,
                                                              10000, 100000, 1000000, 10000000};
        m_token = m_p;
        const char* p = m_p;
        const bool negative = *p == '-';
        if (negative) ++p;
        // The usual "ddd" and "ddd.ddd" (fewer than eight digits on either
        // side) eight bytes at a time, where that many are at hand; anything
        // else byte by byte below, with the same result.
        if (m_end - p >= 18) {
            const DigitRun whole = digitRun(p);
            if (whole.length > 0 && whole.length < 8) {
                const char* at = p + whole.length;
                if (*at != '.') {
                    m_p = at;
                    const auto value = static_cast<double>(whole.value);
                    m_number = static_cast<float>(negative ? -value : value);
                    return Kind::Number;
                }
                const DigitRun part = digitRun(at + 1);
                if (part.length > 0 && part.length < 8 && at[1 + part.length] != '.') {
                    m_p = at + 1 + part.length;
                    const double value = static_cast<double>(std::uint64_t{whole.value} *
                                                                 kWholePowersOfTen[part.length] +
                                                             part.value) /
                                         kPowersOfTen[part.length];
                    m_number = static_cast<float>(negative ? -value : value);
                    return Kind::Number;
                }
            }
        }
        std::uint64_t digits = 0;
        int count = 0;
        int points = 0;
        int fraction = 0;
        for (bool ended = false; !ended;) {
            for (; p != m_end; ++p) {
                const unsigned d = static_cast<unsigned char>(*p) - '0';
                if (d < 10) {
                    digits = digits * 10 + d;
                    ++count;
                    fraction += points;
                } else if (*p == '.') {
                    ++points;
                } else {
                    ended = true;
                    break;
                }
            }
            if (ended) break;
            p = more();
            if (!p) {
                p = m_end;
                break;
            }
        }
        const char* begin = m_token;
        m_p = p;
        const std::string_view text(begin, static_cast<std::size_t>(p - begin));
        // "-" may only lead; a later one is the next number's.
        const bool plain = count > 0 && count <= 15 && points <= 1 &&
                           (points == 0 || (fraction > 0 && fraction < count));
        if (!plain) {
            m_number = infNumberValue(text);
            return Kind::Number;
        }
        double value = static_cast<double>(digits);
        if (fraction > 0) value /= kPowersOfTen[fraction];
        m_number = static_cast<float>(negative ? -value : value);
        return Kind::Number;
    }

    cInfTextSource& m_source;
    const char* m_p;
    const char* m_end;
    // The first byte of the token being scanned, kept when more are read.
    const char* m_token;
    std::string_view m_text;
    float m_number = 0.0f;
    std::uint64_t m_textBytes = 0;
    std::string m_scratch;
};

// A text all in memory.
class WholeText : public cInfTextSource {
  public:
    explicit WholeText(std::string_view text) : m_text(text) {}
    const char* data() const override { return m_text.data(); }
    std::size_t size() const override { return m_text.size(); }

  private:
    std::string_view m_text;
};

// The direct parser's output as the tree (the same calls the parser's own
// tree building makes).
class TreeBuilder {
  public:
    explicit TreeBuilder(cInfNode* root) : m_current(root) {}
    cInfArena& arena() { return m_current->arena(); }
    bool section(const cInfString* name) {
        m_current = m_current->addSection(name);
        return true;
    }
    bool close() {
        if (!m_current->parent()) return false;
        m_current = m_current->parent();
        return true;
    }
    bool key(const cInfString* name, const cInfDirectValue* values, std::size_t count) {
        cInfKey* key = m_current->addKey(name);
        key->reserveValues(count);
        for (std::size_t v = 0; v < count; ++v) {
            if (values[v].text) {
                key->addString(values[v].text);
            } else {
                key->addNumber(values[v].number);
            }
        }
        return true;
    }
    bool finish() { return true; }

  private:
    cInfNode* m_current;
};

template <class Builder>
bool parseDirectly(cInfTextSource& text, Builder& build) {
    DirectScanner scan(text);
    cInfArena& arena = build.arena();
    bool sectionJustSeen = false;
    std::vector<cInfDirectValue> values;

    Kind token = scan.next();
    while (token != Kind::End) {
        switch (token) {
            case Kind::BlockStart:
                if (!sectionJustSeen) return false;
                sectionJustSeen = false;
                token = scan.next();
                break;
            case Kind::BlockEnd:
                sectionJustSeen = false;
                if (!build.close()) return false;
                token = scan.next();
                break;
            case Kind::SectionName:
                if (!build.section(arena.intern(scan.text()))) return false;
                sectionJustSeen = true;
                token = scan.next();
                break;
            case Kind::String: {
                // A key: its name, a separator of any kind, then values joined by commas.
                sectionJustSeen = false;
                const cInfString* name = arena.intern(scan.text());
                const Kind separator = scan.next();
                if (separator == Kind::End || separator == Kind::GiveUp) return false;
                values.clear();
                token = scan.next();
                while (token != Kind::End) {
                    if (token == Kind::String) {
                        values.push_back({arena.intern(scan.text()), 0.0f});
                    } else if (token == Kind::Number) {
                        values.push_back({nullptr, scan.number()});
                    } else {
                        return false;
                    }
                    token = scan.next();
                    if (token != Kind::Comma) break;
                    token = scan.next();
                }
                if (token == Kind::GiveUp) return false;
                if (!build.key(name, values.data(), values.size())) return false;
                break;
            }
            default:
                return false;
        }
    }
    return build.finish();
}

}  // namespace

bool parseInfTextDirectly(std::string_view text, cInfNode* root) {
    WholeText whole(text);
    return parseInfTextDirectly(whole, root);
}

bool parseInfTextDirectly(cInfTextSource& text, cInfNode* root) {
    TreeBuilder tree(root);
    return parseDirectly(text, tree);
}

bool encodeInfTextDirectly(cInfTextSource& text, cInfStreamEncoder& encoder) {
    return parseDirectly(text, encoder);
}

bool encodeInfTextDirectly(std::string_view text, cInfStreamEncoder& encoder) {
    WholeText whole(text);
    return encodeInfTextDirectly(whole, encoder);
}
