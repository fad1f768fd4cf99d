#pragma once
// Starting the editor: the one editor state, the prompts, the document, the
// main window and the shell windows, then the event loop.

#include <filesystem>
#include <memory>

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
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    TMainForm& mainForm();
    /// Shows the main window; a missing program icon is reported then.
    void show();

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
int runEditor(int argc, char** argv);

}  // namespace mw::ui
