#include "inf_value_list.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

cInfArena& cInfValueList::arena() {
    return m_arena.getOrMake();
}

void cInfValueList::grow(std::size_t more, bool exact) {
    constexpr std::size_t kLimit = std::numeric_limits<std::uint32_t>::max();
    if (more > kLimit - m_count) throw std::length_error("too many values for one key");
    const std::size_t need = m_count + more;
    const std::size_t capacity =
        exact ? need
              : std::min(kLimit, std::max({need, std::size_t{4}, 2 * std::size_t{m_capacity}}));
    // The old slots stay behind in the arena: a key grown value by value
    // wastes at most as much as it holds, and the parser sizes its keys at once.
    std::uint64_t* slots = arena().allocateArray<std::uint64_t>(capacity);
    if (m_count) std::memcpy(slots, m_slots, m_count * sizeof *slots);
    m_slots = slots;
    m_capacity = static_cast<std::uint32_t>(capacity);
}

void cInfValueList::reserve(std::size_t values, std::size_t) {
    if (values > m_capacity - m_count) grow(values, true);
}
