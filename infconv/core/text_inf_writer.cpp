#include "text_inf_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "exceptions.h"
#include "inf_tree.h"

namespace text_inf_writer {

namespace {

// Longest number text: sign, 39 integer digits of FLT_MAX, point, 7 decimals.
constexpr std::size_t kNumberBufferSize = 64;

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// A whole number's digits; small ones (the most common) without a library call.
char* writeWhole(char* out, std::uint64_t value) {
    if (value < 10) {
        *out = static_cast<char>('0' + value);
        return out + 1;
    }
    if (value < 100) {
        std::memcpy(out, kDigitPairs + 2 * value, 2);
        return out + 2;
    }
    return std::to_chars(out, out + 24, value).ptr;
}

// A float that is no whole number is m * 2^-s with m below 2^24 and s at
// least 1, so its value times 10^7 is m * 10^7 (below 2^48) divided by 2^s:
// rounded half to even, as printf rounds, that integer gives the seven
// decimals exactly. Returns the end of the text, or null for a whole number.
char* formatFraction(char* out, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    const int exponent = static_cast<int>((bits >> 23) & 0xFF);
    std::uint64_t mantissa = bits & 0x7FFFFF;
    int shift;  // value = mantissa * 2^-shift
    if (exponent == 0) {
        shift = 149;
    } else {
        mantissa |= 0x800000;
        shift = 150 - exponent;
    }
    if (shift <= 0 || mantissa == 0) return nullptr;
    const std::uint64_t scaled = mantissa * 10000000u;
    std::uint64_t units;  // value * 10^7, rounded
    if (shift >= 64) {
        units = 0;  // below 2^48 / 2^64: far from half a unit
    } else {
        units = scaled >> shift;
        const std::uint64_t rest = scaled - (units << shift);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        if (rest > half || (rest == half && (units & 1))) ++units;
    }
    if (bits >> 31) *out++ = '-';
    // The whole part, then the seven decimals without their trailing zeros.
    out = writeWhole(out, units / 10000000u);
    std::uint32_t decimals = static_cast<std::uint32_t>(units % 10000000u);
    if (decimals == 0) return out;
    *out++ = '.';
    // Seven digits, two at a time, then the zeros at the end cut off. Each
    // divisor is spelled out: a constant divides by a multiplication, one
    // read from a table by a division instruction, which took a sixth of
    // the writing of a number-heavy text.
    const std::uint32_t first = decimals / 1000000u;
    const std::uint32_t six = decimals - first * 1000000u;
    const std::uint32_t high = six / 10000u;
    const std::uint32_t four = six - high * 10000u;
    const std::uint32_t middle = four / 100u;
    const std::uint32_t low = four - middle * 100u;
    out[0] = static_cast<char>('0' + first);
    std::memcpy(out + 1, kDigitPairs + std::size_t{2} * high, 2);
    std::memcpy(out + 3, kDigitPairs + std::size_t{2} * middle, 2);
    std::memcpy(out + 5, kDigitPairs + std::size_t{2} * low, 2);
    char* end = out + 7;
    while (end[-1] == '0') --end;
    return end;
}

// Writes the number's text at `out` and returns its end. std::to_chars gives
// the same correctly rounded digits as "%.0f" / "%.7f" without printf's
// multi-precision path.
char* formatNumberInto(char* out, float value) {
    char* const limit = out + kNumberBufferSize;
    // Whole numbers within the 32-bit range print without a fraction.
    if (value >= -2147483648.0f && value < 2147483648.0f) {
        auto whole = static_cast<std::int32_t>(value);
        if (static_cast<float>(whole) == value) {
            // "%.0f" keeps the sign of negative zero.
            if (whole == 0 && std::signbit(value)) *out++ = '-';
            return std::to_chars(out, limit, whole).ptr;
        }
    }
    if (!std::isfinite(value)) {
        // Rare. Spelled as glibc's "%.7f" spells them, sign included: not
        // every C library gives a NaN its sign, and the output is the same
        // everywhere.
        const char* text = std::isnan(value) ? (std::signbit(value) ? "-nan" : "nan")
                                             : (std::signbit(value) ? "-inf" : "inf");
        return std::copy(text, text + std::strlen(text), out);
    }
    if (char* end = formatFraction(out, value)) return end;
    char* end =
        std::to_chars(out, limit, static_cast<double>(value), std::chars_format::fixed, 7).ptr;
    // Fixed notation with 7 decimals always has a point: strip zeros, then it.
    while (end[-1] == '0') --end;
    if (end[-1] == '.') --end;
    return end;
}

}  // namespace

std::string formatNumber(float value) {
    char buffer[kNumberBufferSize];
    return std::string(buffer, formatNumberInto(buffer, value));
}

bool needsQuotes(std::string_view text) {
    if (text.empty()) return true;
    auto first = static_cast<unsigned char>(text[0]);
    if (first < 0x41 || first >= 0x80) return true;
    for (char c : text) {
        if (c == ' ' || c == '\r' || c == '\n' || (c >= '0' && c <= '9')) return true;
    }
    return false;
}

void cTextInfAppender::makeRoom(std::size_t n) {
    flush();
    if (n <= m_capacity) return;
    // A piece longer than the buffer (a very long string) gets a buffer of its own size.
    m_buffer.reset();
    m_buffer.reset(new char[n]);
    m_capacity = n;
}

void cTextInfAppender::flush() {
    if (m_used == 0) return;
    const std::size_t n = m_used;
    m_used = 0;
    m_sink(m_buffer.get(), n);
}

void cTextInfAppender::sectionStart(std::string_view name, std::size_t depth) {
    char* p = room(2 * (depth - 1) + name.size() + 7);
    p = tabs(p, depth - 1);
    *p++ = '[';
    p = copy(p, name);
    p = copy(p, "]\r\n");
    p = tabs(p, depth - 1);
    used(copy(p, "{\r\n"));
}

void cTextInfAppender::numberValue(float number, bool first) {
    char* p = room(2 + kNumberBufferSize);
    if (!first) p = copy(p, ", ");
    used(formatNumberInto(p, number));
}

void cTextInfAppender::sectionEnd(std::size_t depth) {
    char* p = room(depth - 1 + 3);
    p = tabs(p, depth - 1);
    used(copy(p, "}\r\n"));
}

namespace {

// Header and keys of a node at the given depth (the root has depth 0).
void nodeHead(cTextInfAppender& out, const cInfNode& node, std::size_t depth) {
    if (depth > 0) out.sectionStart(node.name(), depth);
    for (const cInfKey* key : node.keys().items()) {
        out.keyStart(key->name(), depth);
        const cInfValueList& values = key->values();
        for (std::size_t v = 0; v < values.size(); ++v) {
            if (const cInfString* text = values.textAt(v)) {
                // Decided once per distinct string, not per use.
                if (text->quoting == cInfString::kUnknown)
                    text->quoting = needsQuotes(text->view());
                out.textValue(text->view(), text->quoting != 0, v == 0);
            } else {
                out.numberValue(values.numberAt(v), v == 0);
            }
        }
        out.keyEnd();
    }
    out.keysEnd();
}

}  // namespace

std::string render(const cInfNode& root, const std::string& fileName) {
    std::string text;
    render(root, fileName, [&text](const char* data, std::size_t n) { text.append(data, n); });
    return text;
}

void render(const cInfNode& root, const std::string& fileName, const TextSink& sink) {
    cTextInfAppender out(sink);
    struct Frame {
        const cInfNode* node;
        std::size_t next;
    };
    // Iterative, so a deeply nested tree costs heap, not stack.
    std::vector<Frame> stack;
    nodeHead(out, root, 0);
    stack.push_back({&root, 0});
    while (!stack.empty()) {
        Frame& top = stack.back();
        std::size_t depth = stack.size() - 1;
        if (top.next == top.node->sectionCount()) {
            if (depth > 0) out.sectionEnd(depth);
            stack.pop_back();
            continue;
        }
        const cInfNode* child = top.node->section(top.next++);
        if (depth + 1 > kMaxInfDepth) {
            throw new cFileException(fileName, "sections nested deeper than " +
                                                   std::to_string(kMaxInfDepth) +
                                                   " levels cannot be written");
        }
        nodeHead(out, *child, depth + 1);
        stack.push_back({child, 0});
    }
    out.finish();
}

}  // namespace text_inf_writer
