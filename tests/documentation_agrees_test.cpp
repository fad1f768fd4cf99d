// The command-line reference is the manual pages: what the programs print as
// their usage, the Windows README and the user manual must name no option
// the manual pages lack, and the manual page of mapwright no option its
// --help lacks. The links between the Markdown documents must lead
// somewhere. The programs are run as built; the texts are read as files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using Words = std::set<std::string>;

const fs::path kRoot = VK_SOURCE_DIR;

std::string source(const std::string& relative) {
    std::string text = vk_test::readFile(kRoot / relative);
    EXPECT_FALSE(text.empty()) << relative << " is missing or empty";
    return text;
}

// The man page's text without roff's escapes for a hyphen and for fonts.
std::string plainRoff(std::string text) {
    text = std::regex_replace(text, std::regex(R"(\\f[BIRP])"), "");
    return std::regex_replace(text, std::regex(R"(\\-)"), "-");
}

// Options in a text: "-x" or "--word" standing at the start of a word, so a
// hyphenated word ("one-way-link") is none.
Words optionsIn(const std::string& text) {
    static const std::regex option(R"((?:^|[\s\[|(`"'])(--?[A-Za-z][A-Za-z-]*))");
    Words found;
    for (std::sregex_iterator it(text.begin(), text.end(), option), end; it != end; ++it)
        found.insert((*it)[1]);
    return found;
}

// A section of the Windows README: from its heading (a line underlined
// with "---") to the next heading.
std::string readmeSection(const std::string& text, const std::string& heading) {
    const std::size_t from = text.find("\n" + heading + "\n---");
    EXPECT_NE(from, std::string::npos) << "README.txt has no section " << heading;
    if (from == std::string::npos) return {};
    const std::size_t body = text.find('\n', from + heading.size() + 2);
    const std::size_t next = text.find("\n---", body);
    if (next == std::string::npos) return text.substr(body);
    return text.substr(body, text.rfind('\n', next - 1) - body);
}

void expectSubset(const Words& part, const Words& whole, const std::string& partName,
                  const std::string& wholeName) {
    for (const std::string& word : part)
        EXPECT_TRUE(whole.count(word))
            << partName << " shows " << word << ", " << wholeName << " does not";
}

std::string run(const char* program, const std::string& argument) {
    const vk_test::RunResult result = vk_test::runProgram(program, {argument});
    EXPECT_EQ(result.status, 0) << program << " " << argument << ": " << result.err;
    return result.out;
}

// The code a Markdown text shows: `spans` (which may go on over a line
// break) and indented lines.
std::vector<std::string> codeIn(const std::string& markdown) {
    std::vector<std::string> code;
    static const std::regex span(R"(`([^`]+)`)");
    static const std::regex block(R"((?:^|\n)    +([^\n]+))");
    for (const std::regex* r : {&span, &block}) {
        for (std::sregex_iterator it(markdown.begin(), markdown.end(), *r), end; it != end; ++it) {
            std::string piece = (*it)[1];
            std::replace(piece.begin(), piece.end(), '\n', ' ');
            code.push_back(piece);
        }
    }
    return code;
}

TEST(DocumentationAgrees, MapwrightHelpAndManualPageNameTheSameOptionsAndCommands) {
    const std::string help = run(VK_MAPWRIGHT, "--help");
    const std::string man = plainRoff(source("packaging/man/mapwright.1"));
    expectSubset(optionsIn(help), optionsIn(man), "mapwright --help", "mapwright.1");
    expectSubset(optionsIn(man), optionsIn(help), "mapwright.1", "mapwright --help");

    static const std::regex helpCommand(R"(\n  ([a-z]+) )");
    static const std::regex manCommand(R"(\n\.B mapwright ([a-z]+)\b)");
    Words helpCommands, manCommands;
    for (std::sregex_iterator it(help.begin(), help.end(), helpCommand), end; it != end; ++it)
        helpCommands.insert((*it)[1]);
    for (std::sregex_iterator it(man.begin(), man.end(), manCommand), end; it != end; ++it)
        manCommands.insert((*it)[1]);
    EXPECT_FALSE(helpCommands.empty());
    EXPECT_EQ(helpCommands, manCommands) << "commands of --help against mapwright.1's synopsis";
}

TEST(DocumentationAgrees, InfconvUsageAndWindowsReadmeNameOnlyManualPageOptions) {
    const std::string usage = run(VK_INFCONV, "-h");
    ASSERT_NE(usage.find("Usage:\n"), std::string::npos) << usage;
    const Words man = optionsIn(plainRoff(source("packaging/man/infconv.1")));
    const std::string readme = source("packaging/windows/README.txt");
    const Words readmeOptions = optionsIn(readmeSection(readme, "infconv.exe"));
    expectSubset(optionsIn(usage), man, "infconv's usage", "infconv.1");
    expectSubset(optionsIn(usage), readmeOptions, "infconv's usage", "README.txt");
    expectSubset(readmeOptions, man, "README.txt's infconv.exe", "infconv.1");
}

TEST(DocumentationAgrees, WindowsReadmeNamesTheHeadlessOptionsOfTheManualPage) {
    const std::string readme = source("packaging/windows/README.txt");
    const Words readmeOptions = optionsIn(readmeSection(readme, "mapwright.exe"));
    Words man = optionsIn(plainRoff(source("packaging/man/mapwright.1")));
    man.erase("--check-install");  // starts the editor, which the Windows build lacks
    expectSubset(readmeOptions, man, "README.txt's mapwright.exe", "mapwright.1");
    expectSubset(man, readmeOptions, "mapwright.1", "README.txt's mapwright.exe");
}

TEST(DocumentationAgrees, EveryOptionTheManualShowsIsInTheUsage) {
    const Words mapwright = optionsIn(run(VK_MAPWRIGHT, "--help"));
    const Words infconv = optionsIn(plainRoff(source("packaging/man/infconv.1")));
    for (const char* document : {"docs/manual.md", "README.md"}) {
        for (const std::string& code : codeIn(source(document))) {
            const std::string text = code.rfind("$ ", 0) == 0 ? code.substr(2) : code;
            const std::string first = text.substr(0, text.find(' '));
            // A bare "--word" is mapwright's, a bare "-x" the converter's.
            const Words* usage = nullptr;
            if (first == "mapwright" || text.rfind("--", 0) == 0)
                usage = &mapwright;
            else if (first == "infconv" || (!text.empty() && text.front() == '-'))
                usage = &infconv;
            if (usage)
                expectSubset(optionsIn(" " + text), *usage, std::string(document) + ": " + code,
                             "the usage");
        }
    }
}

// A heading's anchor as Markdown renderers make it.
std::string anchorOf(const std::string& heading) {
    std::string anchor;
    for (const char c : heading) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_')
            anchor += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (c == ' ')
            anchor += '-';
    }
    return anchor;
}

