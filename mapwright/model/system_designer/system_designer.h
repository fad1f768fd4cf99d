#pragma once
// The open system and everything the designer window does to it. It owns the
// object tables and the four header texts; the window reads them through the
// const views and changes them only through the operations below, each one a
// user action. An operation returns a DesignerChange that tells the window
// what to show; questions, notices, file names and error boxes go through
// Prompts. Operations never throw a UserError: a failure is shown through
// Prompts::error and the change made before it is returned. A step that
// writes the name lists (placing or deleting a planet, a planet's new name,
// Clear map, undo and redo) writes both of them before it changes the tables,
// so it happens whole or not at all.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/editor_random.h"
#include "common/file_edit.h"
#include "common/prompts.h"
#include "names/name_directory.h"
#include "names/name_settings.h"
#include "system/designer_tools.h"
#include "system/jump_node_links.h"
#include "system/system_file.h"
#include "system/system_model.h"
#include "system/world_coordinates.h"
#include "system_designer/object_dialogs.h"

namespace mw {

class DesignerStep;
class NameWorkflow;

/// The editor-wide values the designer shares with the main window.
struct ShellValues {
    /// Set by the main window's Open command; a designer window created while
    /// it is set opens a file at once. Cleared by every open step.
    bool openFlag = false;
    /// The sun name of the last opened file followed by " system", cut to 27.
    std::string lastOpenedCaption;
};

/// What an operation changed, for the window to show.
struct DesignerChange {
    /// Remove every marker before adding `added`.
    bool clearMarkers = false;
    /// Markers to create.
    std::vector<MarkerView> added;
    /// Markers to remove.
    std::vector<ObjectRef> removed;
    /// The four header texts changed: show header() again.
    bool headerChanged = false;
    /// The window's new caption.
    std::optional<std::string> caption;
    /// The window is to close (the open dialog of a window made to open a file was cancelled).
    bool closeWindow = false;
    /// A marker was clicked with a placing tool: the property dialog of this
    /// kind opens for the current object index.
    std::optional<ObjectKind> openDialog;
    /// The system (tables or header) changed.
    bool systemChanged = false;
    /// Other systems' design files the operation changed (a link made both
    /// ways): they belong to its undo step.
    std::vector<FileEdit> filesEdited;
};

/// The open system, whole, for undo: tables, header and the two name list
/// files, which the designer keeps in step with the planets.
struct DesignerSnapshot {
    TablesSnapshot tables;
    SystemHeader header;
    std::optional<std::string> pool;      // bytes of "p_names.dat"; none when missing
    std::optional<std::string> usedList;  // bytes of "list.dat"; none when missing
    bool operator==(const DesignerSnapshot&) const = default;
};

class SystemDesigner {
  public:
    SystemDesigner(NameSettings& settings, EditorRandom& random, NameDirectory names,
                   ShellValues& shell);
    ~SystemDesigner();
    SystemDesigner(const SystemDesigner&) = delete;
    SystemDesigner& operator=(const SystemDesigner&) = delete;

    // --- views ---
    const SystemModel& tables() const { return *tables_; }
    const SystemHeader& header() const { return header_; }
    /// The sun name followed by " system".
    std::string caption() const;
    /// Every object that has a marker: records 1..count of each kind that are
    /// not deleted (an object whose key was emptied keeps its marker), kind by
    /// kind in the order of the tools, each in index order.
    std::vector<MarkerView> markers() const;
    /// The marker of one object: caption, hint (a jump node's is its node id),
    /// position and tag.
    MarkerView marker(ObjectRef object) const;
    /// The file last opened or saved, empty for a new system.
    const std::string& filePath() const { return filePath_; }
    /// The system has changes not saved. The document keeps it in step with
    /// its undo stack; the Close and Open questions are asked only then.
    bool unsaved() const { return unsaved_; }
    void SetUnsaved(bool unsaved) { unsaved_ = unsaved; }
    /// Where Save writes from now on (a restored system keeps the path it came from).
    void SetFilePath(std::string path) { filePath_ = std::move(path); }
    /// The object as a step names it: "planet Vega", "ship 3", "jump node 1".
    std::string objectName(ObjectRef object) const;

