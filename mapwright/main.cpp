// mapwright: a headless command when one is named, else the editor (with the
// file named, if any). The
// command line is read before any Qt object exists, so the headless commands
// need no display. The executable brings its own editorHooks(): none in the
// installed editor (shipped_hooks.cpp), the environment's in the test one.
#include <cstring>

#include "app/editor_app.h"
#include "app/install_check.h"
#include "cli/commands.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], mw::ui::kCheckInstallOption) == 0)
        return mw::ui::checkInstallation(argc, argv);
    if (const auto file = mw::cli::fileForEditor(argc, argv))
        return mw::ui::runEditor(argc, argv, *file, mw::ui::editorHooks());
    if (mw::cli::isHeadless(argc)) return mw::cli::runCommand(argc, argv);
    return mw::ui::runEditor(argc, argv, {}, mw::ui::editorHooks());
}
