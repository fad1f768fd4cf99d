#pragma once
// The walk's own record of the system the user built, written from what the
// user did and saw, never from the model: every object by kind and index with
// its position and the values typed into its dialog, the sun's four fields,
// and the planet name pool and used-name list the user's steps must have left.
// It says what a design file and the two name lists must hold. A history of
// records follows the undo stack, so undo and redo have an expectation too.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "oracle_file_reader.h"

namespace mw::ui::test {

/// The kinds, numbered as the editor numbers them.
enum OracleKind { kPlanet, kMicroAsteroid, kAsteroid, kWreck, kNebula, kJumpNode, kShip, kKinds };

/// One object. The texts stand where the design file keeps them: `name` is
/// a planet's or ship's name, a jump node's "leads to" and the type of the
/// other kinds; `a` a planet's or ship's type and a node's id; `b` the
/// owner; `c` the body a planet circles; `d` its race; `e` its model.
struct OracleObject {
    bool deleted = false;
    std::int32_t x = 0, y = 0, z = 0;
    int px = 0, py = 0;
    std::string name, a, b, c, d, e;
    std::int32_t amount = 0, rank = 0, number = 0, diameter = 0, population = 0;
    std::uint8_t flag = 0;
    /// Not 0 while `name` is a random choice of placement not seen yet.
    int pick = 0;
};

struct OracleSystem {
    std::array<std::vector<OracleObject>, kKinds> objects;  // index i at [i - 1]
    std::string sunName, sunType = "Sun", background = "Background1", scale = "0.7";
    std::vector<std::string> pool, used;
};

/// (kind, index, marker x, marker y) of every object with a marker.
using MarkerSet = std::set<std::tuple<int, int, int, int>>;

class SystemOracle {
  public:
    /// The planet names a pool is filled with.
    explicit SystemOracle(const std::vector<std::string>& databaseNames);

    const OracleSystem& now() const { return now_; }
    /// False after an undo or redo to a step whose system is not known.
    bool known() const { return known_; }

    // --- what the user did ---
    /// A new designer window, its sun name drawn: empty, the pool full.
    /// `usedOnDisk` is taken for the used-name list only when the record was
    /// not known.
    void newSystem(const std::string& sunName, const std::vector<std::string>& usedOnDisk);
    /// A design file was opened; false when the oracle cannot read it whole.
    bool open(const std::string& bytes, const std::vector<std::string>& usedOnDisk);
    /// The object a click at the pixel places; nothing on the sun or when
    /// the kind is full.
    std::optional<int> placement(int kind, int px, int py) const;
    /// Placed as placement() said. A planet takes `drawn`; returns what is
    /// wrong with that name (it must come from the pool, or be generated
    /// when the pool is empty).
    std::string place(int kind, int px, int py, const std::string& drawn = {});
    void remove(int kind, int index);
    void clearMap();
    bool live(int kind, int index) const;
    void move(int kind, int index, int px, int py);
    void setZ(int kind, int index, std::int32_t z);
    void setLeadsTo(int index, const std::string& text);
    /// OK in an object dialog: the texts and numbers as its fields showed
    /// them, in the order of OracleObject's fields of the kind.
    void confirm(int kind, int index, const std::vector<std::string>& texts,
                 const std::vector<std::int32_t>& numbers);
    void setSunName(const std::string& text);
    void setHeader(const std::string& type, const std::string& background,
                   const std::string& scale);
    /// The object's dialog opened showing `shown` as its key text (a random
    /// type is learnt so); what is wrong with it.
    std::string seen(int kind, int index, const std::string& shown);

    /// A failed step could not put the used-name list back, as the user was
    /// told: it holds `used` now, at this step of the stack too.
    void usedListLeft(const std::vector<std::string>& used);

    // --- the undo stack ---
    /// After anything that may have made, merged or dropped a step: the
    /// stack stands at `index` of `count` steps.
    void stepMade(int index, int count);
    /// Undo or redo moved the stack to `index`.
    void movedTo(int index);

    // --- what must be ---
    MarkerSet markers() const;
    /// Where a design file differs from the record; empty when it does not.
    /// `nodeIds` false: jump node ids are not compared (an open makes them anew).
    std::string compareDesignFile(const std::string& bytes, bool nodeIds);
    /// Where a name list differs from what it must hold.
    std::string compareLists(const std::string& poolBytes, const std::string& usedBytes) const;

  private:
    std::string nodeId(int index) const;
    void refillPool(bool excludeNamesInUse);

    std::vector<std::string> databaseNames_;
    OracleSystem now_;
    bool known_ = true;
    std::vector<std::optional<OracleSystem>> history_{OracleSystem{}};
    int at_ = 0;
    std::map<int, std::string> picks_;  // the random choices seen
    int nextPick_ = 1;
};

}  // namespace mw::ui::test
