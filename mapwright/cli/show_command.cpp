// Placeholder until the command is built.
#include <cstdio>

#include "commands.h"

namespace mw::cli {

int runShow(const Args&) {
    std::fputs("mapwright: 'show' is not built yet\n", stderr);
    return 1;
}

}  // namespace mw::cli
