#pragma once
// The two name lists as one step of the designer will leave them: read when
// first asked for, changed in memory, and written by commit() together, both
// or neither (ReplaceFilesTogether). The step changes the tables only after
// commit(), so a list that cannot be written leaves the system, the map and
// both lists as they were.

#include <optional>
#include <string>

#include "names/name_directory.h"

namespace mw {

class NameListsDraft {
  public:
    explicit NameListsDraft(const NameDirectory& dir);

    /// The bytes of "p_names.dat" / "list.dat", to change in place. A list
    /// that does not exist reads as empty and is made by commit().
    std::string& pool() { return load(pool_); }
    std::string& usedList() { return load(used_); }

    /// Writes the lists that changed, the pool last; IoError naming the one
    /// that failed (and the one that could not be put back).
    void commit();

  private:
    struct List {
        std::string path;
        std::optional<std::string> read;  // as read; none until asked for or when missing
        std::optional<std::string> bytes;
    };
    static std::string& load(List& list);

    List pool_;
    List used_;
};

}  // namespace mw
