// The memory of one INF tree: nodes, keys, value slots and strings are carved
// from large blocks and given back all at once when the tree goes, so a tree
// of millions of values costs a few hundred allocations instead of millions,
// and tearing it down costs nothing per item.
//
// Every distinct text is stored once (interned): the scanner, the binary
// reader and the writers all handle a string as a pointer to its one copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string_view>
#include <type_traits>
#include <vector>

// A text interned in an arena. Lives as long as the arena; never moves.
class cInfString {
  public:
    std::string_view view() const { return {data(), m_length}; }
    const char* data() const { return reinterpret_cast<const char*>(this + 1); }
    std::size_t size() const { return m_length; }
    // Number of the string in its arena, from 0 in the order interned.
    std::uint32_t id() const { return m_id; }
    // Which arena interned it (every arena has its own serial number).
    std::uint32_t arenaSerial() const { return m_arena; }
    std::uint64_t hash() const { return m_hash; }

    // The text writer's note whether the string needs quotes as a value
    // (0 or 1; kUnknown until first asked). Strings are shared by one tree,
    // which one thread uses at a time.
    static constexpr std::uint8_t kUnknown = 2;
    mutable std::uint8_t quoting = kUnknown;

  private:
    friend class cInfArena;
    cInfString(std::uint64_t hash, std::uint32_t length, std::uint32_t id, std::uint32_t arena)
        : m_hash(hash), m_length(length), m_id(id), m_arena(arena) {}

    std::uint64_t m_hash;
    std::uint32_t m_length;
    std::uint32_t m_id;
    std::uint32_t m_arena;
};

// The hash the arena interns by: fast on short names and long texts alike.
std::uint64_t infTextHash(std::string_view text);

class cInfArena {
  public:
    cInfArena();
    ~cInfArena();
    cInfArena(const cInfArena&) = delete;
    cInfArena& operator=(const cInfArena&) = delete;

    // Uninitialised memory for `bytes`, aligned to `align` (a power of two up
    // to 16); valid until the arena is destroyed.
    void* allocate(std::size_t bytes, std::size_t align = 8) {
        std::uintptr_t at = (m_next + (align - 1)) & ~static_cast<std::uintptr_t>(align - 1);
        if (at + bytes > m_end || at + bytes < at) return allocateSlow(bytes, align);
        m_next = at + bytes;
        // The bump pointer is kept as an integer so the bounds test cannot overflow a pointer.
        return reinterpret_cast<void*>(at);  // NOLINT(performance-no-int-to-ptr)
    }
    template <class T>
    T* allocateArray(std::size_t count) {
        static_assert(std::is_trivially_destructible_v<T>);
        // T may itself be a pointer (arrays of pointers); its own size is meant.
        constexpr std::size_t size = sizeof(T);  // NOLINT(bugprone-sizeof-expression)
        if (count > SIZE_MAX / size) throw std::bad_alloc();
        return static_cast<T*>(allocate(count * size, alignof(T)));
    }
    // An object whose destructor is never run: it must own nothing but arena memory.
    template <class T, class... Args>
    T* make(Args&&... args) {
        return new (allocate(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
    }

    // A hint that about `bytes` will be allocated: the next block is made
    // large enough for a good part of it at once (a large block is cheaper
    // to fault in, see large_blocks.h).
    void expect(std::size_t bytes);

    // The one copy of `text` in this arena, made on first use.
    const cInfString* intern(std::string_view text) { return intern(text, infTextHash(text)); }
    const cInfString* intern(std::string_view text, std::uint64_t hash);
    std::size_t stringCount() const { return m_strings.size(); }
    // Room for that many more strings without the index regrowing.
    void reserveStrings(std::size_t more);
    // Bytes of all interned texts.
    std::size_t stringBytes() const { return m_stringBytes; }
    std::uint32_t serial() const { return m_serial; }

    // What the tree made in the arena holds, kept up by the tree as it grows
    // (the binary writer sizes its output by it).
    struct Counts {
        std::size_t sections = 0;
        std::size_t keys = 0;
        std::size_t texts = 0;
        std::size_t numbers = 0;
    };
    Counts counts;

    // Takes over an object made outside the arena; it is deleted (latest
    // first) when the arena is destroyed.
    template <class T>
    T* adopt(std::unique_ptr<T> owned) {
        // Released only once the arena holds it, so a failed push_back still frees it.
        m_adopted.push_back({owned.get(), [](void* p) { delete static_cast<T*>(p); }});
        return owned.release();
    }

  private:
    struct Adopted {
        void* object;
        void (*destroy)(void*);
    };

    void* allocateSlow(std::size_t bytes, std::size_t align);
    void growSlots(std::size_t size);

    std::uintptr_t m_next = 0;
    std::uintptr_t m_end = 0;
    struct Block {
        void* memory;
        std::size_t size;
    };
    std::vector<Block> m_blocks;
    std::size_t m_nextBlockSize;
    // Open addressing over the interned strings: each slot holds the low 32
    // bits of the string's hash above its number + 1 (0 is an empty slot),
    // so probing and regrowing touch no string that does not match.
    std::unique_ptr<std::uint64_t[]> m_slots;
    std::size_t m_slotMask = 0;
    std::vector<const cInfString*> m_strings;  // by number
    std::size_t m_stringBytes = 0;
    std::uint32_t m_serial;
    std::vector<Adopted> m_adopted;
};

// The arena something is kept in, in one word: a thing made in an arena
// shares it, a thing made on its own owns one (made on first use, freed with
// it). The owning flag rides in the pointer's low bit.
class cArenaRef {
  public:
    cArenaRef() = default;
    explicit cArenaRef(cInfArena* shared) : m_bits(reinterpret_cast<std::uintptr_t>(shared)) {}
    ~cArenaRef() {
        if (m_bits & 1u) delete get();
    }
    cArenaRef(const cArenaRef&) = delete;
    cArenaRef& operator=(const cArenaRef&) = delete;

    // The low bit tags ownership; the pointer is the rest.
    cInfArena* get() const {
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        return reinterpret_cast<cInfArena*>(m_bits & ~std::uintptr_t{1});
    }
    cInfArena& getOrMake() {
        if (m_bits == 0) m_bits = reinterpret_cast<std::uintptr_t>(new cInfArena) | 1u;
        return *get();
    }

  private:
    std::uintptr_t m_bits = 0;
};
