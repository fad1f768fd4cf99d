// String- and integer-keyed hash maps with 251 buckets.
//
// Duplicate keys are all kept; a lookup finds the first one inserted. The
// bucket index is allocated only once a map holds more than a handful of
// entries (small maps are scanned in insertion order, which gives the same
// answers), so the many small sections of a mission file stay cheap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "exceptions.h"

namespace hash_map_detail {

struct StringKeyTraits {
    using Key = std::string;
    using KeyView = std::string_view;
    static std::uint32_t hash(std::string_view key);
    // One byte of hash(): lets callers hash a transformed text without copying it.
    static std::uint32_t hashStep(std::uint32_t h, char raw) {
        auto c = static_cast<signed char>(raw);
        // Lower-case letters and their neighbours (0x60..0x7F) are folded down.
        if (c >= 0x60) c = static_cast<signed char>(c - 40);
        return (h >> 28) + h * 8 + static_cast<std::uint32_t>(static_cast<std::int32_t>(c));
    }
    static std::string text(std::string_view key) { return std::string(key); }
};

struct IntKeyTraits {
    using Key = std::int32_t;
    using KeyView = std::int32_t;
    static std::uint32_t hash(std::int32_t key) { return static_cast<std::uint32_t>(key); }
    static std::string text(std::int32_t key) { return std::to_string(key); }
};

template <class Traits, class Value>
class cHashTable {
  public:
    using Key = typename Traits::Key;
    using KeyView = typename Traits::KeyView;
    static constexpr std::uint32_t kBuckets = 251;

    static std::uint32_t hash(KeyView key) { return Traits::hash(key); }
    static std::uint32_t bucketOf(KeyView key) { return Traits::hash(key) % kBuckets; }

    // Appends the entry; an existing equal key is not replaced.
    void insert(Key key, Value value) {
        std::uint32_t h = Traits::hash(key);
        std::int32_t index = static_cast<std::int32_t>(m_entries.size());
        m_entries.push_back(Entry{std::move(key), std::move(value), h, -1});
        m_order.clear();
        if (m_chains) {
            link(index);
        } else if (m_entries.size() > kLinearLimit) {
            constexpr std::size_t chains = std::size_t{2} * kBuckets;
            m_chains = std::make_unique<std::int32_t[]>(chains);
            for (std::size_t b = 0; b < chains; ++b) m_chains[b] = -1;
            for (std::int32_t i = 0; i <= index; ++i) link(i);
        }
    }

    bool contains(KeyView key) const { return findIndex(key) >= 0; }

    // The value of the first entry inserted with this key; throws
    // cItemNotFoundException* when there is none.
    const Value& get(KeyView key) const {
        std::int32_t i = findIndex(key);
        if (i < 0) throw new cItemNotFoundException(Traits::text(key));
        return m_entries[static_cast<std::size_t>(i)].value;
    }

    // Like get, but null instead of an exception.
    const Value* find(KeyView key) const {
        std::int32_t i = findIndex(key);
        return i < 0 ? nullptr : &m_entries[static_cast<std::size_t>(i)].value;
    }

    // Entry n counted bucket by bucket from bucket 0, in insertion order within
    // a bucket.
    const Value& valueAt(std::size_t n) const {
        if (n >= m_entries.size()) throw new cItemNotFoundException(std::to_string(n));
        return m_entries[bucketOrder()[n]].value;
    }
    const Key& keyAt(std::size_t n) const {
        if (n >= m_entries.size()) throw new cKeyNotFoundException(std::to_string(n));
        return m_entries[bucketOrder()[n]].key;
    }

    // Entry i in insertion order (no range check beyond the vector's).
    const Key& insertedKey(std::size_t i) const { return m_entries[i].key; }
    const Value& insertedValue(std::size_t i) const { return m_entries[i].value; }

    std::size_t count() const { return m_entries.size(); }
    bool hasBuckets() const { return m_chains != nullptr; }

  private:
    static constexpr std::size_t kLinearLimit = 8;

    struct Entry {
        Key key;
        Value value;
        std::uint32_t hash;
        std::int32_t next;  // next entry of the same bucket, in insertion order
    };

    // m_chains holds the first entry of every bucket, then the last one.
    void link(std::int32_t index) {
        std::uint32_t b = m_entries[static_cast<std::size_t>(index)].hash % kBuckets;
        std::int32_t& head = m_chains[b];
        std::int32_t& tail = m_chains[kBuckets + b];
        if (head < 0) {
            head = index;
        } else {
            m_entries[static_cast<std::size_t>(tail)].next = index;
        }
        tail = index;
    }

    std::int32_t findIndex(KeyView key) const {
        std::uint32_t h = Traits::hash(key);
        if (!m_chains) {
            for (std::size_t i = 0; i < m_entries.size(); ++i) {
                if (m_entries[i].hash == h && m_entries[i].key == key) {
                    return static_cast<std::int32_t>(i);
                }
            }
            return -1;
        }
        for (std::int32_t i = m_chains[h % kBuckets]; i >= 0;
             i = m_entries[static_cast<std::size_t>(i)].next) {
            const Entry& e = m_entries[static_cast<std::size_t>(i)];
            if (e.hash == h && e.key == key) return i;
        }
        return -1;
    }

    const std::vector<std::size_t>& bucketOrder() const {
        if (m_order.size() != m_entries.size()) {
            std::vector<std::vector<std::size_t>> perBucket(kBuckets);
            for (std::size_t i = 0; i < m_entries.size(); ++i) {
                perBucket[m_entries[i].hash % kBuckets].push_back(i);
            }
            m_order.clear();
            m_order.reserve(m_entries.size());
            for (const auto& bucket : perBucket) {
                m_order.insert(m_order.end(), bucket.begin(), bucket.end());
            }
        }
        return m_order;
    }

    std::vector<Entry> m_entries;
    std::unique_ptr<std::int32_t[]> m_chains;
    // Built on demand for positional access only.
    mutable std::vector<std::size_t> m_order;
};

}  // namespace hash_map_detail

// String key to 32-bit integer.
using HashMap = hash_map_detail::cHashTable<hash_map_detail::StringKeyTraits, std::int32_t>;
// 32-bit integer key to string.
using IntHashMap = hash_map_detail::cHashTable<hash_map_detail::IntKeyTraits, std::string>;
