// Builds a name database from text lists, one name a line:
//   make_ond OUTPUT.ond STYLE KIND LIST.txt [STYLE KIND LIST.txt ...]
// STYLE is U, H, K or D; KIND is "systems" or "planets". Records are written
// in argument order, each list in line order. A list is refused (naming the
// file and line) when a name is empty, has blanks at its ends, is too long to
// be stored whole, or repeats within its style and kind.
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/errors.h"
#include "names/name_records.h"
#include "names/name_styles.h"

namespace {

// Planet names must fit the planet record's 15-character name field.
constexpr std::size_t kMaxPlanetName = 15;
constexpr std::size_t kMaxSystemName = 125;

bool fail(const std::string& message) {
    std::fprintf(stderr, "make_ond: %s\n", message.c_str());
    return false;
}

bool readList(const std::string& path, char style, bool planets,
              std::set<std::pair<std::string, std::string>>& seen,
              std::vector<mw::TOndRecord>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail(path + ": cannot be opened");
    const std::string group = std::string(1, style) + (planets ? "P" : "S");
    const std::size_t maxLen = planets ? kMaxPlanetName : kMaxSystemName;
    std::string line;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string where = path + ":" + std::to_string(lineNo) + ": ";
        if (line.empty()) return fail(where + "empty name");
        if (line.front() == ' ' || line.back() == ' ')
            return fail(where + "blank at the start or end of '" + line + "'");
        if (line.size() > maxLen)
            return fail(where + "'" + line + "' is longer than " + std::to_string(maxLen) +
                        " characters");
        if (!seen.insert({group, line}).second)
            return fail(where + "'" + line + "' is listed twice");
        mw::TOndRecord r;
        r.name = line;
        r.style = std::string(1, style);
        r.planetFlag = planets ? 1 : 0;
        out.push_back(r);
    }
    if (in.bad()) return fail(path + ": read failed");
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5 || (argc - 2) % 3 != 0) {
        std::fputs("usage: make_ond OUTPUT.ond STYLE systems|planets LIST.txt ...\n", stderr);
        return 2;
    }
    std::vector<mw::TOndRecord> records;
    std::set<std::pair<std::string, std::string>> seen;
    for (int i = 2; i < argc; i += 3) {
        const std::string style = argv[i];
        const std::string kind = argv[i + 1];
        if (style.size() != 1 || mw::styleIndexOfLetter(style[0]) < 0)
            return fail(std::string("unknown style '") + style + "'"), 2;
        if (kind != "systems" && kind != "planets") return fail("unknown kind '" + kind + "'"), 2;
        if (!readList(argv[i + 2], style[0], kind == "planets", seen, records)) return 1;
    }
    try {
        mw::writeOndFile(argv[1], records);
    } catch (const mw::IoError& e) {
        fail(e.what());
        return 1;
    }
    return 0;
}
