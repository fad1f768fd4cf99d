// The byte stream the INF scanner reads, with splicing.
//
// Splicing text T makes the stream "T followed by the unread rest". Rather
// than rebuilding one buffer per splice, pending texts are kept as a stack of
// segments, so expanding a define costs the size of its value, not of the
// rest of the file.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class cInfCharStream {
  public:
    using Text = std::shared_ptr<const std::string>;

    // How a segment came into the stream: its define and include nesting.
    struct Origin {
        int defineDepth = 0;
        int includeDepth = 0;
    };

    cInfCharStream() = default;
    explicit cInfCharStream(std::string content);

    // Next byte, or -1 at the end of the stream. Bytes are returned as
    // unsigned values 0..255.
    int get() {
        if (cur_ == end_ && !refill()) return -1;
        return static_cast<unsigned char>(*cur_++);
    }
    int peek() {
        if (cur_ == end_ && !refill()) return -1;
        return static_cast<unsigned char>(*cur_);
    }
    bool atEnd() { return cur_ == end_ && !refill(); }

    // The unread bytes of the current segment, for scanning runs of bytes
    // without a call per byte; empty only at the end of the stream.
    std::string_view span() {
        if (cur_ == end_ && !refill()) return {};
        return std::string_view(cur_, static_cast<std::size_t>(end_ - cur_));
    }
    // Consumes n bytes of the current span (n <= span().size()).
    void advance(std::size_t n) { cur_ += n; }

    // Puts text in front of the unread rest; it is read next.
    void splice(Text text, Origin origin);

    // Origin of the segment the last byte came from.
    const Origin& origin() const { return origin_; }
    // Deepest define/include origin among the bytes read since markOrigin().
    void markOrigin() { marked_ = origin_; }
    const Origin& markedOrigin() const { return marked_; }

    // Number of pending segments (a measure of nesting, for tests).
    std::size_t depth() const { return stack_.size() + (cur_ != end_ ? 1 : 0); }

  private:
    struct Segment {
        Text text;
        std::size_t pos;
        Origin origin;
    };

    bool refill();
    void saveCurrent();

    std::vector<Segment> stack_;  // segments below the current one
    Text current_;
    const char* cur_ = nullptr;
    const char* end_ = nullptr;
    Origin origin_;
    Origin marked_;
};
