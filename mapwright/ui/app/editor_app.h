#pragma once
// Starting the editor: the one editor state, the prompts, the document, the
// main window and the shell windows, then the event loop.

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "editor_hooks.h"

class QSettings;
class QString;

namespace mw {
struct WorkingFolder;
}

namespace mw::ui {

class TMainForm;

/// The editor's style and font, set once the application exists.
void applyEditorLook();

/// Everything main builds for the editor, in start-up order. Needs a
/// QApplication; the working folder holds main.ond and the name lists.
class Editor {
  public:
    explicit Editor(const std::filesystem::path& workingFolder);
    /// As a real start: the status bar names the working folder.
    explicit Editor(const WorkingFolder& working);
    /// With the hooks of a test build (see EditorHooks).
    Editor(const WorkingFolder& working, EditorHooks hooks);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    TMainForm& mainForm();
    /// Shows the main window; a missing program icon is reported then.
    void show();
    /// The recent files, kept in the settings.
    void keepRecentFiles(std::unique_ptr<QSettings> settings);
    /// Writes the open system to a recovery file in the folder while it has
    /// unsaved changes.
    void keepRecovery(const std::filesystem::path& stateFolder, std::chrono::milliseconds interval);
    /// The first steps once the main window is up: a recovery file left by a
    /// crash is offered, the file given (if any) opened, the start hook run.
    void start(const QString& file);

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

/// The working folder of an editor started now (the data folder is prepared
/// when the desktop started it).
WorkingFolder chooseStartFolder();
/// Without a display the toolkit would end the process with an abort; the
/// caller says why instead.
bool displayAvailable();

/// Runs the editor until its main window closes; returns the exit status.
/// A file given is opened at start: a design file in the designer window, a
/// map project in the map creator wizard.
int runEditor(int argc, char** argv, const std::string& file = {}, EditorHooks hooks = {});

}  // namespace mw::ui
