// The values of one key: one 8-byte slot per value in the tree's arena,
// holding a float or a pointer to the value's interned text. A mission file
// holds millions of short values, mostly repeated, so neither a string object
// per value nor a copy of each text may be paid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#include "inf_arena.h"

// One value as read from a key: a number, or text viewed in the tree's
// arena (valid as long as the tree).
class cInfValue {
  public:
    static cInfValue ofText(std::string_view text) { return cInfValue(text, 0.0f, false); }
    static cInfValue ofNumber(float number) { return cInfValue(std::string_view(), number, true); }

    bool isNumber() const { return m_isNumber; }
    // A copy of the text (empty for a number); textView() does not copy.
    std::string text() const { return std::string(m_text); }
    std::string_view textView() const { return m_text; }
    float number() const { return m_number; }

  private:
    cInfValue(std::string_view text, float number, bool isNumber)
        : m_text(text), m_number(number), m_isNumber(isNumber) {}

    std::string_view m_text;
    float m_number;
    bool m_isNumber;
};

class cInfValueList {
  public:
    // On its own, the list keeps its texts in an arena of its own.
    cInfValueList() = default;
    // In a tree: slots and texts go to the tree's arena.
    explicit cInfValueList(cInfArena* arena) : m_arena(arena) {}
    cInfValueList(const cInfValueList&) = delete;
    cInfValueList& operator=(const cInfValueList&) = delete;

    void addText(std::string_view text) { addText(arena().intern(text)); }
    // `text` must belong to this list's arena.
    void addText(const cInfString* text) {
        if (m_count == m_capacity) grow(1);
        m_slots[m_count++] = reinterpret_cast<std::uintptr_t>(text);
        ++m_arena.get()->counts.texts;
    }
    void addNumber(float number) {
        if (m_count == m_capacity) grow(1);
        m_slots[m_count++] = numberSlot(number);
        ++m_arena.get()->counts.numbers;
    }
    // Where the slots and texts are kept.
    cInfArena& arena();

    // Room for that many more values (the text bytes are kept for callers
    // that know them; texts are interned, so they need no room here).
    void reserve(std::size_t values, std::size_t textBytes = 0);

    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    // No range check, like a vector's operator[].
    cInfValue operator[](std::size_t i) const {
        const std::uint64_t slot = m_slots[i];
        if (isNumberSlot(slot)) return cInfValue::ofNumber(numberOf(slot));
        return cInfValue::ofText(stringOf(slot)->view());
    }
    // The interned text of value i, or null for a number: the writers keep
    // their notes (string index, quoting) on it.
    const cInfString* textAt(std::size_t i) const {
        return isNumberSlot(m_slots[i]) ? nullptr : stringOf(m_slots[i]);
    }
    // The float of value i; only for a number.
    float numberAt(std::size_t i) const { return numberOf(m_slots[i]); }

    class const_iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = cInfValue;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = cInfValue;

        const_iterator() = default;
        cInfValue operator*() const { return (*m_list)[m_index]; }
        const_iterator& operator++() {
            ++m_index;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator old = *this;
            ++m_index;
            return old;
        }
        bool operator==(const const_iterator& other) const { return m_index == other.m_index; }
        bool operator!=(const const_iterator& other) const { return m_index != other.m_index; }

      private:
        friend class cInfValueList;
        const_iterator(const cInfValueList* list, std::size_t index)
            : m_list(list), m_index(index) {}
        const cInfValueList* m_list = nullptr;
        std::size_t m_index = 0;
    };

    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, m_count); }

  private:
    // A number's slot has its low bit set (interned strings are 8-aligned).
    static std::uint64_t numberSlot(float number) {
        std::uint32_t bits;
        std::memcpy(&bits, &number, 4);
        return std::uint64_t{bits} << 32 | 1u;
    }
    static bool isNumberSlot(std::uint64_t slot) { return (slot & 1u) != 0; }
    static float numberOf(std::uint64_t slot) {
        const auto bits = static_cast<std::uint32_t>(slot >> 32);
        float number;
        std::memcpy(&number, &bits, 4);
        return number;
    }
    static const cInfString* stringOf(std::uint64_t slot) {
        // A slot holds a number or, with its low bit clear, a string's address.
        return reinterpret_cast<const cInfString*>(  // NOLINT(performance-no-int-to-ptr)
            static_cast<std::uintptr_t>(slot));
    }

    void grow(std::size_t more, bool exact = false);

    std::uint64_t* m_slots = nullptr;
    std::uint32_t m_count = 0;
    std::uint32_t m_capacity = 0;
    cArenaRef m_arena;
};
