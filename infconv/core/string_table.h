// The binary format's string table: distinct strings numbered in the order
// first added (byte-exact comparison), found again through a hash index so
// adding stays constant time however large the table grows. The index is
// brought up to date only when a string is looked up, so a table that is only
// appended to (the binary reader's, the writer's while every string is known
// to be new) hashes nothing.
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
    // The same, given infTextHash(text) (an interned string knows it).
    std::uint32_t add(std::string_view text, std::uint64_t textHash);
    // Appends without looking for an equal string (the reader keeps the file's
    // numbering even if a damaged file repeats a string; add() still finds
    // the first of equal strings).
    std::uint32_t append(std::string text);

    void reserve(std::size_t count) { m_strings.reserve(count); }
    std::size_t count() const { return m_strings.size(); }
    const std::string& at(std::size_t index) const { return m_strings[index]; }
    const std::vector<std::string>& strings() const { return m_strings; }

  private:
    // Indexes the strings appended since, with room for `room` more.
    void index(std::size_t room);
    // The slot holding the first string equal to `text`, or the empty slot
    // where it would go.
    std::size_t slotFor(std::string_view text, std::uint32_t hash) const;

    std::vector<std::string> m_strings;
    // Open addressing: string index + 1, 0 for an empty slot.
    std::vector<std::uint32_t> m_slots;
    std::vector<std::uint32_t> m_hashes;  // hash of each indexed string, parallel to m_strings
};
