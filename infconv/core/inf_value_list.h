// The values of one key, packed into a single heap block: a fixed-size slot
// per value from the front (a float, or where its text lies), the texts
// themselves from the back. A mission file holds millions of short values,
// so a separate string object and allocation per value would dominate the
// tree's memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

// One value as read from a key: a number, or text viewed in the key's block
// (valid until the key is changed or destroyed).
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
    cInfValueList() = default;
    cInfValueList(const cInfValueList&) = delete;
    cInfValueList& operator=(const cInfValueList&) = delete;

    void addText(std::string_view text);
    void addNumber(float number);
    // Makes room for that many more values with that many more text bytes in
    // one allocation, for a caller that knows them in advance.
    void reserve(std::size_t values, std::size_t textBytes);

    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    // No range check, like a vector's operator[].
    cInfValue operator[](std::size_t i) const;

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
        const_iterator(const cInfValueList* list, std::size_t index) : m_list(list), m_index(index) {}
        const cInfValueList* m_list = nullptr;
        std::size_t m_index = 0;
    };

    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, m_count); }

private:
    static constexpr std::size_t kSlotBytes = 8;
    // Second word of a number's slot; a text's second word is its length.
    static constexpr std::uint32_t kNumberTag = 0xFFFFFFFFu;

    // Room for one more slot and `textBytes` more text; returns the block
    // replaced, if any.
    std::unique_ptr<char[]> reserveFor(std::size_t textBytes);
    std::unique_ptr<char[]> regrow(std::size_t need, std::size_t capacity);
    void putSlot(std::uint32_t first, std::uint32_t second);

    std::unique_ptr<char[]> m_block;
    std::uint32_t m_count = 0;
    std::uint32_t m_capacity = 0;
    // Text bytes used, counted back from the end of the block.
    std::uint32_t m_textBytes = 0;
};
