// An ordered list of owned items with a name index beside it.
//
// Items are looked up by a lookup name, normally the item's name upper-cased;
// duplicates are all kept and a lookup finds the first one added. That usual
// lookup name is never stored: it is compared and hashed straight from the
// item's name. Only a lookup name that differs from it is kept aside. Lists
// of up to a handful of items are scanned; longer ones get an open-addressing
// index over the first item of every lookup name.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hash_map.h"

namespace named_list_detail {

inline char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

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

template <class T>
class cNamedList {
public:
    // Appends under the given lookup name.
    T* add(std::unique_ptr<T> item, std::string_view lookupName) {
        if (!named_list_detail::sameText(lookupName, false, item->name(), true)) {
            extra().overrides.emplace_back(static_cast<std::uint32_t>(m_items.size()),
                                           std::string(lookupName));
        }
        return append(std::move(item));
    }
    // Appends under the upper-cased name of the item.
    T* add(std::unique_ptr<T> item) { return append(std::move(item)); }

    // Byte-exact lookup name.
    bool contains(std::string_view lookupName) const { return find(lookupName, false) >= 0; }
    // The first item added under the lookup name, or null.
    T* get(std::string_view lookupName) const { return itemOrNull(find(lookupName, false)); }
    // Like get(upper-cased name), without making the upper-cased copy.
    T* getIgnoringCase(std::string_view name) const { return itemOrNull(find(name, true)); }

    void reserve(std::size_t more) { m_items.reserve(m_items.size() + more); }

    T* at(std::size_t position) const { return m_items[position].get(); }
    std::size_t count() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }

    std::string lookupNameAt(std::size_t position) const {
        if (const std::string* kept = keptLookup(position)) return *kept;
        std::string name(m_items[position]->name());
        for (char& c : name) c = named_list_detail::upper(c);
        return name;
    }

    const std::vector<std::unique_ptr<T>>& items() const { return m_items; }

    // Moves every item out (used to tear deep trees down without recursion).
    void releaseAll(std::vector<std::unique_ptr<T>>& out) {
        for (auto& item : m_items) out.push_back(std::move(item));
        m_items.clear();
        m_extra.reset();
    }

private:
    static constexpr std::size_t kLinearLimit = 8;
    static constexpr std::size_t kFirstCapacity = 4;

    // Only lists with kept lookup names or more than kLinearLimit items have it.
    struct Extra {
        // Position + 1 of the first item of each lookup name; 0 is empty.
        std::vector<std::uint32_t> slots;
        unsigned shift = 32;
        // Hash of every indexed item's lookup name, by position: regrowing
        // the index rehashes nothing, and probes skip most comparisons.
        std::vector<std::uint32_t> hashes;
        // (position, lookup name) in position order.
        std::vector<std::pair<std::uint32_t, std::string>> overrides;
    };

    Extra& extra() {
        if (!m_extra) m_extra = std::make_unique<Extra>();
        return *m_extra;
    }

    T* append(std::unique_ptr<T> item) {
        T* raw = item.get();
        // Most lists hold a handful of items: starting at a few saves the
        // first regrowths (a list reserved by its caller keeps its size).
        if (m_items.capacity() == 0) m_items.reserve(kFirstCapacity);
        m_items.push_back(std::move(item));
        if (m_items.size() > kLinearLimit) {
            Extra& e = extra();
            if (m_items.size() * 2 > e.slots.size()) {
                rebuildIndex(e);
            } else {
                indexItem(e, m_items.size() - 1);
            }
        }
        return raw;
    }

    const std::string* keptLookup(std::size_t position) const {
        if (!m_extra || m_extra->overrides.empty()) return nullptr;
        const auto& kept = m_extra->overrides;
        auto it = std::lower_bound(kept.begin(), kept.end(), position,
                                   [](const auto& entry, std::size_t p) { return entry.first < p; });
        return it != kept.end() && it->first == position ? &it->second : nullptr;
    }

    // The lookup name of an item as text plus whether it still needs upper-casing.
    std::pair<std::string_view, bool> lookupOf(std::size_t position) const {
        if (const std::string* kept = keptLookup(position)) return {*kept, false};
        return {m_items[position]->name(), true};
    }

    static std::size_t slotOf(const Extra& e, std::uint32_t hash) {
        return (hash * 0x9E3779B1u) >> e.shift;
    }

    // Items are indexed in position order, each one's hash computed once.
    void indexItem(Extra& e, std::size_t position) {
        auto [text, fold] = lookupOf(position);
        if (e.hashes.size() == position) e.hashes.push_back(named_list_detail::hashText(text, fold));
        const std::uint32_t hash = e.hashes[position];
        const std::size_t mask = e.slots.size() - 1;
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

    void rebuildIndex(Extra& e) {
        std::size_t size = 32;
        unsigned shift = 27;
        while (size < m_items.size() * 4) {
            size *= 2;
            --shift;
        }
        e.slots.assign(size, 0);
        e.shift = shift;
        for (std::size_t i = 0; i < m_items.size(); ++i) indexItem(e, i);
    }

    // Position of the first item whose lookup name equals `query` (upper-cased
    // first when `fold`), or -1.
    std::ptrdiff_t find(std::string_view query, bool fold) const {
        if (!m_extra || m_extra->slots.empty()) {
            for (std::size_t i = 0; i < m_items.size(); ++i) {
                auto [text, textFold] = lookupOf(i);
                if (named_list_detail::sameText(text, textFold, query, fold)) {
                    return static_cast<std::ptrdiff_t>(i);
                }
            }
            return -1;
        }
        const Extra& e = *m_extra;
        const std::size_t mask = e.slots.size() - 1;
        const std::uint32_t hash = named_list_detail::hashText(query, fold);
        std::size_t slot = slotOf(e, hash);
        while (e.slots[slot] != 0) {
            std::size_t position = e.slots[slot] - 1;
            if (e.hashes[position] == hash) {
                auto [text, textFold] = lookupOf(position);
                if (named_list_detail::sameText(text, textFold, query, fold)) {
                    return static_cast<std::ptrdiff_t>(position);
                }
            }
            slot = (slot + 1) & mask;
        }
        return -1;
    }

    T* itemOrNull(std::ptrdiff_t position) const {
        return position < 0 ? nullptr : m_items[static_cast<std::size_t>(position)].get();
    }

    std::vector<std::unique_ptr<T>> m_items;
    std::unique_ptr<Extra> m_extra;
};
