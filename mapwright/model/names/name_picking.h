#pragma once
// Drawing planet and system names, and rebuilding the planet name pool from a
// name database. List files are resolved in the NameDirectory; ".ond" names are
// used as given. Failures raise IoError naming the file.

#include <optional>
#include <string>
#include <string_view>

#include "common/editor_random.h"
#include "names/name_directory.h"
#include "system/system_model.h"

namespace mw {

/// Shown when the pool is empty and a name had to be generated.
inline constexpr std::string_view kOutOfPlanetNamesNotice =
    "Ran out of predefined planet names! Generating one...";

/// The current system name when the database has no system name of the style.
inline constexpr std::string_view kUnnamedSystem = "Unnamed";

struct PlanetNamePick {
    std::string name;
    /// The information message for the window to show, if any.
    std::optional<std::string> notice;
};

/// A name drawn at random from "p_names.dat", which is not changed. With an
/// empty pool the name is "Planet" + the planet count (the new planet's index)
/// and the notice is set.
PlanetNamePick PickPlanetName(const NameDirectory& dir, const SystemModel& model,
                              EditorRandom& random);

/// The current system name becomes a random system name of the style from the
/// database, or "Unnamed" when it has none.
void PickSystemName(const std::string& ondFile, char styleLetter, SystemModel& model,
                    EditorRandom& random);

struct PoolRefill {
    std::string ondFile;
    char styleLetter = 'U';
    /// Leave out names equal to a planet name of index 1..count, deleted ones included.
    bool excludeNamesInUse = false;
    /// Create a missing database as an empty file instead of failing.
    bool createMissingDatabase = false;
};

/// "p_names.dat" becomes the planet names of the style from the database, in
/// file order (duplicates kept), less the names in use when asked. The new pool
/// replaces the old one in one rename, so a failure leaves the old pool.
void RefillPlanetPool(const NameDirectory& dir, const PoolRefill& refill, const SystemModel& model);

}  // namespace mw
