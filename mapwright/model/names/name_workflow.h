#pragma once
// The name side of what the designer window and the planet dialog do: each
// call is one user action, run on the model, the name settings and the name
// files. Notices come back as values for the window to show; file failures
// raise IoError (naming the file) for the window's error box, and the steps
// that place, delete or rename a planet, or clear the map, change the tables
// only once both name lists are written: they happen whole or not at all.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/editor_random.h"
#include "names/name_directory.h"
#include "names/name_settings.h"
#include "system/system_model.h"

namespace mw {

struct PlacedPlanet {
    int index = 0;
    /// "Ran out of predefined planet names! Generating one..." when the pool was empty.
    std::optional<std::string> notice;
};

/// What the planet dialog hands back on OK (texts as typed, in full).
struct PlanetDialogValues {
    std::string name;
    std::string type;
    std::string model;
    std::string orbitsAround;
    std::int32_t diameter = 0;
    std::string owner;
    std::string race;
    std::int32_t population = 0;
};

class NameWorkflow {
  public:
    NameWorkflow(SystemModel& model, NameSettings& settings, EditorRandom& random,
                 NameDirectory dir = NameDirectory())
        : model_(model), settings_(settings), random_(random), dir_(std::move(dir)) {}

    /// A designer window is created: the tables are reset, the name files
    /// ensured and a system name drawn (from the system-name database in the
    /// system-name style); then `openStep` runs when the window was created to
    /// open a file, and the pool is refilled. A missing database fails the draw
    /// and the steps after it do not run.
    void designerCreated(const std::function<void()>& openStep = {});

    /// A system file has been read into the tables: the pool is refilled from
    /// the system-name database, style "U", without the names in use (a missing
    /// database is created empty).
    void systemOpened();

    /// Places a planet at world (x, y), marker pixel `marker`, circling `sunName`:
    /// a new index, a drawn name (cut to 15), the placement defaults, the name
    /// taken out of the pool and the used-name list rewritten.
    /// The 1001st planet since the last reset raises TableFullError; nothing changes.
    PlacedPlanet placePlanet(std::int32_t x, std::int32_t y, MarkerPos marker,
                             std::string_view sunName);

    /// Deletes planet `index`: its name leaves the used-name list and goes back
    /// to the pool unless it is the generated "Planet" + index (or empty).
    /// A planet already deleted is left alone.
    void deletePlanet(int index);

    /// OK in the planet dialog for planet `index`: a changed name is renamed in
    /// the used-name list (in full), then every field is stored cut to its
    /// capacity. The pool is not touched.
    void confirmPlanetDialog(int index, const PlanetDialogValues& values);

    /// "Clear map" confirmed: the tables are reset and the pool refilled from
    /// the names manager's file and style, with every name.
    void clearMap();

    const NameDirectory& directory() const { return dir_; }

  private:
    void refillFromSystemDatabase();

    SystemModel& model_;
    NameSettings& settings_;
    EditorRandom& random_;
    NameDirectory dir_;
};

}  // namespace mw
