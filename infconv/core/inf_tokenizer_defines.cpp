#include "inf_tokenizer_defines.h"

namespace {

inline unsigned char upper(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

}  // namespace

std::size_t cInfDefineTable::CaseHash::operator()(std::string_view text) const {
    std::size_t h = 1469598103934665603ull;  // FNV-1a
    for (char c : text) {
        h ^= upper(static_cast<unsigned char>(c));
        h *= 1099511628211ull;
    }
    return h;
}

bool cInfDefineTable::CaseEqual::operator()(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(static_cast<unsigned char>(a[i])) != upper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string cInfDefineTable::upperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(upper(static_cast<unsigned char>(c)));
    return out;
}

void cInfDefineTable::define(std::string_view name, std::string value) {
    auto stored = std::make_shared<const std::string>(std::move(value));
    auto it = entries_.find(name);
    if (it != entries_.end()) {
        it->second = std::move(stored);
    } else {
        entries_.emplace(upperCase(name), std::move(stored));
    }
}

cInfDefineTable::Value cInfDefineTable::lookup(std::string_view word) const {
    if (entries_.empty()) return nullptr;
    auto it = entries_.find(word);
    return it == entries_.end() ? nullptr : it->second;
}
