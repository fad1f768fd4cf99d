#include "project/map_project.h"

#include <algorithm>
#include <filesystem>

#include "check/map_check.h"
#include "common/errors.h"
#include "map/project_file.h"
#include "mission/mission_generator.h"
#include "project/slot_paths.h"
#include "system/design_file_reader.h"

namespace mw {

namespace {

std::string fullName(const std::string& path) {
    std::error_code ec;
    const auto abs = std::filesystem::absolute(path, ec);
    return ec ? path : abs.string();
}

// Moves the filled slots to the front in their order and empties the rest, so
// list rows and slots stay one to one.
void compactSlots(MapProject& project) {
    std::array<SystemSlot, kMaxSystems> packed{};
    int n = 0;
    for (const SystemSlot& s : project.systems)
        if (!s.empty()) packed[static_cast<std::size_t>(n++)] = s;
    project.systems = packed;
    project.systemCount = n;
}

}  // namespace

MapProject::MapProject() {
    ResetProject(*this);
}

std::vector<std::string> MapProject::systemNames() const {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(std::max(systemCount, 0)));
    for (int i = 0; i < systemCount; ++i)
        names.push_back(systems[static_cast<std::size_t>(i)].systemName.str());
    return names;
}

std::vector<std::string> MapProject::empireTabs() const {
    std::vector<std::string> tabs;
    for (int i = 1; i <= empireCount; ++i) tabs.push_back("Empire" + std::to_string(i));
    return tabs;
}

void ResetProject(MapProject& project) {
    project.systems = {};
    project.systemCount = 0;
    project.mapName.clear();
    project.description.clear();
    project.empireCount = 2;
    for (int i = 0; i < kMaxEmpires; ++i)
        project.empires[static_cast<std::size_t>(i)] = EmpireSetup::defaults(i + 1);
    project.selectedEmpire = 0;
    project.projectFile.clear();
    project.kept = BuildProjectRecord(project);
}

bool ProjectChanged(const MapProject& project) {
    return !(BuildProjectRecord(project) == project.kept);
}

bool InsertSystem(MapProject& project, Prompts& prompts) {
    if (project.systemCount >= kMaxSystems) {
        prompts.notice(std::string(wizard_text::kTooManySystems));
        return false;
    }
    const std::string path = prompts.chooseFile(FileDialog::InsertSystem);
    return !path.empty() && InsertSystemFile(project, path, prompts);
}

bool InsertSystemFile(MapProject& project, const std::string& path, Prompts& prompts) {
    if (project.systemCount >= kMaxSystems) {
        prompts.notice(std::string(wizard_text::kTooManySystems));
        return false;
    }
    // A cut path would name another file; refuse rather than store it broken.
    if (path.size() > decltype(SystemSlot::designFile)::capacity)
        throw IoError(path, "insert",
                      "the path is longer than the 255 characters a map project "
                      "file can store");

    const SdfRecord header = DesignFileReader(path).readHeader();
    const FixedString<125> name(header.name);
    const bool taken =
        std::any_of(project.systems.begin(), project.systems.begin() + project.systemCount,
                    [&](const SystemSlot& s) { return s.systemName == name; });
    if (name.empty() || taken) {
        prompts.notice(std::string(wizard_text::kDuplicateSystem));
        return false;
    }
    SystemSlot& slot = project.systems[static_cast<std::size_t>(project.systemCount)];
    slot.systemName = name;
    slot.designFile = path;
    ++project.systemCount;
    return true;
}

void RemoveSelectedSystems(MapProject& project, const std::vector<int>& selectedRows) {
    for (const int row : selectedRows)
        if (row >= 0 && row < project.systemCount)
            project.systems[static_cast<std::size_t>(row)] = SystemSlot{};
    compactSlots(project);
}

int SetEmpireCount(MapProject& project, std::string_view text, Prompts& prompts) {
    if (text == "2")
        project.empireCount = 2;
    else if (text == "4")
        project.empireCount = 4;
    else if (text == "8")
        project.empireCount = 8;
    else {
        prompts.notice(std::string(wizard_text::kBadEmpireCount));
        project.empireCount = 4;
    }
    if (project.selectedEmpire >= project.empireCount) project.selectedEmpire = 0;
    return project.empireCount;
}

bool LoadProject(MapProject& project, Prompts& prompts) {
    const std::string path = prompts.chooseFile(FileDialog::LoadProject);
    if (path.empty()) return false;
    LoadProjectFile(project, path, prompts);
    return true;
}

