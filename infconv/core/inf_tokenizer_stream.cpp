#include "inf_tokenizer_stream.h"

#include <algorithm>

cInfCharStream::cInfCharStream(std::string content) {
    if (!content.empty()) splice(std::make_shared<const std::string>(std::move(content)), Origin{});
}

void cInfCharStream::saveCurrent() {
    if (current_ && cur_ != end_) {
        stack_.push_back(
            Segment{current_, static_cast<std::size_t>(cur_ - current_->data()), origin_});
    }
    current_.reset();
    cur_ = end_ = nullptr;
}

void cInfCharStream::splice(Text text, Origin origin) {
    if (!text || text->empty()) return;
    saveCurrent();
    current_ = std::move(text);
    cur_ = current_->data();
    end_ = cur_ + current_->size();
    origin_ = origin;
    marked_.defineDepth = std::max(marked_.defineDepth, origin.defineDepth);
    marked_.includeDepth = std::max(marked_.includeDepth, origin.includeDepth);
}

bool cInfCharStream::refill() {
    current_.reset();
    cur_ = end_ = nullptr;
    while (!stack_.empty()) {
        Segment seg = std::move(stack_.back());
        stack_.pop_back();
        if (seg.pos >= seg.text->size()) continue;
        current_ = std::move(seg.text);
        cur_ = current_->data() + seg.pos;
        end_ = current_->data() + current_->size();
        origin_ = seg.origin;
        marked_.defineDepth = std::max(marked_.defineDepth, origin_.defineDepth);
        marked_.includeDepth = std::max(marked_.includeDepth, origin_.includeDepth);
        return true;
    }
    return false;
}