    // --- the designer window's actions ---

    /// A designer window is created: the name files are ensured, the tables
    /// reset, the header set to its defaults with a system name drawn from the
    /// system-name database; when the open flag is set the open step runs (see
    /// Open); the planet name pool is refilled.
    DesignerChange Create(Prompts& prompts);

    /// The mouse moved over the map panel: the last cursor pixel becomes the
    /// pixel; returns the world position the "X:" and "Y:" fields show.
    WorldPosition MoveCursor(MarkerPos pixel);

    /// A click on the empty map panel at the pixel with the tool: the pixel
    /// becomes the last cursor pixel, the name files are ensured, the current
    /// system name follows the sun name field; the delete tool shows "You can't
    /// delete the NOTHING! :D"; nothing is placed on the sun's pixel (whose
    /// world position is 0, 0) or outside the panel; any other tool places a
    /// new object of its kind with its placement values (a planet also takes a
    /// name from the pool). The 1001st object of a kind is refused with a
    /// notice; nothing is placed.
    DesignerChange ClickMap(Tool tool, MarkerPos pixel, Prompts& prompts);

    /// A click on an object's marker: the current object index becomes its
    /// index. The delete tool deletes it (a planet's name leaves "list.dat" and
    /// goes back to the pool unless it is "Planet" + index); any other tool
    /// asks for the kind's property dialog (DesignerChange::openDialog).
    DesignerChange ClickMarker(Tool tool, ObjectRef object, Prompts& prompts);

    /// "Open" (and the open step of a window created to open a file): unless
    /// the open flag is set or nothing is unsaved, asks "Are you sure you want
    /// to open an another map? ..."; then asks for the file. A cancelled dialog closes the window
    /// when the open flag is set. The file is read into a scratch system: a
    /// file that cannot be read is shown as an error and leaves the open system
    /// (tables, header, markers) exactly as it was. The open flag is cleared in
    /// every case.
    DesignerChange Open(Prompts& prompts);
    /// The main window's Open for the window already open, its question
    /// answered: asks for the file. A cancelled dialog changes nothing (the
    /// window stays), and the file is read as OpenFile reads it, so the
    /// system is replaced only by a file read whole. The open flag is cleared
    /// in every case.
    DesignerChange OpenFromMainWindow(Prompts& prompts);
    /// The open step's reading for a file already chosen: on success the system
    /// is replaced, the last opened caption recorded, the open flag cleared and
    /// the pool refilled. A recovery file keeps its stored jump node ids.
    DesignerChange OpenFile(const std::string& path, Prompts& prompts,
                            NodeIds ids = NodeIds::FollowSystemName);

    /// "Clear map": asks "Are you sure you want to clear this map?"; Yes resets
    /// the tables and refills the pool from the names manager's file and style.
    DesignerChange ClearMap(Prompts& prompts);

    /// "Save as": asks for a file name (".sdf" added when it has no extension)
    /// and writes the system there, replacing an existing file. Returns the
    /// path written, or nothing when cancelled or failed.
    std::optional<std::string> SaveAs(Prompts& prompts);
    /// Writes the system to the path (no question). Returns false on failure.
    bool SaveTo(const std::string& path, Prompts& prompts);

    /// The "Close" button: with changes not saved asks "Are you sure you want
    /// to close this window? ..."; true when the window is to close.
    bool ConfirmClose(Prompts& prompts);
    /// The window closes (button or system menu): the tables are reset.
    DesignerChange Closing();

    /// The sun name field changed (typed or set): the planets circling the old
    /// name circle the new one, the current system name follows; the caption
    /// becomes the name followed by " system".
    DesignerChange SetSunName(std::string_view text);
    DesignerChange SetSunType(std::string_view text);
    DesignerChange SetBackground(std::string_view text);
    DesignerChange SetScale(std::string_view text);

    // --- the property dialogs, on the current object index ---
    // Each OK is one call. It returns nothing when the dialog is to stay open
    // (the error has been shown and nothing written); otherwise the change.

