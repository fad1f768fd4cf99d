#pragma once
// The wizard's map as a document: the map, what it was when last loaded or
// saved (the caption's "*"), and its undo history. It lives in the editor's
// state for the whole run, so closing and showing the wizard again keeps it;
// every change the wizard's controls make goes through here and becomes one
// undo step.

#include <string>
#include <string_view>
#include <vector>

#include "common/prompts.h"
#include "project/map_history.h"
#include "project/map_project.h"
#include "project/wizard_controls.h"

namespace mw {

namespace wizard_text {
inline constexpr std::string_view kCaption = "Map creator wizard...";
inline constexpr std::string_view kAskLoadOver =
    "Are you sure you want to load another map? Your unsaved data will be lost!";
inline constexpr std::string_view kAskClose =
    "Are you sure you want to close this window? (Your unsaved datas will be lost)";
inline constexpr std::string_view kChooseSystemToEdit =
    "Choose a system in the list first, then press \"Edit system\".";
}  // namespace wizard_text

class MapDocument {
  public:
    MapProject& project() { return project_; }
    const MapProject& project() const { return project_; }
    const MapHistory& history() const { return history_; }

    /// The map differs from what it was when last loaded or saved.
    bool unsaved() const { return ProjectChanged(project_); }
    /// "Map creator wizard..." with "*" while unsaved.
    std::string caption() const;
    /// Close, Escape and the close box: asks first while the map is unsaved
    /// (the map is kept either way); true when the window is to close.
    bool confirmClose(Prompts& prompts) const;

    /// "Insert": asks for design files and inserts each, in the order
    /// chosen, as one undo step. A refused or unreadable file is said
    /// (notice or error naming it) and the rest are still inserted; a full
    /// map stops the rest with one notice. Returns how many were inserted.
    int insert(Prompts& prompts);
    /// "Remove" of the given list rows.
    void remove(const std::vector<int>& rows);
    /// "Clear": asks first when the map is unsaved; true when it was emptied.
    bool clear(Prompts& prompts);

    void setMapName(std::string_view text);
    void setDescription(std::string_view text);
    void setEmpireField(EmpireField field, std::string_view text);
    /// The empire-count box; returns the count in effect (see SetEmpireCount).
    int setEmpireCount(std::string_view text, Prompts& prompts);
    /// A tab chosen: no change of the map, no undo step.
    void selectEmpire(int tab);
    /// The keyboard left a field: the next typing is a step of its own.
    void fieldLeft() { history_.closeMerge(); }

    /// "Load map": asks first when the map is unsaved, then asks for the file.
    /// False when either was declined; IoError for a file that cannot be read
    /// (the map stays as it was).
    bool load(Prompts& prompts);
    /// The same with the project file given (a recent file, a start argument).
    bool loadFile(const std::string& path, Prompts& prompts);
    /// "Save map" (see SaveMap); the project file written, empty when none.
    std::string save(Prompts& prompts);

    bool undo(Prompts& prompts) { return history_.undo(project_, prompts); }
    bool redo(Prompts& prompts) { return history_.redo(project_, prompts); }
    /// A step made outside these operations (a link that also wrote other
    /// files); see MapHistory::push.
    void push(MapStep step) { history_.push(std::move(step)); }

    /// The design file "Edit system" opens for list row `row`: the stored one,
    /// or the one found beside the project file. A UserError says why there
    /// is none (no such row, or the file found nowhere).
    std::string designFileToEdit(int row) const;

    /// A map restored from a recovery copy (a project file), belonging to the
    /// project file it came from (empty for a map never saved). It counts as
    /// unsaved against that file; the history starts anew. IoError when the
    /// copy cannot be read; the map stays as it was then.
    void restoreRecovered(const std::string& recoveryFile, const std::string& projectFile,
                          Prompts& prompts);

  private:
    /// Runs a change of the map and records it as one undo step.
    template <typename Change>
    auto change(std::string label, std::string mergeKey, Change&& apply);

    MapProject project_;
    MapHistory history_;
};

}  // namespace mw