void LoadProjectFile(MapProject& project, const std::string& path, Prompts& prompts) {
    // Read everything first: a failed read leaves the map untouched.
    const MapProjectRecord record = ReadProjectFile(path);

    project.mapName = record.mapName.str();
    project.description = record.description.str();
    SetEmpireCount(project, std::to_string(record.empireCount), prompts);
    // A damaged count must not reach past the eight stored records.
    const int stored = std::clamp(record.empireCount, 0, kMaxEmpires);
    for (int i = 0; i < stored; ++i)
        project.empires[static_cast<std::size_t>(i)] = record.empires[static_cast<std::size_t>(i)];
    project.systems = record.systems;
    compactSlots(project);
    project.selectedEmpire = 0;
    project.projectFile = path;
    project.kept = BuildProjectRecord(project);
}

MapProjectRecord BuildProjectRecord(const MapProject& project) {
    MapProjectRecord r;
    for (int i = 0; i < project.systemCount && i < kMaxSystems; ++i)
        r.systems[static_cast<std::size_t>(i)] = project.systems[static_cast<std::size_t>(i)];
    r.mapName = project.mapName;
    r.description = project.description;
    r.empireCount = project.empireCount;
    for (int i = 0; i < std::clamp(project.empireCount, 0, kMaxEmpires); ++i)
        r.empires[static_cast<std::size_t>(i)] = project.empires[static_cast<std::size_t>(i)];
    return r;
}

namespace wizard_text {

std::string checkListSummary(const std::vector<MapProblem>& problems) {
    switch (verdictOf(problems)) {
        case CheckVerdict::Clean:
            return "No problems found: \"Save map\" generates the mission.";
        case CheckVerdict::WarningsOnly:
            return problemCount(problems, Severity::Warning) +
                   ": the game will load the mission, but it may not play as you meant.";
        case CheckVerdict::Errors:
            break;
    }
    return checkSummary(problems) +
           ": the game could not load the mission, so \"Save map\" generates none until the "
           "errors are mended.";
}

std::string generateRefusal(const std::vector<MapProblem>& problems) {
    // Enough to name the files at fault; "Check map" has the rest.
    constexpr int kShown = 3;
    std::string text = "The map check found " + problemCount(problems, Severity::Error) +
                       ": the game could not load the mission, so no INF source is generated.\n";
    int shown = 0;
    for (const MapProblem& p : problems)
        if (severityOf(p.kind) == Severity::Error && shown++ < kShown)
            text += "\n" + problemLine(p);
    if (shown > kShown) text += "\n... and " + std::to_string(shown - kShown) + " more";
    return text + "\n\n" + std::string(kSeeCheckMap);
}

std::string askGenerateAnyway(const std::vector<MapProblem>& problems) {
    return "The map check found " + problemCount(problems, Severity::Warning) +
           ": the game will load the mission, but it may not play as you meant. " +
           std::string(kSeeCheckMap) + "\n\nGenerate INF source anyway?";
}

}  // namespace wizard_text

std::string SaveMap(MapProject& project, Prompts& prompts, std::optional<std::uint32_t> seed) {
    const MapProjectRecord record = BuildProjectRecord(project);
    // Generated from the files the check read, so a map that checks clean
    // cannot fail for a design file the check found elsewhere.
    const std::filesystem::path folder = ProjectFolder(project.projectFile);
    const MapProjectRecord found = WithFoundDesignFiles(record, folder);
    const std::vector<MapProblem> problems = CheckMap(found, folder);
    const CheckVerdict verdict = verdictOf(problems);
    if (verdict == CheckVerdict::Errors) prompts.error(wizard_text::generateRefusal(problems));

    std::string projectWritten;
    if (prompts.ask(std::string(wizard_text::kAskSaveProject))) {
        const std::string path = prompts.chooseFile(FileDialog::SaveProject);
        if (!path.empty()) {
            WriteProjectFile(path, record);
            project.kept = record;
            projectWritten = path;
            prompts.notice("Map saved to " + fullName(path) + "!");
        }
    }
    if (verdict == CheckVerdict::Errors) return projectWritten;
    const std::string question = verdict == CheckVerdict::Clean
                                     ? std::string(wizard_text::kAskGenerate)
                                     : wizard_text::askGenerateAnyway(problems);
    if (prompts.ask(question)) {
        const std::string path = prompts.chooseFile(FileDialog::SaveInfSource);
        if (!path.empty()) {
            try {
                GenerateMissionInf(found, path, seed);
            } catch (const UserError& e) {
                if (projectWritten.empty()) throw;
                // The project file is saved all the same: the map belongs to it now.
                prompts.error(e.what());
                return projectWritten;
            }
            prompts.notice("Source file saved to " + fullName(path) + "!");
        }
    }
    return projectWritten;
}

}  // namespace mw
