// mapwright: headless commands over the editor's model.
#include <cstdio>
#include <string>

#include "commands.h"

namespace {

const char kUsage[] =
    "usage: mapwright COMMAND [ARGS]\n"
    "\n"
    "Headless commands:\n"
    "  show FILE.sdf                       print a system design file as JSON\n"
    "  names FILE.ond [--systems|--planets] [--style U|H|K|D]\n"
    "                                      list the names of a name database\n"
    "  generate PROJECT.vmpf OUTPUT.txt [--seed N]\n"
    "                                      write the mission INF source of a map\n"
    "  check PROJECT.vmpf [--json] [--picture OUT.png|OUT.svg]\n"
    "                                      check a map for problems; draw its picture\n"
    "  --help                              this text\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string command = argv[1];
    const mw::cli::Args args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == "show") return mw::cli::runShow(args);
    if (command == "names") return mw::cli::runNames(args);
    if (command == "generate") return mw::cli::runGenerate(args);
    if (command == "check") return mw::cli::runCheck(args);
    std::fprintf(stderr, "mapwright: unknown command '%s' (see mapwright --help)\n",
                 command.c_str());
    return 2;
}
