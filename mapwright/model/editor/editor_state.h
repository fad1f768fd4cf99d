#pragma once
// Everything the editor holds, in one object that main creates once and hands
// to every window (tests make their own): the open system with its tables and
// header texts, the name settings, the random source, the working folder in
// which the name files live, the open flag and last opened caption, and the
// map creator wizard's map. Nothing of it is global.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "common/editor_random.h"
#include "common/prompts.h"
#include "names/name_directory.h"
#include "names/name_settings.h"
#include "project/map_document.h"
#include "system_designer/system_designer.h"

namespace mw {

class EditorState {
  public:
    /// The name list files ("p_names.dat", "list.dat", ...) and relative name
    /// database names ("main.ond") resolve in workingFolder. Without a seed the
    /// random source is seeded from the clock; with one every draw repeats.
    explicit EditorState(std::filesystem::path workingFolder,
                         std::optional<std::uint64_t> seed = std::nullopt);
    ~EditorState();
    EditorState(const EditorState&) = delete;
    EditorState& operator=(const EditorState&) = delete;

    SystemDesigner& designer() { return *designer_; }
    const SystemDesigner& designer() const { return *designer_; }

    NameSettings& nameSettings() { return nameSettings_; }
    const NameSettings& nameSettings() const { return nameSettings_; }
    EditorRandom& random() { return random_; }
    const std::filesystem::path& workingFolder() const { return workingFolder_; }
    /// Where the name files are; a name database's path as the model opens it.
    const NameDirectory& nameFiles() const { return nameFiles_; }

    MapProject& project() { return map_->project(); }
    const MapProject& project() const { return map_->project(); }
    /// The wizard's map with its undo history and saved state; kept for the whole run.
    MapDocument& map() { return *map_; }
    const MapDocument& map() const { return *map_; }

    bool openFlag() const { return shell_.openFlag; }
    const std::string& lastOpenedCaption() const { return shell_.lastOpenedCaption; }

    // --- the main window's actions ---

    /// The main window is shown for the first time: the open flag is cleared.
    void MainWindowShown();

    enum class OpenCommand {
        CreateDesigner,  // no designer window open: create one; it opens a file at once
        OpenInDesigner,  // the open window asks for the file (SystemDesigner::OpenFromMainWindow);
                         // its system is replaced only by a file read whole
        Nothing,         // the user answered No: the open flag is cleared
    };
    /// The Open command: sets the open flag; with a designer window open whose
    /// system has changes not saved asks "Are you sure you want to open a new
    /// map? ...". No clears the flag again, as every open step ends, so the
    /// designer's own Open asks its own question and keeps its window.
    OpenCommand BeginOpen(bool designerOpen, Prompts& prompts);
    /// The caption for the window created for the Open command: the last
    /// opened caption (or "Unnamed system") when its open step read a file;
    /// after a cancelled or failed read, that of the system it holds.
    std::string OpenedCaption();

    enum class QuitCommand { Menu, Toolbar };
    /// "Exit" in the menu or on the toolbar asks its own question (once) when
    /// the system or the wizard's map has changes not saved; true = quit.
    bool ConfirmQuit(QuitCommand from, Prompts& prompts);

  private:
    std::filesystem::path workingFolder_;
    NameDirectory nameFiles_;
    NameSettings nameSettings_;
    EditorRandom random_;
    ShellValues shell_;
    std::unique_ptr<SystemDesigner> designer_;
    std::unique_ptr<MapDocument> map_;
};

}  // namespace mw
