// mapwright: a headless command when one is named, else the editor. The
// command line is read before any Qt object exists, so the headless commands
// need no display.
#include "cli/commands.h"
#include "ui/editor_app.h"

int main(int argc, char** argv) {
    if (mw::cli::isHeadless(argc)) return mw::cli::runCommand(argc, argv);
    return mw::ui::runEditor(argc, argv);
}
