#pragma once
// A fixed-capacity single-byte string: at most N characters, stored in files as
// one length byte followed by N character bytes. Longer text is cut silently;
// comparison is exact (length and bytes, case-sensitive).

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace mw {

template <std::size_t N>
class FixedString {
    static_assert(N >= 1 && N <= 255, "the length byte limits the capacity to 255");

  public:
    static constexpr std::size_t capacity = N;
    /// Bytes the field occupies in a file: the length byte and N characters.
    static constexpr std::size_t storedSize = N + 1;

    FixedString() = default;
    FixedString(std::string_view text) { assign(text); }  // NOLINT: cutting is the point
    // Explicit: a cut between capacities must be visible where it happens.
    template <std::size_t M>
    explicit FixedString(const FixedString<M>& other) {
        assign(other.view());
    }

    void assign(std::string_view text) {
        len_ = static_cast<std::uint8_t>(std::min(text.size(), N));
        std::memcpy(chars_.data(), text.data(), len_);
    }
    FixedString& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    std::string_view view() const { return {chars_.data(), len_}; }
    std::string str() const { return std::string(view()); }
    std::size_t size() const { return len_; }
    bool empty() const { return len_ == 0; }

    friend bool operator==(const FixedString& a, const FixedString& b) {
        return a.view() == b.view();
    }
    friend bool operator==(const FixedString& a, std::string_view b) { return a.view() == b; }

    /// Writes the field as stored: length byte, text, zero bytes behind it.
    void store(std::uint8_t* out) const {
        out[0] = len_;
        std::memcpy(out + 1, chars_.data(), len_);
        std::memset(out + 1 + len_, 0, N - len_);
    }
    /// Reads a stored field. A length byte above N (a damaged file) is held to N,
    /// so nothing is read outside the field.
    static FixedString load(const std::uint8_t* in) {
        FixedString s;
        s.len_ = std::min<std::uint8_t>(in[0], static_cast<std::uint8_t>(N));
        std::memcpy(s.chars_.data(), in + 1, s.len_);
        return s;
    }

  private:
    std::uint8_t len_ = 0;
    std::array<char, N> chars_{};
};

}  // namespace mw
