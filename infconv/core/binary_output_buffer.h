// Little-endian stores and the buffer both binary encoders write through.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string_view>

namespace binary_inf {

inline void storeU16(char* at, std::uint16_t v) {
    at[0] = static_cast<char>(v & 0xFF);
    at[1] = static_cast<char>(v >> 8);
}

inline void storeU32(char* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Pieces of output gathered into a buffer and handed to the sink a large
// piece at a time (a call per byte would cost more than the encoding).
class OutputBuffer {
  public:
    explicit OutputBuffer(const std::function<void(const char*, std::size_t)>& sink)
        : m_sink(sink), m_bytes(new char[kSize]) {}

    // Each put needs room made by ensure() first (n at most kSize).
    void ensure(std::size_t n) {
        if (n > kSize - m_used) flush();
    }
    void put8(std::uint8_t v) { m_bytes[m_used++] = static_cast<char>(v); }
    void put16(std::uint16_t v) {
        storeU16(m_bytes.get() + m_used, v);
        m_used += 2;
    }
    void put32(std::uint32_t v) {
        storeU32(m_bytes.get() + m_used, v);
        m_used += 4;
    }
    void putBytes(std::string_view text) {
        if (text.size() >= kSize) {
            flush();
            m_sink(text.data(), text.size());
            return;
        }
        ensure(text.size());
        std::memcpy(m_bytes.get() + m_used, text.data(), text.size());
        m_used += text.size();
    }
    // The string table: its count, then each string NUL-ended.
    template <class Strings, class View>
    void putStringTable(const Strings& strings, View view) {
        ensure(4);
        put32(static_cast<std::uint32_t>(strings.size()));
        for (const auto& s : strings) {
            putBytes(view(s));
            ensure(1);
            put8(0);
        }
    }
    void flush() {
        if (m_used) m_sink(m_bytes.get(), m_used);
        m_used = 0;
    }

  private:
    static constexpr std::size_t kSize = std::size_t{1} << 16;

    const std::function<void(const char*, std::size_t)>& m_sink;
    std::unique_ptr<char[]> m_bytes;
    std::size_t m_used = 0;
};

}  // namespace binary_inf
