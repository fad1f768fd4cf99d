#include "platform/command_line.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <memory>

#include "platform/win32/wide_text.h"

namespace mw::platform {

std::vector<std::string> utf8Arguments(int argc, const char* const* argv) {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> wide(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    std::vector<std::string> args;
    // A caller that passed its own argv (not the process's) keeps it.
    if (!wide || count != argc) {
        for (int i = 0; i < argc; ++i) args.push_back(narrow(widen(argv[i]).c_str()));
        return args;
    }
    for (int i = 0; i < count; ++i) args.push_back(narrow(wide.get()[i]));
    return args;
}

}  // namespace mw::platform
