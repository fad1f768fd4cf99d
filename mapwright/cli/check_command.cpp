// mapwright check PROJECT.vmpf [--json] [--picture OUT.png|OUT.svg] [--fix]:
// the map check of a project file, as a list or as JSON, and the map's
// picture; with --fix the safe fixes are made first, each file written safely.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "check/check_fixes.h"
#include "check/map_check.h"
#include "check/map_picture_layout.h"
#include "check_picture.h"
#include "commands.h"
#include "common/errors.h"
#include "common/message_text.h"
#include "platform/path_text.h"
#include "project/map_project.h"
#include "show_latin1.h"

namespace mw::cli {

namespace {

const char kUsage[] =
    "usage: mapwright check PROJECT.vmpf [--json] [--picture OUT.png|OUT.svg] [--fix]\n";

// The check could not be made: a wrong command line, a project file that
// cannot be read, a picture that cannot be written.
constexpr int kNotChecked = 3;

// Loading a project file only tells (an empire count the wizard corrects).
class NoticePrompts : public Prompts {
  public:
    NoticePrompts(std::string project, bool tell) : project_(std::move(project)), tell_(tell) {}
    void notice(const std::string& text) override {
        if (tell_)
            std::fprintf(stderr, "mapwright check: %s: %s\n", project_.c_str(), text.c_str());
    }
    bool ask(const std::string&) override { return false; }
    std::string chooseFile(FileDialog) override { return {}; }

  private:
    std::string project_;
    bool tell_;
};

struct Options {
    std::string project;
    bool json = false;
    bool fix = false;
    std::optional<std::string> picture;
};

std::optional<Options> parse(const Args& args) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            o.json = true;
        } else if (args[i] == "--fix") {
            o.fix = true;
        } else if (args[i] == "--picture") {
            if (i + 1 >= args.size() || o.picture) return std::nullopt;
            o.picture = args[++i];
        } else if (o.project.empty() && !args[i].empty() && args[i][0] != '-') {
            o.project = args[i];
        } else {
            return std::nullopt;
        }
    }
    if (o.project.empty()) return std::nullopt;
    return o;
}

nlohmann::ordered_json nullable(const std::string& text) {
    if (text.empty()) return nullptr;
    return latin1ToUtf8(text);
}

void printJson(const std::vector<MapProblem>& problems,
               const std::optional<std::vector<std::string>>& fixed) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const MapProblem& p : problems) {
        nlohmann::ordered_json j;
        j["severity"] = severityName(severityOf(p.kind));
        j["kind"] = problemKindName(p.kind);
        j["system"] = nullable(p.system);
        j["object_kind"] =
            p.object ? nlohmann::ordered_json(objectKindKey(p.object->kind)) : nullptr;
        j["object_index"] = p.object ? nlohmann::ordered_json(p.object->index) : nullptr;
        j["field"] = nullable(p.field);
        j["message"] = messageUtf8(p.message);
        list.push_back(std::move(j));
    }
    nlohmann::ordered_json out;
    out["problems"] = std::move(list);
    out["errors"] = countOf(problems, Severity::Error);
    out["warnings"] = countOf(problems, Severity::Warning);
    if (fixed) {
        nlohmann::ordered_json changes = nlohmann::ordered_json::array();
        for (const std::string& change : *fixed) changes.push_back(messageUtf8(change));
        out["fixed"] = std::move(changes);
    }
    std::printf("%s\n", out.dump(2).c_str());
}

void printLines(const std::vector<MapProblem>& problems) {
    for (const MapProblem& p : problems) std::printf("%s\n", messageUtf8(problemLine(p)).c_str());
    std::printf("%s\n", checkSummary(problems).c_str());
}

// `tell`: say what loading corrected (once a run is enough).
MapProjectRecord loadMap(const std::string& path, bool tell = true) {
    NoticePrompts prompts(path, tell);
    auto project = std::make_unique<MapProject>();
    LoadProjectFile(*project, path, prompts);
    return BuildProjectRecord(*project);
}

