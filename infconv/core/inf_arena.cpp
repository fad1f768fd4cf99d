#include "inf_arena.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "large_blocks.h"

namespace {

constexpr std::size_t kFirstBlock = std::size_t{4} << 10;
// Blocks of a large tree are whole huge pages (see large_blocks.h).
constexpr std::size_t kLargestBlock = std::size_t{4} << 20;

std::uint64_t load64(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

std::uint64_t load32(const char* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

std::uint64_t mix(std::uint64_t h, std::uint64_t word) {
    h = (h ^ word) * 0xBF58476D1CE4E5B9u;
    return h ^ (h >> 29);
}

std::atomic<std::uint32_t> g_nextSerial{1};

}  // namespace

std::uint64_t infTextHash(std::string_view text) {
    const char* p = text.data();
    const std::size_t n = text.size();
    std::uint64_t h = 0x9E3779B97F4A7C15u ^ n;
    if (n >= 8) {
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) h = mix(h, load64(p + i));
        // The last bytes as one word that overlaps the previous one.
        if (i < n) h = mix(h, load64(p + n - 8));
    } else if (n >= 4) {
        h = mix(h, load32(p) | load32(p + n - 4) << 32);
    } else if (n > 0) {
        const auto b = [&](std::size_t i) {
            return std::uint64_t{static_cast<unsigned char>(p[i])};
        };
        h = mix(h, b(0) | b(n / 2) << 8 | b(n - 1) << 16);
    }
    h *= 0x94D049BB133111EBu;
    return h ^ (h >> 32);
}

cInfArena::cInfArena()
    : m_nextBlockSize(kFirstBlock),
      m_serial(g_nextSerial.fetch_add(1, std::memory_order_relaxed)) {}

cInfArena::~cInfArena() {
    for (auto it = m_adopted.rbegin(); it != m_adopted.rend(); ++it) it->destroy(it->object);
    for (const Block& block : m_blocks) freeLargeBlock(block.memory, block.size);
}

void* cInfArena::allocateSlow(std::size_t bytes, std::size_t align) {
    if (bytes > std::numeric_limits<std::size_t>::max() / 2) throw std::bad_alloc();
    const std::size_t need = bytes + align;
    // A request larger than the blocks gets a block of its own and leaves
    // the current block's free end in use.
    const bool own = need > m_nextBlockSize;
    const std::size_t size = own ? need : m_nextBlockSize;
    m_blocks.reserve(m_blocks.size() + 1);
    void* block = allocateLargeBlock(size);
    m_blocks.push_back({block, size});
    const auto base = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t at = (base + (align - 1)) & ~static_cast<std::uintptr_t>(align - 1);
    if (!own) {
        m_next = at + bytes;
        m_end = base + size;
        m_nextBlockSize = std::min(m_nextBlockSize * 2, kLargestBlock);
    }
    return reinterpret_cast<void*>(at);  // NOLINT(performance-no-int-to-ptr)
}

void cInfArena::expect(std::size_t bytes) {
    while (m_nextBlockSize < kLargestBlock && m_nextBlockSize < bytes) m_nextBlockSize *= 2;
}

void cInfArena::reserveStrings(std::size_t more) {
    const std::size_t total = m_strings.size() + more;
    m_strings.reserve(total);
    std::size_t size = m_slotMask + 1;
    while ((total + 1) * 4 > size * 3) size *= 2;
    if (size > m_slotMask + 1) growSlots(size);
}

void cInfArena::growSlots(std::size_t size) {
    auto slots = std::make_unique<std::uint64_t[]>(size);
    const std::size_t mask = size - 1;
    for (std::size_t i = 0; m_slots && i <= m_slotMask; ++i) {
        const std::uint64_t entry = m_slots[i];
        if (entry == 0) continue;
        std::size_t slot = (entry >> 32) & mask;
        while (slots[slot] != 0) slot = (slot + 1) & mask;
        slots[slot] = entry;
    }
    m_slots = std::move(slots);
    m_slotMask = mask;
}

const cInfString* cInfArena::intern(std::string_view text, std::uint64_t hash) {
    // Up to three quarters full: probes compare tags held in the slots, so a
    // longer probe costs little, and the table stays small.
    if ((m_strings.size() + 1) * 4 > (m_slotMask + 1) * 3)
        growSlots(m_slotMask == 0 ? 64 : (m_slotMask + 1) * 2);
    const auto tag = static_cast<std::uint32_t>(hash);
    std::size_t slot = tag & m_slotMask;
    for (std::uint64_t entry; (entry = m_slots[slot]) != 0; slot = (slot + 1) & m_slotMask) {
        if ((entry >> 32) != tag) continue;
        const cInfString* s = m_strings[static_cast<std::uint32_t>(entry) - 1];
        if (s->view() == text) return s;
    }
    if (text.size() > std::numeric_limits<std::uint32_t>::max() - 64 ||
        m_strings.size() >= std::numeric_limits<std::uint32_t>::max() - 1) {
        throw std::bad_alloc();
    }
    const auto id = static_cast<std::uint32_t>(m_strings.size());
    void* memory = allocate(sizeof(cInfString) + text.size(), alignof(cInfString));
    auto* s = new (memory) cInfString(hash, static_cast<std::uint32_t>(text.size()), id, m_serial);
    if (!text.empty())
        std::memcpy(static_cast<char*>(memory) + sizeof(cInfString), text.data(), text.size());
    m_strings.push_back(s);
    m_stringBytes += text.size();
    m_slots[slot] = std::uint64_t{tag} << 32 | (id + 1u);
    return s;
}
