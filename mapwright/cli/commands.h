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

}  // namespace mw::cli