// Makes every safe fix, one at a time, each worked out from the files as the
// fixes before it left them. Returns the changes made, each a line; a file
// that cannot be written is reported and its problem left as it is.
std::vector<std::string> makeFixes(const std::string& project, const std::filesystem::path& folder,
                                   bool& failed) {
    std::vector<std::string> changes;
    std::vector<std::string> refused;  // problems whose fix failed: not tried again
    // Each fix mends at least one problem and makes none, so the first
    // check's count bounds the rounds.
    std::optional<std::size_t> rounds;
    while (!rounds || changes.size() + refused.size() < *rounds) {
        const MapProjectRecord map = loadMap(project, false);
        const std::vector<MapProblem> problems = CheckMap(map, folder);
        if (!rounds) rounds = problems.size();
        std::optional<CheckFix> fix;
        std::string problem;
        for (const MapProblem& p : problems) {
            problem = problemLine(p);
            if (std::find(refused.begin(), refused.end(), problem) != refused.end()) continue;
            if ((fix = FixFor(p, map, folder))) break;
        }
        if (!fix) break;
        try {
            std::vector<FileEdit> files = fix->files;
            if (fix->rename) files.push_back(ProjectRenameEdit(project, *fix->rename));
            ApplyFileEdits(files, true);
            changes.push_back(fix->caption + ": " + fix->change);
        } catch (const UserError& e) {
            std::fprintf(stderr, "mapwright check: %s\n", e.what());
            refused.push_back(problem);
            failed = true;
        }
    }
    return changes;
}

int exitStatus(CheckVerdict verdict) {
    switch (verdict) {
        case CheckVerdict::Clean:
            return 0;
        case CheckVerdict::WarningsOnly:
            return 1;
        case CheckVerdict::Errors:
            break;
    }
    return 2;
}

}  // namespace

int runCheck(const Args& args) {
    const std::optional<Options> options = parse(args);
    if (!options) {
        std::fputs(kUsage, stderr);
        return kNotChecked;
    }
    if (options->picture && !pictureUnavailable().empty()) {
        std::fprintf(stderr, "mapwright check: --picture: %s\n", pictureUnavailable().data());
        return kNotChecked;
    }
    if (options->picture && !pictureFormatFor(*options->picture)) {
        std::fprintf(stderr, "mapwright check: %s: the picture is written as .png or .svg\n",
                     options->picture->c_str());
        return kNotChecked;
    }
    // An absolute folder, so messages show where a moved file was looked for.
    const std::filesystem::path folder =
        std::filesystem::absolute(platform::pathOf(options->project)).parent_path();
    MapProjectRecord map;
    std::optional<std::vector<std::string>> fixed;
    bool fixFailed = false;
    try {
        map = loadMap(options->project);
        if (options->fix) {
            fixed = makeFixes(options->project, folder, fixFailed);
            map = loadMap(options->project, false);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mapwright check: %s\n", e.what());
        return kNotChecked;
    }
    if (fixed && !options->json)
        for (const std::string& change : *fixed)
            std::printf("fixed: %s\n", messageUtf8(change).c_str());
    const std::vector<CheckedSystem> systems = ReadCheckedSystems(map, folder);
    const std::vector<MapProblem> problems = CheckMap(map, systems);
    if (options->json)
        printJson(problems, fixed);
    else
        printLines(problems);
    std::fflush(stdout);

    if (options->picture) {
        try {
            // Only the picture needs Qt's painting, and no display for it.
            writeCheckPicture(systems, problems, map.mapName.empty() ? "Map" : map.mapName.str(),
                              *options->picture);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "mapwright check: %s\n", e.what());
            return kNotChecked;
        }
    }
    // A fix that could not be written leaves its problem, and says so above.
    return fixFailed ? kNotChecked : exitStatus(verdictOf(problems));
}

}  // namespace mw::cli
