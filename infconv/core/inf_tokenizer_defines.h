// The #define table of one analysis: names are case-insensitive.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

class cInfDefineTable {
public:
    using Value = std::shared_ptr<const std::string>;

    // Sets name to value; an existing entry (any letter case) gets the new value.
    void define(std::string_view name, std::string value);
    // The value for the word, or null when the word is no define.
    Value lookup(std::string_view word) const;

    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

    static std::string upperCase(std::string_view text);

private:
    // Values are shared so that a pending expansion keeps its text even when
    // the define is redefined while it is being scanned.
    std::unordered_map<std::string, Value> entries_;
};
