// An ordered list of items with a name index beside it, kept in an arena.
//
// Items are looked up by a lookup name, normally the item's name upper-cased;
// duplicates are all kept and a lookup finds the first one added. That usual
// lookup name is never stored: it is compared and hashed straight from the
// item's name. Only a lookup name that differs from it is kept aside. Lists
// of up to a handful of items are scanned; longer ones get an open-addressing
// index over the first item of every lookup name, built on the first lookup
// (the converter itself never looks anything up, so it never pays for it).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "inf_arena.h"

namespace named_list_detail {

inline char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// a and b compared after upper-casing those flagged.
inline bool sameText(std::string_view a, bool foldA, std::string_view b, bool foldB) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = foldA ? upper(a[i]) : a[i];
        char y = foldB ? upper(b[i]) : b[i];
        if (x != y) return false;
    }
    return true;
}

// The index hash of the text, upper-cased first when flagged. FNV-1a: names
// like "Key_09" and "Key_10" must not collide, as they do under a shift-and-add
// hash, or long lists probe long runs of equal hashes.
inline std::uint32_t hashText(std::string_view text, bool fold) {
    std::uint32_t h = 2166136261u;
    for (char c : text) {
        h ^= static_cast<unsigned char>(fold ? upper(c) : c);
        h *= 16777619u;
    }
    return h;
}

}  // namespace named_list_detail

// `kFirst`: the room the first item makes (lists grow by doubling from there).
template <class T, std::size_t kFirst = 4>
class cNamedList {
  public:
    // On its own, the list keeps its arrays (and adopted items) in an arena of its own.
    cNamedList() = default;
    // In a tree: everything goes to the tree's arena.
    explicit cNamedList(cInfArena* arena) : m_arena(arena) {}
    cNamedList(const cNamedList&) = delete;
    cNamedList& operator=(const cNamedList&) = delete;

    // Appends an item made in the list's arena, under the upper-cased name of
    // the item or under the given lookup name.
    T* append(T* item) {
        if (m_count == m_capacity) grow(1);
        m_items[m_count++] = item;
        return item;
    }
    T* append(T* item, std::string_view lookupName) {
        if (!named_list_detail::sameText(lookupName, false, item->name(), true))
            keepLookup(m_count, lookupName);
        return append(item);
    }
    // Takes over an item made outside the arena; it lives as long as the arena.
    T* add(std::unique_ptr<T> item, std::string_view lookupName) {
        return append(arena().adopt(std::move(item)), lookupName);
    }
    T* add(std::unique_ptr<T> item) { return append(arena().adopt(std::move(item))); }

    // Byte-exact lookup name.
    bool contains(std::string_view lookupName) const { return find(lookupName, false) >= 0; }
    // The first item added under the lookup name, or null.
    T* get(std::string_view lookupName) const { return itemOrNull(find(lookupName, false)); }
    // Like get(upper-cased name), without making the upper-cased copy.
    T* getIgnoringCase(std::string_view name) const { return itemOrNull(find(name, true)); }

    void reserve(std::size_t more) {
        if (more > static_cast<std::size_t>(m_capacity - m_count)) grow(more, true);
    }

    T* at(std::size_t position) const { return m_items[position]; }
    std::size_t count() const { return m_count; }
    bool empty() const { return m_count == 0; }
    std::span<T* const> items() const { return {m_items, m_count}; }

    std::string lookupNameAt(std::size_t position) const {
        auto [text, fold] = lookupOf(position);
        std::string name(text);
        if (fold)
            for (char& c : name) c = named_list_detail::upper(c);
        return name;
    }

  private:
    static constexpr std::size_t kLinearLimit = 8;

    struct Kept {
        std::uint32_t position;
        const cInfString* lookupName;
    };
    // Only lists with kept lookup names or an index have it.
    struct Extra {
        // Position + 1 of the first item of each lookup name; 0 is empty.
        std::uint32_t* slots = nullptr;
        std::size_t slotCount = 0;
        unsigned shift = 32;
        // Hash of every indexed item's lookup name, by position: regrowing
        // the index rehashes nothing, and probes skip most comparisons.
        std::uint32_t* hashes = nullptr;
        std::size_t hashCapacity = 0;
        std::size_t indexed = 0;
        // (position, lookup name) in position order.
        Kept* kept = nullptr;
        std::size_t keptCount = 0;
        std::size_t keptCapacity = 0;
    };

    cInfArena& arena() const { return m_arena.getOrMake(); }
    Extra& extra() const {
        if (!m_extra) m_extra = arena().template make<Extra>();
        return *m_extra;
    }

    template <class U>
    static U* regrown(cInfArena& arena, U* old, std::size_t used, std::size_t capacity) {
        U* fresh = arena.template allocateArray<U>(capacity);
        // U may itself be a pointer; its own size is meant.
        constexpr std::size_t size = sizeof(U);  // NOLINT(bugprone-sizeof-expression)
        if (used) std::memcpy(static_cast<void*>(fresh), old, used * size);
        return fresh;
    }

