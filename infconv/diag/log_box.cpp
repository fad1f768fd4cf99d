#include "log_box.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <fstream>

namespace {

void showBox(const char* caption, const std::string& text) {
    std::fprintf(stderr, "%s\n%s\n", caption, text.c_str());
    std::fflush(stderr);
}

bool debuggerAttached() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("TracerPid:", 0) == 0) return std::stol(line.substr(10)) != 0;
    }
    return false;
}

}  // namespace

bool showErrorBox(const std::string& text, bool askBreak) {
    showBox("ERROR", text);
    if (!askBreak || !isatty(STDIN_FILENO)) return false;
    int c = std::getchar();
    return c == 'y' || c == 'Y';
}

void showWarningBox(const std::string& text) {
    showBox("WARNING", text);
}

void raiseDebuggerBreak() {
    // Without a debugger the trap would kill the process with a core dump;
    // the caller ends the run normally instead.
    if (debuggerAttached()) std::raise(SIGTRAP);
}
