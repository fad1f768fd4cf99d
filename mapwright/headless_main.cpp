// mapwright built without Qt (the Windows build): the headless commands only.
// What would open the editor (no arguments, one design or project file, the
// installation check) says that this build has none, and fails.
#include <cstdio>
#include <cstring>

#include "cli/commands.h"

int main(int argc, char** argv) {
    const bool editorAsked = !mw::cli::isHeadless(argc) || mw::cli::fileForEditor(argc, argv) ||
                             std::strcmp(argv[1], "--check-install") == 0;
    if (!editorAsked) return mw::cli::runCommand(argc, argv);
    std::fputs(mw::cli::noEditorMessage(), stderr);
    return 2;
}
