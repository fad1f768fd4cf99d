#include "inf_tokenizer_defines.h"

std::string cInfDefineTable::upperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

void cInfDefineTable::define(std::string_view name, std::string value) {
    entries_[upperCase(name)] = std::make_shared<const std::string>(std::move(value));
}

cInfDefineTable::Value cInfDefineTable::lookup(std::string_view word) const {
    if (entries_.empty()) return nullptr;
    auto it = entries_.find(upperCase(word));
    return it == entries_.end() ? nullptr : it->second;
}