    /// OK in an object dialog: every field into the record, texts cut to the
    /// record's capacity. A planet's changed name is renamed in "list.dat"; a
    /// ship becomes "Ship" + index, and a rank or number of ships that is not
    /// a whole number is shown as an error with nothing of the ship written.
    std::optional<DesignerChange> ConfirmDialog(const DialogValues& values, Prompts& prompts);

    /// "Set 'Z' coordinate" in the dialog of a kind: the Z dialog now writes
    /// that kind. Returns the object's Z in decimal, which the Z dialog shows
    /// and remembers.
    std::string BeginZ(ObjectKind kind);
    /// OK in the Z dialog: the text parsed as a whole number becomes the
    /// remembered value and the object's Z at once. A text that is not a whole
    /// number is shown as an error and changes nothing.
    std::optional<DesignerChange> ConfirmZ(std::string_view text, Prompts& prompts);
    /// Cancel in the Z dialog: the text its edit goes back to.
    std::string CancelZ() const;

    /// "Link systems": asks for another system's design file and keeps its
    /// jump nodes as the link list (the first 100; a notice says when the file
    /// holds more). Returns the chooser's entries ("0" first), or nothing when
    /// the dialog was cancelled or the file could not be read (an error shown).
    std::optional<std::vector<std::string>> LinkSystems(Prompts& prompts);
    /// The nodes of the last linked file.
    const JumpNodeLinks& links() const { return links_; }
    /// OK in the node chooser: the current jump node leads to the chosen text
    /// at once. A node id longer than a design file keeps of a leads-to is
    /// refused (an error shown), never stored cut. `bothWays` ("Link both
    /// ways"), for a node of the linked file: that file is changed too, so
    /// its node leads back here; when it leads elsewhere the user is asked
    /// first. The linked file is written before this node changes, so a
    /// failure (shown) leaves both as they were. Nothing when refused, No,
    /// or failed: the chooser stays open.
    std::optional<DesignerChange> ChooseLink(std::string_view chosen, Prompts& prompts,
                                             bool bothWays = false);

    /// A marker dragged to the pixel: its marker position becomes the pixel
    /// and its X and Y the world position there, as if placed there; Z and
    /// every other field are kept. A drop on the sun's pixel or outside the
    /// panel, or of an object that is not live, moves nothing.
    DesignerChange MoveMarker(ObjectRef object, MarkerPos pixel);

    // --- undo support ---
    DesignerSnapshot TakeSnapshot() const;
    /// Back to the snapshot: the name list files (and other design files a
    /// step changed, `edits` made or taken back as `forward` says), then
    /// tables and header. A file that cannot be written, or that was changed
    /// on disk since the step, raises UserError naming it, and nothing has
    /// changed.
    void RestoreSnapshot(const DesignerSnapshot& snapshot, const std::vector<FileEdit>& edits = {},
                         bool forward = true);
    /// Undo or redo of one step (see DesignerStep): the system as it was
    /// before (after) the step; the window shows the header fields and the
    /// markers of the objects the step touched anew. Whole or not at all, as
    /// RestoreSnapshot.
    DesignerChange UndoStep(const DesignerStep& step);
    DesignerChange RedoStep(const DesignerStep& step);

  private:
    NameWorkflow names() const;
    DesignerChange place(ObjectKind kind, MarkerPos pixel, Prompts& prompts);
    void fillPlacement(ObjectKind kind, int index, WorldPosition at, MarkerPos pixel);
    DesignerChange restoredChange(const DesignerStep& step);
    DesignerChange setHeaderText(std::string SystemHeader::*field, std::string_view text,
                                 std::size_t capacity);
    /// Asks for the file and opens it; `closeOnCancel`: a cancelled dialog closes the window.
    DesignerChange chooseAndOpen(Prompts& prompts, bool closeOnCancel);
    /// The current object index when it names an object of the kind.
    std::optional<int> currentObject(ObjectKind kind) const;

    NameSettings& settings_;
    EditorRandom& random_;
    NameDirectory names_;
    ShellValues& shell_;
    std::unique_ptr<SystemModel> tables_;
    SystemHeader header_;
    std::string filePath_;
    bool unsaved_ = false;
    std::int32_t zRemembered_ = 0;
    JumpNodeLinks links_;
    std::string linkedFile_;  // the file "Link systems" read last
};

}  // namespace mw
