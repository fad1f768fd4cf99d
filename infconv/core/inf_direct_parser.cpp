#include "inf_direct_parser.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "inf_scan_bytes.h"
#include "inf_token.h"
#include "inf_token_number.h"
#include "inf_tree.h"

namespace {

using namespace inf_scan;

// The kinds of token the scanner makes; End at the end of the text, GiveUp
// at a directive.
enum class Kind { BlockStart, BlockEnd, String, SectionName, Equal, Number, Comma, End, GiveUp };

// The scanner's rules for a text without splices, token by token. The
// token's text or number is kept in the scanner (a token returned as a
// struct costs more to pass than to scan).
class DirectScanner {
  public:
    explicit DirectScanner(std::string_view text)
        : m_p(text.data()), m_end(text.data() + text.size()) {}

    Kind next() {
        for (;;) {
            // A local cursor: stores through a char pointer could alias the member.
            const char* p = m_p;
            while (p != m_end && kBetweenTokens[static_cast<unsigned char>(*p)]) ++p;
            m_p = p;
            if (p == m_end) return Kind::End;
            const char c = *p;
            switch (c) {
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
                    skipComment();
                    continue;
                default:
                    if (startsNumber(static_cast<unsigned char>(c))) return scanNumber();
                    return scanWord();
            }
        }
    }

    // The last String or SectionName token's text; the last Number's value.
    std::string_view text() const { return m_text; }
    float number() const { return m_number; }

  private:
    Kind scanQuoted() {
        const char* begin = ++m_p;
        const void* close = std::memchr(begin, '"', static_cast<std::size_t>(m_end - begin));
        const char* stop = close ? static_cast<const char*>(close) : m_end;
        m_p = close ? stop + 1 : m_end;
        m_text = std::string_view(begin, static_cast<std::size_t>(stop - begin));
        if (m_text.find('\n') != std::string_view::npos) {
            // Line feeds are left out of quoted strings.
            m_scratch.clear();
            for (char ch : m_text)
                if (ch != '\n') m_scratch.push_back(ch);
            m_text = m_scratch;
        }
        return Kind::String;
    }

    Kind scanSectionName() {
        const char* begin = ++m_p;
        const void* close = std::memchr(begin, ']', static_cast<std::size_t>(m_end - begin));
        const char* stop = close ? static_cast<const char*>(close) : m_end;
        m_p = close ? stop + 1 : m_end;
        m_text = trimmedBlanks(std::string_view(begin, static_cast<std::size_t>(stop - begin)));
        return Kind::SectionName;
    }

    void skipComment() {
        const void* cr = std::memchr(m_p, '\r', static_cast<std::size_t>(m_end - m_p));
        m_p = cr ? static_cast<const char*>(cr) + 1 : m_end;
    }

    Kind scanWord() {
        const char* begin = m_p;
        const char* p = begin + 1;
        while (p != m_end && !kEndsWord[static_cast<unsigned char>(*p)]) ++p;
        m_p = p;
        m_text = trimmedEnd(std::string_view(begin, static_cast<std::size_t>(p - begin)));
        return Kind::String;
    }

    // The digits are gathered while the token is scanned; a plain number of
    // up to 15 digits is converted from them as infNumberValue converts it
    // (one exact division), any other form by infNumberValue itself.
    Kind scanNumber() {
        static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        const char* begin = m_p;
        const char* p = begin;
        const bool negative = *p == '-';
        if (negative) ++p;
        std::uint64_t digits = 0;
        int count = 0;
        int points = 0;
        int fraction = 0;
        for (; p != m_end; ++p) {
            const unsigned d = static_cast<unsigned char>(*p) - '0';
            if (d < 10) {
                digits = digits * 10 + d;
                ++count;
                fraction += points;
            } else if (*p == '.') {
                ++points;
            } else {
                break;
            }
        }
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

    const char* m_p;
    const char* m_end;
    std::string_view m_text;
    float m_number = 0.0f;
    std::string m_scratch;
};

struct Value {
    const cInfString* text;  // null for a number
    float number;
};

}  // namespace

bool parseInfTextDirectly(std::string_view text, cInfNode* root) {
    // The scanner's limit on the bytes of all texts is left to it.
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) return false;
    DirectScanner scan(text);
    cInfArena& arena = root->arena();
    cInfNode* current = root;
    bool sectionJustSeen = false;
    std::vector<Value> values;

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
                if (!current->parent()) return false;
                current = current->parent();
                token = scan.next();
                break;
            case Kind::SectionName:
                current = current->addSection(arena.intern(scan.text()));
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
                cInfKey* key = current->addKey(name);
                key->reserveValues(values.size());
                for (const Value& value : values) {
                    if (value.text) {
                        key->addString(value.text);
                    } else {
                        key->addNumber(value.number);
                    }
                }
                break;
            }
            default:
                return false;
        }
    }
    return true;
}
