#pragma once
// The program's arguments as UTF-8, the form every file name takes in the
// model. POSIX systems pass them as they are; Windows hands main() its
// arguments in the ANSI code page, which loses every character outside it,
// so they are read again from the wide command line.

#include <string>
#include <vector>

namespace mw::platform {

/// argv[0..argc) as UTF-8.
std::vector<std::string> utf8Arguments(int argc, const char* const* argv);

}  // namespace mw::platform
