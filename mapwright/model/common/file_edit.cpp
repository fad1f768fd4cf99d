#include "common/file_edit.h"

#include <algorithm>

#include "common/errors.h"
#include "common/file_bytes.h"

namespace mw {

std::uint64_t BytesChecksum(std::string_view bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    return h;
}

FileEdit::FileEdit(std::string path, std::string_view before, std::string_view after)
    : path_(std::move(path)) {
    const std::size_t shorter = std::min(before.size(), after.size());
    while (prefix_ < shorter && before[prefix_] == after[prefix_]) ++prefix_;
    while (suffix_ < shorter - prefix_ &&
           before[before.size() - 1 - suffix_] == after[after.size() - 1 - suffix_])
        ++suffix_;
    const auto state = [this](std::string_view bytes) {
        return State{bytes.size(), BytesChecksum(bytes),
                     std::string(bytes.substr(prefix_, bytes.size() - prefix_ - suffix_))};
    };
    before_ = state(before);
    after_ = state(after);
}

bool FileEdit::holds(const std::optional<std::string>& now, bool forward) const {
    const State& s = forward ? after_ : before_;
    return now && now->size() == s.size && BytesChecksum(*now) == s.hash;
}

std::string FileEdit::contentFrom(const std::optional<std::string>& now, bool forward) const {
    if (!holds(now, !forward))
        throw UserError(printableBytes(path_) + ": the file " +
                        (now ? "was changed" : "was removed") +
                        " on disk after this step, so the step cannot be " +
                        (forward ? "made again" : "undone") +
                        " without losing that change; the file is left as it is");
    const State& to = forward ? after_ : before_;
    return now->substr(0, prefix_) + to.middle + now->substr(now->size() - suffix_);
}

void ApplyFileEdits(const std::vector<FileEdit>& edits, bool forward,
                    const std::vector<FileContent>& others) {
    std::vector<FileContent> files;
    for (const FileEdit& edit : edits) {
        if (edit.empty()) continue;
        files.push_back({edit.path(), edit.contentFrom(ReadFileBytes(edit.path()), forward)});
    }
    files.insert(files.end(), others.begin(), others.end());
    ReplaceFilesTogether(files);
}

}  // namespace mw
