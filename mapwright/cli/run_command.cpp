// mapwright's headless commands: reading the command line and running one.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "commands.h"
#include "platform/command_line.h"
#include "recent/recent_files.h"

namespace mw::cli {

namespace {

// Set by the build: whether the editor's windows are in this executable.
constexpr bool kWithEditor = VK_WITH_EDITOR;

const char kEditorUsage[] =
    "usage: mapwright [COMMAND [ARGS] | FILE.sdf | FILE.vmpf]\n"
    "\n"
    "Without a command the editor opens (it needs a display).\n"
    "  FILE.sdf                            open the system design file in the designer window\n"
    "  FILE.vmpf                           open the map project in the map creator wizard\n"
    "  --check-install                     start the editor without showing it and say where\n"
    "                                      it finds its pictures, help pages and main.ond\n"
    "\n";

const char kHeadlessUsage[] =
    "usage: mapwright COMMAND [ARGS]\n"
    "\n"
    "This mapwright has no editor (it was built without Qt): only the commands below.\n"
    "\n";

const char kUsage[] =
    "Headless commands:\n"
    "  show FILE.sdf                       print a system design file as JSON\n"
    "  names FILE.ond [--systems|--planets] [--style U|H|K|D]\n"
    "                                      list the names of a name database\n"
    "  generate PROJECT.vmpf OUTPUT.txt [--seed N]\n"
    "                                      write the mission INF source of a map\n";

// The map picture is drawn with the editor's painting, which a build
// without the editor lacks.
const char kCheckUsage[] =
    "  check PROJECT.vmpf [--json] [--picture OUT.png|OUT.svg] [--fix]\n"
    "                                      check a map for problems (--json: as JSON);\n"
    "                                      --picture draws the map; --fix first makes\n"
    "                                      the safe fixes and prints each change\n";
const char kCheckUsageHeadless[] =
    "  check PROJECT.vmpf [--json] [--fix]\n"
    "                                      check a map for problems (--json: as JSON);\n"
    "                                      --fix first makes the safe fixes and prints\n"
    "                                      each change\n";

const char kUsageEnd[] =
    "  --help, -h                          this text\n"
    "\n"
    "Every command, option and exit status: the manual page mapwright(1).\n";

constexpr const char* kCommands[] = {"show", "names", "generate", "check", "help"};

}  // namespace

std::optional<std::string> fileForEditor(int argc, const char* const* argv) {
    if (argc != 2) return std::nullopt;
    const std::string name = argv[1];
    if (name.empty() || name[0] == '-') return std::nullopt;
    if (std::find(std::begin(kCommands), std::end(kCommands), name) != std::end(kCommands))
        return std::nullopt;
    std::error_code ec;
    const bool existingFile =
        std::filesystem::exists(name, ec) && !std::filesystem::is_directory(name, ec);
    if (!HasEditorFileExtension(name) && !existingFile) return std::nullopt;
    return name;
}

bool isHeadless(int argc) {
    return argc >= 2;
}

const char* noEditorMessage() {
    return "mapwright: this mapwright has no editor: it was built without Qt, so it cannot open "
           "windows. It runs the headless commands show, names, generate and check; "
           "'mapwright --help' tells how.\n";
}

int runCommand(int argc, char** argv) {
    const Args all = platform::utf8Arguments(argc, argv);
    const std::string& command = all.at(1);
    const Args args(all.begin() + 2, all.end());
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kWithEditor ? kEditorUsage : kHeadlessUsage, stdout);
        std::fputs(kUsage, stdout);
        std::fputs(kWithEditor ? kCheckUsage : kCheckUsageHeadless, stdout);
        std::fputs(kUsageEnd, stdout);
        return 0;
    }
    if (command == "show") return runShow(args);
    if (command == "names") return runNames(args);
    if (command == "generate") return runGenerate(args);
    if (command == "check") return runCheck(args);
    std::fprintf(stderr, "mapwright: unknown command '%s' (see mapwright --help)\n",
                 command.c_str());
    return 2;
}

}  // namespace mw::cli
