#pragma once
// The headless commands of the mapwright executable. Each takes the arguments
// after its own name and returns the process exit status.

#include <string>
#include <vector>

namespace mw::cli {

using Args = std::vector<std::string>;

int runShow(const Args& args);      // mapwright show FILE.sdf
int runNames(const Args& args);     // mapwright names FILE.ond [--systems|--planets] [--style X]
int runGenerate(const Args& args);  // mapwright generate PROJECT.vmpf OUTPUT.txt [--seed N]
int runCheck(const Args& args);     // mapwright check PROJECT.vmpf [--json] [--picture OUT]

/// Whether the command line asks for a headless command rather than the editor.
bool isHeadless(int argc);
/// Runs the headless command named by argv[1] (isHeadless must hold).
int runCommand(int argc, char** argv);

}  // namespace mw::cli
