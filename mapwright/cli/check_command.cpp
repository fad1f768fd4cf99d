// mapwright check PROJECT.vmpf [--json] [--picture OUT.png|OUT.svg]: the map
// check of a project file, as a list or as JSON, and the map's picture.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "check/map_check.h"
#include "check/map_graph.h"
#include "commands.h"
#include "map_picture/map_picture.h"
#include "project/map_project.h"
#include "show_latin1.h"

namespace mw::cli {

namespace {

const char kUsage[] = "usage: mapwright check PROJECT.vmpf [--json] [--picture OUT.png|OUT.svg]\n";

// The check could not be made: a wrong command line, a project file that
// cannot be read, a picture that cannot be written.
constexpr int kNotChecked = 3;

// Loading a project file only tells (an empire count the wizard corrects).
class NoticePrompts : public Prompts {
  public:
    explicit NoticePrompts(std::string project) : project_(std::move(project)) {}
    void notice(const std::string& text) override {
        std::fprintf(stderr, "mapwright check: %s: %s\n", project_.c_str(), text.c_str());
    }
    bool ask(const std::string&) override { return false; }
    std::string chooseFile(FileDialog) override { return {}; }

  private:
    std::string project_;
};

struct Options {
    std::string project;
    bool json = false;
    std::optional<std::string> picture;
};

std::optional<Options> parse(const Args& args) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            o.json = true;
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

void printJson(const std::vector<MapProblem>& problems) {
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
        j["message"] = latin1ToUtf8(p.message);
        list.push_back(std::move(j));
    }
    nlohmann::ordered_json out;
    out["problems"] = std::move(list);
    out["errors"] = countOf(problems, Severity::Error);
    out["warnings"] = countOf(problems, Severity::Warning);
    std::printf("%s\n", out.dump(2).c_str());
}

void printLines(const std::vector<MapProblem>& problems) {
    for (const MapProblem& p : problems) std::printf("%s\n", latin1ToUtf8(problemLine(p)).c_str());
    std::printf("%s\n", checkSummary(problems).c_str());
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
    if (options->picture && !pictureFormatFor(*options->picture)) {
        std::fprintf(stderr, "mapwright check: %s: the picture is written as .png or .svg\n",
                     options->picture->c_str());
        return kNotChecked;
    }
    MapProjectRecord map;
    try {
        NoticePrompts prompts(options->project);
        auto project = std::make_unique<MapProject>();
        LoadProjectFile(*project, options->project, prompts);
        map = BuildProjectRecord(*project);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mapwright check: %s\n", e.what());
        return kNotChecked;
    }
    // An absolute folder, so messages show where a moved file was looked for.
    const std::filesystem::path folder = std::filesystem::absolute(options->project).parent_path();
    const std::vector<CheckedSystem> systems = ReadCheckedSystems(map, folder);
    const std::vector<MapProblem> problems = CheckMap(map, systems);
    if (options->json)
        printJson(problems);
    else
        printLines(problems);
    std::fflush(stdout);

    if (options->picture) {
        try {
            // Only the picture needs Qt's painting, and no display for it.
            const auto app = ui::offscreenGuiApplication();
            const MapPictureLayout layout = ui::layoutMapPicture(BuildMapGraph(systems, problems));
            const std::string title = map.mapName.empty() ? "Map" : map.mapName.str();
            ui::writeMapPicture(
                layout, *options->picture,
                QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size())));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "mapwright check: %s\n", e.what());
            return kNotChecked;
        }
    }
    return exitStatus(verdictOf(problems));
}

}  // namespace mw::cli
