// mapwright: a headless command when one is named, else the editor (with the
// file named, if any). The
// command line is read before any Qt object exists, so the headless commands
// need no display.
#include <cstring>

#include "cli/commands.h"
#include "ui/editor_app.h"
#include "ui/install_check.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], mw::ui::kCheckInstallOption) == 0)
        return mw::ui::checkInstallation(argc, argv);
    if (const auto file = mw::cli::fileForEditor(argc, argv))
        return mw::ui::runEditor(argc, argv, *file);
    if (mw::cli::isHeadless(argc)) return mw::cli::runCommand(argc, argv);
    return mw::ui::runEditor(argc, argv);
}
