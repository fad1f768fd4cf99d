#pragma once
// The walk's own record of the map in the creator wizard, written from what
// the user did and saw: the systems inserted (each named by its design file's
// first record, read by the walk itself), the map's texts, the number of
// empires and every empire's fields as its tab showed them. It says what a
// project file that "Save map" wrote must hold.

#include <array>
#include <string>
#include <vector>

#include "oracle_file_reader.h"

namespace mw::ui::test {

class ProjectOracle {
  public:
    ProjectOracle() { reset(); }

    /// A new map: the wizard shown or cleared.
    void reset();
    enum class Insert { Added, Refused, Unreadable };
    /// Insert of the design file at `path` holding `bytes`: added, refused
    /// with a notice (a full map, a name empty or there already), or not
    /// readable (an error).
    Insert insert(const std::string& path, const std::string& bytes);
    void remove(const std::vector<int>& rows);
    void setTexts(const std::string& mapName, const std::string& description);
    void setEmpireCount(int count) { empireCount_ = count; }
    void setEmpire(int empire, const files::ProjectEmpire& fields);
    /// Load map of the file at `path` holding `bytes`; false when it cannot
    /// be read. A design file that is not where the file says is taken from
    /// beside the project file when it is there.
    bool load(const std::string& path, const std::string& bytes);

    std::vector<std::string> systemNames() const;
    const std::string& mapName() const { return mapName_; }
    const std::string& description() const { return description_; }
    const files::ProjectEmpire& empire(int n) const { return empires_[std::size_t(n)]; }
    /// Where a project file differs from the record; empty when it does not.
    std::string compareFile(const std::string& bytes) const;

  private:
    std::vector<files::ProjectSlot> systems_;
    std::string mapName_, description_;
    int empireCount_ = 2;
    std::array<files::ProjectEmpire, 8> empires_;
};

}  // namespace mw::ui::test
