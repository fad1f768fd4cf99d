#pragma once
// What the wizard window's controls do to the map, one call a control: the
// map texts, the empire tab and the nine empire fields, Clear and
// "Load map" with the moved-folder lookup. The lists the combo boxes offer
// are here too, so the window only shows them.

#include <array>
#include <string>
#include <string_view>

#include "common/prompts.h"
#include "project/map_project.h"

namespace mw {

namespace wizard_text {
inline constexpr std::string_view kAskClear = "Are you sure you want to clear the project?";

inline constexpr std::array<std::string_view, 3> kEmpireCounts{"2", "4", "8"};
inline constexpr std::array<std::string_view, 3> kAiModes{"Occupancy", "Standard", "Agressive"};
inline constexpr std::array<std::string_view, 3> kRaces{"Darzok", "Human", "Kariak"};
inline constexpr std::array<std::string_view, 8> kTeams{"Team1", "Team2", "Team3", "Team4",
                                                        "Team5", "Team6", "Team7", "Team8"};
inline constexpr std::array<std::string_view, 3> kResearchLists{"Standard", "Agressive",
                                                                "Occupancy"};
}  // namespace wizard_text

/// The nine controls of the empire tab, in the order of the record.
enum class EmpireField {
    Name,              // Edit3
    AiMode,            // ComboBox2
    Race,              // ComboBox3
    Money,             // SpinEdit1
    Team,              // ComboBox4
    ResearchList,      // ComboBox5
    MaxSpyGroups,      // SpinEdit2
    MaxShipGroups,     // SpinEdit3
    MaxSpecialGroups,  // SpinEdit4
};

inline constexpr std::array<EmpireField, 9> kEmpireFields{
    EmpireField::Name,         EmpireField::AiMode,        EmpireField::Race,
    EmpireField::Money,        EmpireField::Team,          EmpireField::ResearchList,
    EmpireField::MaxSpyGroups, EmpireField::MaxShipGroups, EmpireField::MaxSpecialGroups};

/// Whether the field is a whole number (a spin edit) rather than a text.
bool isNumberField(EmpireField field);

/// The selected empire's field as its control shows it (numbers in decimal).
std::string EmpireFieldText(const MapProject& project, EmpireField field);
/// A control of the empire tab changed: its text goes into the selected
/// empire at once, a text cut to its field, a number parsed (a text that is
/// not a whole number counts as 0).
void SetEmpireField(MapProject& project, EmpireField field, std::string_view text);

/// The tab of empire `tab` (0-based) was chosen; a tab outside the shown
/// ones selects the first.
void SelectEmpire(MapProject& project, int tab);

void SetMapName(MapProject& project, std::string_view text);
void SetDescription(MapProject& project, std::string_view text);

/// "Clear": asks first; Yes resets the map. True when it was reset.
bool ClearProject(MapProject& project, Prompts& prompts);

/// "Load map": LoadProject, then every stored design file that no longer
/// exists is looked up beside the project file. A notice tells which files
/// are used instead, an error box which were found nowhere (those slots keep
/// their stored path). False when the dialog was cancelled; a project file
/// that cannot be read raises IoError and the map stays as it was.
bool LoadProjectLocatingFiles(MapProject& project, Prompts& prompts);
/// The same with the project file given.
void LoadProjectFileLocatingFiles(MapProject& project, const std::string& path, Prompts& prompts);

}  // namespace mw
