#pragma once
// A change of one file that can be taken back and made again: the bytes that
// differ before and after it, and enough of the whole file (size and
// checksum) to know whether the file still holds what the edit left there.
// A file changed on disk since (by hand, by another program) is never
// overwritten by an undo or a redo: the edit is refused with a message that
// names the file, and the file keeps what it holds.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/safe_save.h"

namespace mw {

class FileEdit {
  public:
    FileEdit() = default;
    /// The change of the file at `path` from `before` to `after`.
    FileEdit(std::string path, std::string_view before, std::string_view after);

    const std::string& path() const { return path_; }
    /// Nothing changes.
    bool empty() const { return before_.size == after_.size && before_.hash == after_.hash; }
    /// The content of the file once the edit is made (`forward`) or taken
    /// back, given what it holds now (nothing: no such file). UserError
    /// naming the file when it does not hold what the other side left.
    std::string contentFrom(const std::optional<std::string>& now, bool forward) const;
    /// The file holds what the edit leaves when made (`forward`) or taken back.
    bool holds(const std::optional<std::string>& now, bool forward) const;
    /// Bytes kept, roughly.
    std::size_t size() const {
        return sizeof(*this) + before_.middle.size() + after_.middle.size();
    }

  private:
    struct State {
        std::size_t size = 0;
        std::uint64_t hash = 0;
        std::string middle;  // the bytes between the shared start and end
    };
    std::string path_;
    std::size_t prefix_ = 0;
    std::size_t suffix_ = 0;
    State before_;
    State after_;
};

/// A checksum of a file's bytes (64-bit FNV-1a): equal bytes, equal sums.
std::uint64_t BytesChecksum(std::string_view bytes);

/// Makes (`forward`) or takes back every edit, together with `others` (files
/// that belong to the same step, such as the name lists): each edited file is
/// first checked to hold what the edit expects, then every file is replaced
/// together (ReplaceFilesTogether), so all change or none does; `others` move
/// after the edited files, in their order. UserError naming the file that
/// refused or failed.
void ApplyFileEdits(const std::vector<FileEdit>& edits, bool forward,
                    const std::vector<FileContent>& others = {});

}  // namespace mw
