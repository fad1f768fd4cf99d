// Structural equality of two INF trees (names, order, value kinds, number
// bits), used to check that what one reader builds survives a writer.
#pragma once

#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

#include "inf_tree.h"

namespace fuzz {

inline bool sameValue(const cInfValue& a, const cInfValue& b) {
    if (a.isNumber() != b.isNumber()) return false;
    if (!a.isNumber()) return a.text() == b.text();
    // Bit for bit: a NaN must stay the same NaN and -0 stay -0.
    return std::bit_cast<std::uint32_t>(a.number()) == std::bit_cast<std::uint32_t>(b.number());
}

inline bool sameKey(const cInfKey& a, const cInfKey& b) {
    if (a.name() != b.name() || a.valueCount() != b.valueCount()) return false;
    for (std::size_t i = 0; i < a.valueCount(); ++i)
        if (!sameValue(a.value(i), b.value(i))) return false;
    return true;
}

// Iterative, so that a deeply nested tree costs no stack.
inline bool sameTree(const cInfNode& a, const cInfNode& b) {
    std::vector<std::pair<const cInfNode*, const cInfNode*>> pending{{&a, &b}};
    bool root = true;
    while (!pending.empty()) {
        auto [x, y] = pending.back();
        pending.pop_back();
        // The root's name is not stored in every form; section names are.
        if (!root && x->name() != y->name()) return false;
        root = false;
        if (x->keyCount() != y->keyCount() || x->sectionCount() != y->sectionCount()) return false;
        for (std::size_t i = 0; i < x->keyCount(); ++i)
            if (!sameKey(*x->key(i), *y->key(i))) return false;
        for (std::size_t i = 0; i < x->sectionCount(); ++i)
            pending.emplace_back(x->section(i), y->section(i));
    }
    return true;
}

}  // namespace fuzz
