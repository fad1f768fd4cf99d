// The binary format's string table: distinct strings numbered in the order
// first added (byte-exact comparison), found again through a hash index so
// adding stays constant time however large the table grows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class cStringTable {
public:
    void clear();
    // The index of the byte-equal string, appending it when new.
    std::uint32_t add(std::string_view text);
    // Appends without looking for an equal string (the reader keeps the file's
    // numbering even if a damaged file repeats a string).
    std::uint32_t append(std::string text);

    std::size_t count() const { return m_strings.size(); }
    const std::string& at(std::size_t index) const { return m_strings[index]; }
    const std::vector<std::string>& strings() const { return m_strings; }

private:
    void grow();

    std::vector<std::string> m_strings;
    // Open addressing: string index + 1, 0 for an empty slot.
    std::vector<std::uint32_t> m_slots;
    std::vector<std::uint32_t> m_hashes;  // hash of each string, parallel to m_strings
};
