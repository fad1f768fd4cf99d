#pragma once
// The nodes offered for linking a jump node: read by "Link systems" from
// another system's design file and shown by the node chooser. At most 100 are
// kept, the first ones of the file; they stay until the next "Link systems".

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "system/system_file.h"

namespace mw {

class JumpNodeLinks {
  public:
    static constexpr std::size_t kCapacity = 100;
    /// What the chooser starts with, shows first and shows for "0": not connected.
    static constexpr std::string_view kNotConnected = "0";

    /// The nodes of a file in file order; only the first 100 are kept.
    /// Returns how many were left out.
    std::size_t assign(std::vector<JumpNodeLink> nodes);
    void clear() { nodes_.clear(); }

    const std::vector<JumpNodeLink>& nodes() const { return nodes_; }
    /// The chooser's list: "0" first, then every node id in order.
    std::vector<std::string> chooserEntries() const;
    /// What "Jumpnode leads to:" shows for the chosen text: "0" for "0", the
    /// leads-to of the first node with that id, nothing for any other text
    /// (the label keeps what it showed).
    std::optional<std::string> leadsToShown(std::string_view chosen) const;

  private:
    std::vector<JumpNodeLink> nodes_;
};

}  // namespace mw