Words anchorsOf(const std::string& markdown) {
    Words anchors;
    static const std::regex heading(R"((?:^|\n)#+ ([^\n]+))");
    for (std::sregex_iterator it(markdown.begin(), markdown.end(), heading), end; it != end; ++it)
        anchors.insert(anchorOf((*it)[1]));
    return anchors;
}

TEST(DocumentationAgrees, LinksBetweenTheDocumentsLeadSomewhere) {
    static const std::regex link(R"(\]\(([^)\s]+)\))");
    for (const char* document :
         {"README.md", "CONTRIBUTING.md", "docs/manual.md", "bench/README.md"}) {
        const fs::path from = kRoot / document;
        const std::string text = source(document);
        for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
            const std::string target = (*it)[1];
            if (target.find("://") != std::string::npos) continue;
            const std::size_t hash = target.find('#');
            const std::string file = target.substr(0, hash);
            const fs::path path = file.empty() ? from : from.parent_path() / file;
            if (!fs::exists(path)) {
                ADD_FAILURE() << document << " links to " << target << ", which does not exist";
                continue;
            }
            if (hash == std::string::npos || path.extension() != ".md") continue;
            EXPECT_TRUE(anchorsOf(vk_test::readFile(path)).count(target.substr(hash + 1)))
                << document << " links to " << target << ": no such heading";
        }
    }
}

}  // namespace
