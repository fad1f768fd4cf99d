#pragma once
// The map the creator wizard holds: up to ten systems (by design file), the
// map's name and description, and the empires. The operations are the
// wizard's buttons without the window; questions, notices and file names go
// through Prompts.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/map_problem.h"
#include "common/prompts.h"
#include "map/map_project_record.h"

namespace mw {

namespace wizard_text {
inline constexpr std::string_view kTooManySystems =
    "You have reached the maximum number of systems in this map!";
inline constexpr std::string_view kDuplicateSystem = "The map alread conatins this system!";
inline constexpr std::string_view kBadEmpireCount =
    "You can use only 2,4 or 8 empires in your map! Setting value to 4...";
inline constexpr std::string_view kAskSaveProject = "Save the map to a *.vmpf file?";
inline constexpr std::string_view kAskGenerate = "Generate INF source?";
inline constexpr std::string_view kSeeCheckMap =
    "Press \"Check map\" to see every problem of the map.";

/// The line over the list of "Check map": how many problems of each
/// severity, and what they mean for "Save map".
std::string checkListSummary(const std::vector<MapProblem>& problems);
/// "Save map" when the check finds errors: how many, the first few, and
/// where to see them all.
std::string generateRefusal(const std::vector<MapProblem>& problems);
/// "Save map" when the check finds only warnings: how many, and whether to
/// generate anyway.
std::string askGenerateAnyway(const std::vector<MapProblem>& problems);
}  // namespace wizard_text

struct MapProject {
    /// Filled from slot 0 upwards without gaps; slots from systemCount on are empty.
    std::array<SystemSlot, kMaxSystems> systems{};
    int systemCount = 0;
    std::string mapName;      // as typed; cut to 125 when saved
    std::string description;  // as typed; cut to 255 when saved
    int empireCount = 2;      // always 2, 4 or 8
    std::array<EmpireSetup, kMaxEmpires> empires{};
    /// The empire tab shown (0-based); always below empireCount.
    int selectedEmpire = 0;
    /// The project file the map was loaded from; empty for a new map. Design
    /// files no longer at their stored paths are looked up beside it.
    std::string projectFile;
    /// The map as it was last loaded or saved (a new map's when neither):
    /// while the map differs, it is unsaved.
    MapProjectRecord kept;

    MapProject();

    /// The system list's rows: the filled slots' names in slot order.
    std::vector<std::string> systemNames() const;
    /// The tab captions "Empire1".. for the current empire count.
    std::vector<std::string> empireTabs() const;
    EmpireSetup& selected() { return empires[static_cast<std::size_t>(selectedEmpire)]; }
};

/// A new map: no systems, empty texts, two empires, every empire at its defaults.
void ResetProject(MapProject& project);

/// The map changed since it was last shown, loaded or saved: what "Save map"
/// would write differs from what it wrote (or read) then.
bool ProjectChanged(const MapProject& project);

/// Asks for a design file and adds its system (the name of its first record).
/// Refuses with a notice when ten systems are in the map or the name is empty
/// or already there. Returns true when a system was added. A file that cannot
/// be read raises IoError naming it; the map is unchanged then.
bool InsertSystem(MapProject& project, Prompts& prompts);
/// The same with the design file given.
bool InsertSystemFile(MapProject& project, const std::string& path, Prompts& prompts);

/// Removes the systems of the given list rows (any order, duplicates and rows
/// outside the list ignored) and closes the gaps, keeping the order.
void RemoveSelectedSystems(MapProject& project, const std::vector<int>& selectedRows);

/// The text of the empire-count box: "2", "4" or "8"; anything else gives a
/// notice and 4. The empire records are kept, so a later switch back shows
/// them again. Returns the count now in effect, to show in the box.
int SetEmpireCount(MapProject& project, std::string_view text, Prompts& prompts);

/// Asks for a project file and replaces the map with it. Returns false when
/// cancelled. A file that cannot be read (or is short) raises IoError naming
/// it; the map is unchanged then.
bool LoadProject(MapProject& project, Prompts& prompts);
/// The same with the file given.
void LoadProjectFile(MapProject& project, const std::string& path, Prompts& prompts);

/// The record that "Save map" writes and generates from.
MapProjectRecord BuildProjectRecord(const MapProject& project);

/// "Save map": checks the map first, then asks whether to save the project
/// file and, independently, whether to generate the mission source, and
/// reports each file written. A map with errors gets the refusal and no
/// question about the source; one with only warnings is asked whether to
/// generate anyway. The check and the generator read the same design files
/// (a moved one found beside the project file). The seed (if any) makes the
/// generated text reproducible.
/// Returns the project file written (the map then counts as saved); empty
/// when none was. When the project file was written and the mission source
/// cannot be, the error is shown and the project file still returned.
std::string SaveMap(MapProject& project, Prompts& prompts,
                    std::optional<std::uint32_t> seed = std::nullopt);

}  // namespace mw
