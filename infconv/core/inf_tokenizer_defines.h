// The #define table of one analysis: names are case-insensitive.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

class cInfDefineTable {
  public:
    using Value = std::shared_ptr<const std::string>;

    // Sets name to value; an existing entry (any letter case) gets the new value.
    void define(std::string_view name, std::string value);
    // The value for the word (any letter case), or null when it is no define.
    Value lookup(std::string_view word) const;

    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

    static std::string upperCase(std::string_view text);

  private:
    // Hashing and comparing ignore ASCII case, so looking a word up needs no
    // upper-cased copy of it.
    struct CaseHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const;
    };
    struct CaseEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };

    // Values are shared so that a pending expansion keeps its text even when
    // the define is redefined while it is being scanned.
    std::unordered_map<std::string, Value, CaseHash, CaseEqual> entries_;
};
