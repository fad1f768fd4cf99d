// Placeholder until the command is built.
#include <cstdio>

#include "commands.h"

namespace mw::cli {

int runGenerate(const Args&) {
    std::fputs("mapwright: 'generate' is not built yet\n", stderr);
    return 1;
}

}  // namespace mw::cli
