#include "inf_value_list.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace {

// glibc hands out chunks of 16n + 8 usable bytes; sizes of that form waste none.
std::size_t chunkFit(std::size_t bytes) { return ((bytes + 8 + 15) & ~std::size_t{15}) - 8; }

// Slot offsets and lengths are 32-bit.
constexpr std::size_t kBlockLimit = std::numeric_limits<std::uint32_t>::max() - 16;

}  // namespace

std::unique_ptr<char[]> cInfValueList::regrow(std::size_t need, std::size_t capacity) {
    if (need > kBlockLimit) throw std::length_error("too many values for one key");
    if (capacity > kBlockLimit) capacity = need;
    auto block = std::make_unique_for_overwrite<char[]>(capacity);
    if (m_block) {
        std::memcpy(block.get(), m_block.get(), m_count * kSlotBytes);
        std::memcpy(block.get() + capacity - m_textBytes, m_block.get() + m_capacity - m_textBytes,
                    m_textBytes);
    }
    m_block.swap(block);
    m_capacity = static_cast<std::uint32_t>(capacity);
    return block;
}

std::unique_ptr<char[]> cInfValueList::reserveFor(std::size_t textBytes) {
    const std::size_t need = (static_cast<std::size_t>(m_count) + 1) * kSlotBytes + m_textBytes + textBytes;
    if (need <= m_capacity) return nullptr;
    return regrow(need, chunkFit(std::max(need, 2 * static_cast<std::size_t>(m_capacity) + 8)));
}

void cInfValueList::reserve(std::size_t values, std::size_t textBytes) {
    if (values > kBlockLimit || textBytes > kBlockLimit) {
        throw std::length_error("too many values for one key");
    }
    const std::size_t need = (m_count + values) * kSlotBytes + m_textBytes + textBytes;
    if (need > m_capacity) regrow(need, chunkFit(need));
}

void cInfValueList::putSlot(std::uint32_t first, std::uint32_t second) {
    char* slot = m_block.get() + static_cast<std::size_t>(m_count) * kSlotBytes;
    std::memcpy(slot, &first, 4);
    std::memcpy(slot + 4, &second, 4);
    ++m_count;
}

void cInfValueList::addText(std::string_view text) {
    // The text may lie in the old block, so that is released only after the copy.
    std::unique_ptr<char[]> old = reserveFor(text.size());
    m_textBytes += static_cast<std::uint32_t>(text.size());
    if (!text.empty()) std::memcpy(m_block.get() + m_capacity - m_textBytes, text.data(), text.size());
    putSlot(m_textBytes, static_cast<std::uint32_t>(text.size()));
}

void cInfValueList::addNumber(float number) {
    reserveFor(0);
    std::uint32_t bits;
    std::memcpy(&bits, &number, 4);
    putSlot(bits, kNumberTag);
}

cInfValue cInfValueList::operator[](std::size_t i) const {
    const char* slot = m_block.get() + i * kSlotBytes;
    std::uint32_t first;
    std::uint32_t second;
    std::memcpy(&first, slot, 4);
    std::memcpy(&second, slot + 4, 4);
    if (second == kNumberTag) {
        float number;
        std::memcpy(&number, &first, 4);
        return cInfValue::ofNumber(number);
    }
    return cInfValue::ofText(std::string_view(m_block.get() + m_capacity - first, second));
}
