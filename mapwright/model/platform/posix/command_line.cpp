#include "platform/command_line.h"

namespace mw::platform {

std::vector<std::string> utf8Arguments(int argc, const char* const* argv) {
    return std::vector<std::string>(argv, argv + argc);
}

}  // namespace mw::platform
