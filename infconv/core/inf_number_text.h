// A 32-bit float as the text form writes it, into a caller's buffer; inline,
// since a number-heavy file writes millions of them.
#pragma once

#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace text_inf_writer {

// Bytes formatNumberInto may write: sign, the 39 digits of FLT_MAX, and the
// wide stores of the digits.
inline constexpr std::size_t kNumberTextRoom = 64;

namespace number_text {

// The eight decimal digits of n < 10^8, leading zeros included, as the
// values 0..9 in the bytes of a word, the first digit in the lowest byte.
// Both halves, then the four quarters, then the eight digits are split at
// once by multiplications within the word's lanes: a number costs a dozen
// instructions instead of a division per digit pair.
[[gnu::always_inline]] inline std::uint64_t digitBytes(std::uint32_t n) {
    const std::uint64_t x = n;
    // Lanes of 32 bits: the first four digits, then the last four.
    std::uint64_t v = (x / 10000u) | ((x % 10000u) << 32);
    // Lanes of 16 bits: each lane's value / 100 (exact below 10^4), then % 100.
    const std::uint64_t hundreds = ((v * 10486u) >> 20) & 0x0000007F0000007Fu;
    v = hundreds | ((v - hundreds * 100u) << 16);
    // Bytes: each lane's value / 10 (exact below 100), then % 10.
    const std::uint64_t tens = ((v * 103u) >> 10) & 0x000F000F000F000Fu;
    return tens | ((v - tens * 10u) << 8);
}

constexpr std::uint64_t kAsciiZeros = 0x3030303030303030u;

// Stores eight bytes at `out` and keeps the first `keep` (the buffers leave
// room behind every piece).
[[gnu::always_inline]] inline char* store8(char* out, std::uint64_t bytes, std::size_t keep) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &bytes, 8);
    } else {
        for (int i = 0; i < 8; ++i) out[i] = static_cast<char>(bytes >> (8 * i));
    }
    return out + keep;
}

// A whole number below 10^8 without leading zeros, and without a branch:
// the digits of a file's numbers follow no pattern a processor could guess.
[[gnu::always_inline]] inline char* writeWhole(char* out, std::uint32_t value) {
    const std::uint64_t digits = digitBytes(value);
    // The leading zero digits are the zero bytes at the low end; the last
    // digit counts as one even when it is 0.
    const int zeros = std::countr_zero(digits | (std::uint64_t{1} << 56)) / 8;
    return store8(out, (digits + kAsciiZeros) >> (8 * zeros), static_cast<std::size_t>(8 - zeros));
}

// value = mantissa * 2^-shift with 0 < shift < 64 and the mantissa below
// 2^24: its value times 10^7 is m * 10^7 (below 2^48) divided by 2^s, and
// that integer rounded half to even, as printf rounds, gives the whole part
// and the seven decimals exactly. A whole number takes the same path: its
// decimals are 0 and leave no point.
[[gnu::always_inline]] inline char* writeScaled(char* out, std::uint64_t mantissa, int shift) {
    const std::uint64_t scaled = mantissa * 10000000u;
    std::uint64_t units = scaled >> shift;
    const std::uint64_t rest = scaled - (units << shift);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    units += static_cast<std::uint64_t>((rest > half) | ((rest == half) & (units & 1)));
    // Below 2^23 (a float with a fraction is), the whole part has at most
    // seven digits.
    out = writeWhole(out, static_cast<std::uint32_t>(units / 10000000u));
    // Below 10^7, the first of the eight digit bytes is a zero: the point
    // takes its place. The zeros at the end are the zero bytes at the top;
    // with no decimals at all, nothing is kept. (The count is of a word that
    // is never 0: without a newer instruction set, counting the bits of 0
    // takes a branch.)
    const std::uint64_t digits = digitBytes(static_cast<std::uint32_t>(units % 10000000u));
    const int zeros = std::countl_zero(digits | 1) / 8;
    const std::size_t keep = static_cast<std::size_t>(8 - zeros) - (digits == 0 ? 1 : 0);
    return store8(out, digits + (kAsciiZeros & ~std::uint64_t{0xFF}) + '.', keep);
}

// Zero, numbers from 2^23 up or below 2^-63, infinities and NaNs; the sign
// is written already.
inline char* writeUnusual(char* out, std::uint32_t bits, float magnitude) {
    const int exponent = static_cast<int>((bits >> 23) & 0xFF);
    std::uint64_t mantissa = bits & 0x7FFFFF;
    if (exponent == 0xFF) {
        // Spelled as glibc's "%.7f" spells them: not every C library does,
        // and the output is the same everywhere.
        static constexpr char kNan[3] = {'n', 'a', 'n'};
        static constexpr char kInf[3] = {'i', 'n', 'f'};
        std::memcpy(out, mantissa != 0 ? kNan : kInf, 3);
        return out + 3;
    }
    int shift;  // value = mantissa * 2^-shift
    if (exponent == 0) {
        shift = 149;
    } else {
        mantissa |= 0x800000;
        shift = 150 - exponent;
    }
    if (mantissa == 0 || shift >= 64) {
        // Below 2^-63 the value is far from half of the seventh decimal.
        *out = '0';
        return out + 1;
    }
    if (shift > 0) return writeScaled(out, mantissa, shift);
    // A whole number of 2^23 and more.
    if (-shift < 40) {
        const std::uint64_t value = mantissa << -shift;
        if (value < 100000000u) return writeWhole(out, static_cast<std::uint32_t>(value));
        return std::to_chars(out, out + 24, value).ptr;
    }
    // Past 2^64: the exact digits of the double of the same value.
    return std::to_chars(out, out + kNumberTextRoom - 1, static_cast<double>(magnitude),
                         std::chars_format::fixed, 0)
        .ptr;
}

// Writes the number's text at `out` and returns its end; up to
// kNumberTextRoom bytes behind `out` may be written. The text is what
// "%.0f" prints for a whole number and "%.7f" for any other, with trailing
// zeros and a trailing "." removed; a whole number prints the same digits
// either way.
[[gnu::always_inline]] inline char* formatNumberInto(char* out, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    // printf gives every negative value its sign, -0 and NaN included.
    *out = '-';
    out += bits >> 31;
    const int exponent = static_cast<int>((bits >> 23) & 0xFF);
    // The usual numbers, from 2^-63 to below 2^23: exponents 87 to 149.
    if (static_cast<unsigned>(exponent - 87) < 63u)
        return writeScaled(out, (bits & 0x7FFFFF) | 0x800000, 150 - exponent);
    return writeUnusual(out, bits, std::fabs(value));
}

}  // namespace number_text

using number_text::formatNumberInto;

}  // namespace text_inf_writer
