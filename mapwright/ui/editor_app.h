#pragma once
// Starting the editor: the application, the one editor state, the main
// window and the shell windows, then the event loop.

namespace mw::ui {

/// The editor's style and font, set once the application exists.
void applyEditorLook();

/// Runs the editor until its main window closes; returns the exit status.
int runEditor(int argc, char** argv);

}  // namespace mw::ui
