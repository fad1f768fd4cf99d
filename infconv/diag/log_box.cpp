#include "log_box.h"

#include <cstdio>

#include "os.h"

namespace {

void showBox(const char* caption, const std::string& text) {
    std::fprintf(stderr, "%s\n%s\n", caption, text.c_str());
    std::fflush(stderr);
}

}  // namespace

bool showErrorBox(const std::string& text, bool askBreak) {
    showBox("ERROR", text);
    if (!askBreak || !os::inputIsTerminal()) return false;
    int c = std::getchar();
    return c == 'y' || c == 'Y';
}

void showWarningBox(const std::string& text) {
    showBox("WARNING", text);
}

void raiseDebuggerBreak() {
    // Without a debugger the trap would kill the process with a core dump;
    // the caller ends the run normally instead.
    if (os::debuggerAttached()) os::breakIntoDebugger();
}