    void grow(std::size_t more, bool exact = false) {
        const std::size_t need = m_count + more;
        const std::size_t capacity =
            exact ? need : std::max({need, kFirst, 2 * static_cast<std::size_t>(m_capacity)});
        if (capacity > 0xFFFFFFFFu) throw std::length_error("too many items for one list");
        m_items = regrown(arena(), m_items, m_count, capacity);
        m_capacity = static_cast<std::uint32_t>(capacity);
    }

    void keepLookup(std::size_t position, std::string_view lookupName) {
        Extra& e = extra();
        if (e.keptCount == e.keptCapacity) {
            e.keptCapacity = std::max<std::size_t>(4, 2 * e.keptCapacity);
            e.kept = regrown(arena(), e.kept, e.keptCount, e.keptCapacity);
        }
        e.kept[e.keptCount++] = {static_cast<std::uint32_t>(position), arena().intern(lookupName)};
    }

    const cInfString* keptLookup(std::size_t position) const {
        if (!m_extra || m_extra->keptCount == 0) return nullptr;
        const Kept* end = m_extra->kept + m_extra->keptCount;
        const Kept* it =
            std::lower_bound(static_cast<const Kept*>(m_extra->kept), end, position,
                             [](const Kept& k, std::size_t p) { return k.position < p; });
        return it != end && it->position == position ? it->lookupName : nullptr;
    }

    // The lookup name of an item as text plus whether it still needs upper-casing.
    std::pair<std::string_view, bool> lookupOf(std::size_t position) const {
        if (const cInfString* kept = keptLookup(position)) return {kept->view(), false};
        return {std::string_view(m_items[position]->name()), true};
    }

    static std::size_t slotOf(const Extra& e, std::uint32_t hash) {
        return (hash * 0x9E3779B1u) >> e.shift;
    }

    // Items are indexed in position order, each one's hash computed once.
    void indexItem(Extra& e, std::size_t position) const {
        auto [text, fold] = lookupOf(position);
        const std::uint32_t hash = e.hashes[position];
        const std::size_t mask = e.slotCount - 1;
        std::size_t slot = slotOf(e, hash);
        while (e.slots[slot] != 0) {
            const std::size_t other = e.slots[slot] - 1;
            if (e.hashes[other] == hash) {
                auto [otherText, otherFold] = lookupOf(other);
                // An earlier item of the same lookup name stays the one found.
                if (named_list_detail::sameText(text, fold, otherText, otherFold)) return;
            }
            slot = (slot + 1) & mask;
        }
        e.slots[slot] = static_cast<std::uint32_t>(position + 1);
    }

    // Brings the index up to the items added since the last lookup.
    void updateIndex() const {
        Extra& e = extra();
        if (e.hashCapacity < m_count) {
            e.hashCapacity = std::max<std::size_t>(m_count, 2 * e.hashCapacity);
            e.hashes = regrown(arena(), e.hashes, e.indexed, e.hashCapacity);
        }
        for (std::size_t i = e.indexed; i < m_count; ++i) {
            auto [text, fold] = lookupOf(i);
            e.hashes[i] = named_list_detail::hashText(text, fold);
        }
        if (std::size_t{m_count} * 2 > e.slotCount) {
            std::size_t size = 32;
            unsigned shift = 27;
            while (size < std::size_t{m_count} * 4) {
                size *= 2;
                --shift;
            }
            e.slots = arena().template allocateArray<std::uint32_t>(size);
            std::fill(e.slots, e.slots + size, 0u);
            e.slotCount = size;
            e.shift = shift;
            e.indexed = 0;
        }
        for (; e.indexed < m_count; ++e.indexed) indexItem(e, e.indexed);
    }

    // Position of the first item whose lookup name equals `query` (upper-cased
    // first when `fold`), or -1.
    std::ptrdiff_t find(std::string_view query, bool fold) const {
        if (m_count <= kLinearLimit) {
            for (std::size_t i = 0; i < m_count; ++i) {
                auto [text, textFold] = lookupOf(i);
                if (named_list_detail::sameText(text, textFold, query, fold))
                    return static_cast<std::ptrdiff_t>(i);
            }
            return -1;
        }
        updateIndex();
        const Extra& e = *m_extra;
        const std::size_t mask = e.slotCount - 1;
        const std::uint32_t hash = named_list_detail::hashText(query, fold);
        for (std::size_t slot = slotOf(e, hash); e.slots[slot] != 0; slot = (slot + 1) & mask) {
            const std::size_t position = e.slots[slot] - 1;
            if (e.hashes[position] == hash) {
                auto [text, textFold] = lookupOf(position);
                if (named_list_detail::sameText(text, textFold, query, fold))
                    return static_cast<std::ptrdiff_t>(position);
            }
        }
        return -1;
    }

    T* itemOrNull(std::ptrdiff_t position) const {
        return position < 0 ? nullptr : m_items[static_cast<std::size_t>(position)];
    }

    T** m_items = nullptr;
    std::uint32_t m_count = 0;
    std::uint32_t m_capacity = 0;
    mutable Extra* m_extra = nullptr;
    mutable cArenaRef m_arena;
};
