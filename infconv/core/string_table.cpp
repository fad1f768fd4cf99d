#include "string_table.h"

#include "inf_arena.h"

void cStringTable::clear() {
    m_strings.clear();
    m_hashes.clear();
    m_slots.clear();
}

std::size_t cStringTable::slotFor(std::string_view text, std::uint32_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = hash & mask;
    while (m_slots[slot] != 0) {
        const std::uint32_t index = m_slots[slot] - 1;
        if (m_hashes[index] == hash && m_strings[index] == text) return slot;
        slot = (slot + 1) & mask;
    }
    return slot;
}

void cStringTable::index(std::size_t room) {
    // Keep the load factor at or below one half, counting the strings to come.
    const bool rebuild = (m_strings.size() + room) * 2 > m_slots.size();
    if (rebuild) {
        std::size_t size = 64;
        while (size < 2 * (m_strings.size() + room)) size *= 2;
        m_slots.assign(size, 0);
    }
    // In order, so the first of equal strings is the one indexed.
    for (std::size_t i = rebuild ? 0 : m_hashes.size(); i < m_strings.size(); ++i) {
        if (i == m_hashes.size())
            m_hashes.push_back(static_cast<std::uint32_t>(infTextHash(m_strings[i])));
        const std::size_t slot = slotFor(m_strings[i], m_hashes[i]);
        if (m_slots[slot] == 0) m_slots[slot] = static_cast<std::uint32_t>(i + 1);
    }
}

std::uint32_t cStringTable::add(std::string_view text) {
    return add(text, infTextHash(text));
}

std::uint32_t cStringTable::add(std::string_view text, std::uint64_t textHash) {
    index(1);
    const auto hash = static_cast<std::uint32_t>(textHash);
    const std::size_t slot = slotFor(text, hash);
    if (m_slots[slot] != 0) return m_slots[slot] - 1;
    const auto index = static_cast<std::uint32_t>(m_strings.size());
    m_strings.emplace_back(text);
    m_hashes.push_back(hash);
    m_slots[slot] = index + 1;
    return index;
}

std::uint32_t cStringTable::append(std::string text) {
    m_strings.push_back(std::move(text));
    return static_cast<std::uint32_t>(m_strings.size() - 1);
}
