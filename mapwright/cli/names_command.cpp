// mapwright names FILE.ond [--systems|--planets] [--style U|H|K|D]
// Prints the names of a name database, one a line, in the names manager's order.
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>

#include "commands.h"
#include "names/name_listing.h"
#include "names/name_styles.h"

namespace mw::cli {

namespace {

int usage(const std::string& why) {
    std::fprintf(stderr,
                 "mapwright names: %s\n"
                 "usage: mapwright names FILE.ond [--systems|--planets] [--style U|H|K|D]\n",
                 why.c_str());
    return 2;
}

}  // namespace

int runNames(const Args& args) {
    std::optional<std::string> file;
    std::optional<bool> planets;
    std::optional<char> style;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--systems" || a == "--planets") {
            const bool p = a == "--planets";
            if (planets && *planets != p)
                return usage("--systems and --planets exclude each other");
            planets = p;
        } else if (a == "--style") {
            if (i + 1 >= args.size()) return usage("--style needs a letter");
            const std::string& s = args[++i];
            if (s.size() != 1 || styleIndexOfLetter(s[0]) < 0)
                return usage("unknown style '" + s + "' (U, H, K or D)");
            style = s[0];
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            return usage("unknown option '" + a + "'");
        } else if (file) {
            return usage("more than one file given");
        } else {
            file = a;
        }
    }
    if (!file) return usage("no name database given");

    try {
        for (const std::string& name : listDatabaseNames(*file, planets.value_or(false), style)) {
            std::fwrite(name.data(), 1, name.size(), stdout);
            std::fputc('\n', stdout);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mapwright names: %s\n", e.what());
        return 1;
    }
    if (std::fflush(stdout) != 0) {
        std::fputs("mapwright names: writing the output failed\n", stderr);
        return 1;
    }
    return 0;
}

}  // namespace mw::cli
