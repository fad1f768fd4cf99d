// The most recent tokens of a scan.
//
// The parser takes each token as the scanner produces it, so no token list of
// the whole file is kept. Only the error report looks around the failing
// token (ten back, and ten ahead once the scanner has gone on), which a small
// ring covers.
#pragma once

#include "inf_token.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class cInfTokenRing {
public:
    // Enough for the twenty tokens around a failing one plus the parser's
    // one-token look-ahead; a power of two for the index mask.
    static constexpr std::int64_t kCapacity = 32;

    struct Entry {
        cInfToken token;
        // Text of a String or SectionName token.
        std::string text;
    };

    // The entry the next token is scanned into, its text emptied. It becomes
    // token number total() on commit(); until then it is no token.
    Entry& open() {
        Entry& entry = entries_[static_cast<std::size_t>(total_ & kMask)];
        if (entry.text.capacity() > kKeptTextCapacity) {
            releaseText(entry);
        } else {
            entry.text.clear();
        }
        entry.token = cInfToken();
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
    // An entry that once held a huge text gives the memory back on reuse.
    static constexpr std::size_t kKeptTextCapacity = std::size_t{1} << 16;

    static void releaseText(Entry& entry);

    Entry entries_[kCapacity];
    std::int64_t total_ = 0;
};
