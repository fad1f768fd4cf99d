#pragma once
// The names manager without its window: one window for two modes (system
// names, planet names), a file field and a style list that keep what the
// user left in them, and OK, which stores the choice in the name settings
// and rebuilds the planet name pool when it changed something that matters.
// The watch window's three lists are here too.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/prompts.h"
#include "names/name_directory.h"
#include "names/name_settings.h"
#include "system/system_model.h"

namespace mw {

enum class NamesMode { Systems, Planets };

namespace names_text {
/// The names manager's "Help" button.
inline constexpr std::string_view kManagerHelp =
    "The list shows the names of the selected name database: the system names in the system "
    "name manager, the planet names in the planet name manager, of every style.\n\n"
    "Use this style: the style of the names the editor picks.\n"
    "Locate: choose another name database (*.ond file); Reload reads it again.\n"
    "Browser: starts the name explorer namescout, with which you make and edit name databases.\n"
    "OK: the editor picks its names from this database in this style from now on; the planet "
    "names not yet on the map are gathered again when the database or the style changed.";
/// The external name explorer, started by "Browser".
inline constexpr std::string_view kNameExplorer = "namescout";
/// The lines in the main window's status bar when the explorer cannot be
/// started: it is in neither place it is looked for, or it failed to start.
std::string nameExplorerNotFound(std::string_view programDir);
std::string nameExplorerNotStarted(std::string_view program, std::string_view reason);
/// The watch window's count label: "3 record(s)".
std::string recordCountText(std::size_t count);
}  // namespace names_text

class NamesManager {
  public:
    /// The settings are the editor's; the pool and relative database names
    /// resolve in `dir`; the planets on the map are kept out of a rebuilt pool.
    NamesManager(NameSettings& settings, const NameDirectory& dir, const SystemModel& model)
        : settings_(settings), dir_(dir), model_(model) {}

    /// The main window opens the manager: the mode's style becomes the
    /// working style and is selected in the style list, the mode's database
    /// goes into the file field.
    void Open(NamesMode mode);

    NamesMode mode() const { return mode_; }
    /// "System name database" or "Planet name database".
    std::string_view caption() const;
    /// The file field as the user left it ("main.ond" at first).
    const std::string& file() const { return settings_.managerFile; }
    /// The style list's selection 0..3, or -1 when nothing is selected.
    int styleIndex() const;
    int workingStyle() const { return workingStyle_; }

    /// The style list's choice (0..3) becomes the working style.
    void SelectStyle(int index);

    /// The names the list shows (system or planet names by mode, every
    /// style, in the list's order), or nothing when the file field is empty.
    /// A database that cannot be read raises IoError naming it.
    std::optional<std::vector<std::string>> ListNames() const;

    /// "Locate": a chosen file replaces the file field; a cancelled dialog
    /// keeps it. Either way the list is to be filled again.
    void Locate(Prompts& prompts);

    /// "OK": the mode's database and style become the file field and the
    /// working style; the pool is rebuilt from the file field in the style
    /// list's style when the system-name database's file name, its size in
    /// 121-byte units or the system-name style differ from before. True when
    /// rebuilt. A system-name database that cannot be opened raises IoError
    /// before anything is stored.
    bool Confirm();

  private:
    NameSettings& settings_;
    const NameDirectory& dir_;
    const SystemModel& model_;
    NamesMode mode_ = NamesMode::Systems;
    int workingStyle_ = 0;
};

/// The watch window's lists.
enum class WatchList {
    UsedList,         // every record of "list.dat", in file order
    Pool,             // every record of "p_names.dat", in file order
    PlanetsInEditor,  // the live planets' names, in index order
};

/// The lines of one watch list. A list file that cannot be read raises IoError naming it.
std::vector<std::string> WatchNames(WatchList list, const NameDirectory& dir,
                                    const SystemModel& model);

}  // namespace mw
