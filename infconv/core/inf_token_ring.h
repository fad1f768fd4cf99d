// The most recent tokens of a scan.
//
// The parser takes each token as the scanner produces it, so no token list of
// the whole file is kept. Only the error report looks around the failing
// token (ten back, and ten ahead once the scanner has gone on), which a small
// ring covers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "inf_arena.h"
#include "inf_token.h"

class cInfTokenRing {
  public:
    // Enough for the twenty tokens around a failing one plus the parser's
    // one-token look-ahead; a power of two for the index mask.
    static constexpr std::int64_t kCapacity = 32;

    struct Entry {
        cInfToken token;
        // Text of a String or SectionName token, interned in the tree's arena.
        const cInfString* text = nullptr;
    };

    // The entry the next token is scanned into, emptied. It becomes token
    // number total() on commit(); until then it is no token.
    Entry& open() {
        Entry& entry = entries_[static_cast<std::size_t>(total_ & kMask)];
        entry.token = cInfToken();
        entry.text = nullptr;
        return entry;
    }
    void commit() { ++total_; }

    // Number of tokens committed since the start.
    std::int64_t total() const { return total_; }
    // Whether token i is still in the ring (the open entry overwrites the
    // oldest one).
    bool holds(std::int64_t i) const { return i >= 0 && i < total_ && total_ - i < kCapacity; }
    // Token i; only valid when holds(i).
    const Entry& at(std::int64_t i) const { return entries_[static_cast<std::size_t>(i & kMask)]; }
    const Entry& last() const { return at(total_ - 1); }

    // Text of a String or SectionName token, the sign of a punctuation token.
    static std::string_view text(const Entry& entry);
    // The token as the error report shows it (nothing when no longer held).
    void appendRendering(std::int64_t i, std::string& out) const;

  private:
    static constexpr std::int64_t kMask = kCapacity - 1;

    Entry entries_[kCapacity];
    std::int64_t total_ = 0;
};
