// An ordered list of owned items with a name index beside it.
//
// Items are looked up by a lookup name (the caller passes the upper-cased
// name); duplicates are all kept and a lookup finds the first one added.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "hash_map.h"

template <class T>
class cNamedList {
public:
    T* add(std::unique_ptr<T> item, std::string lookupName) {
        T* raw = item.get();
        m_names.insert(std::move(lookupName), static_cast<std::int32_t>(m_items.size()));
        m_items.push_back(std::move(item));
        return raw;
    }

    bool contains(std::string_view lookupName) const { return m_names.contains(lookupName); }

    // The first item added under the name, or null.
    T* get(std::string_view lookupName) const {
        const std::int32_t* pos = m_names.find(lookupName);
        return pos ? m_items[static_cast<std::size_t>(*pos)].get() : nullptr;
    }

    T* at(std::size_t position) const { return m_items[position].get(); }
    std::size_t count() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }

    // The name index receives exactly one entry per item in item order, so it
    // doubles as the position-to-name index.
    const std::string& lookupNameAt(std::size_t position) const {
        return m_names.insertedKey(position);
    }

    const std::vector<std::unique_ptr<T>>& items() const { return m_items; }

    // Moves every item out (used to tear deep trees down without recursion).
    void releaseAll(std::vector<std::unique_ptr<T>>& out) {
        for (auto& item : m_items) out.push_back(std::move(item));
        m_items.clear();
        m_names = HashMap();
    }

private:
    std::vector<std::unique_ptr<T>> m_items;
    HashMap m_names;
};
