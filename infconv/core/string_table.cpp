#include "string_table.h"

namespace {

// FNV-1a: cheap and well spread for short names.
std::uint32_t tableHash(std::string_view text) {
    std::uint32_t h = 2166136261u;
    for (char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

}  // namespace

void cStringTable::clear() {
    m_strings.clear();
    m_hashes.clear();
    m_slots.clear();
}

void cStringTable::grow() {
    std::size_t size = m_slots.empty() ? 64 : m_slots.size() * 2;
    m_slots.assign(size, 0);
    std::size_t mask = size - 1;
    for (std::size_t i = 0; i < m_strings.size(); ++i) {
        std::size_t slot = m_hashes[i] & mask;
        while (m_slots[slot] != 0) slot = (slot + 1) & mask;
        m_slots[slot] = static_cast<std::uint32_t>(i + 1);
    }
}

std::uint32_t cStringTable::add(std::string_view text) {
    // Keep the load factor at or below one half.
    if ((m_strings.size() + 1) * 2 > m_slots.size()) grow();
    std::uint32_t h = tableHash(text);
    std::size_t mask = m_slots.size() - 1;
    std::size_t slot = h & mask;
    while (m_slots[slot] != 0) {
        std::uint32_t index = m_slots[slot] - 1;
        if (m_hashes[index] == h && m_strings[index] == text) return index;
        slot = (slot + 1) & mask;
    }
    auto index = static_cast<std::uint32_t>(m_strings.size());
    m_strings.emplace_back(text);
    m_hashes.push_back(h);
    m_slots[slot] = index + 1;
    return index;
}

std::uint32_t cStringTable::append(std::string text) {
    // Only the first of equal strings is indexed, matching what add would return.
    if ((m_strings.size() + 1) * 2 > m_slots.size()) grow();
    std::uint32_t h = tableHash(text);
    std::size_t mask = m_slots.size() - 1;
    std::size_t slot = h & mask;
    bool seen = false;
    while (m_slots[slot] != 0) {
        std::uint32_t index = m_slots[slot] - 1;
        if (m_hashes[index] == h && m_strings[index] == text) {
            seen = true;
            break;
        }
        slot = (slot + 1) & mask;
    }
    auto index = static_cast<std::uint32_t>(m_strings.size());
    m_strings.push_back(std::move(text));
    m_hashes.push_back(h);
    if (!seen) m_slots[slot] = index + 1;
    return index;
}
