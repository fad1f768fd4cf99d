#include "project/wizard_controls.h"

#include "common/errors.h"
#include "common/field_text.h"
#include "project/slot_paths.h"

namespace mw {

namespace {

// The text field or the number field of an empire record that a control edits.
template <typename Setup, typename OnText, typename OnNumber>
decltype(auto) withField(Setup& e, EmpireField field, OnText onText, OnNumber onNumber) {
    switch (field) {
        case EmpireField::Name:
            return onText(e.name);
        case EmpireField::AiMode:
            return onText(e.aiMode);
        case EmpireField::Race:
            return onText(e.race);
        case EmpireField::Money:
            return onNumber(e.money);
        case EmpireField::Team:
            return onText(e.team);
        case EmpireField::ResearchList:
            return onText(e.researchList);
        case EmpireField::MaxSpyGroups:
            return onNumber(e.maxSpyGroups);
        case EmpireField::MaxShipGroups:
            return onNumber(e.maxShipGroups);
        case EmpireField::MaxSpecialGroups:
            break;
    }
    return onNumber(e.maxSpecialGroups);
}

}  // namespace

bool isNumberField(EmpireField field) {
    return field == EmpireField::Money || field == EmpireField::MaxSpyGroups ||
           field == EmpireField::MaxShipGroups || field == EmpireField::MaxSpecialGroups;
}

std::string EmpireFieldText(const MapProject& project, EmpireField field) {
    const EmpireSetup& e = project.empires[static_cast<std::size_t>(project.selectedEmpire)];
    return withField(
        e, field, [](const auto& text) { return text.str(); },
        [](std::int32_t number) { return std::to_string(number); });
}

void SetEmpireField(MapProject& project, EmpireField field, std::string_view text) {
    withField(
        project.selected(), field, [&](auto& stored) { stored = text; },
        [&](std::int32_t& stored) { stored = NumberOrZero(text); });
}

void SelectEmpire(MapProject& project, int tab) {
    project.selectedEmpire = tab >= 0 && tab < project.empireCount ? tab : 0;
}

void SetMapName(MapProject& project, std::string_view text) {
    project.mapName = text;
}

void SetDescription(MapProject& project, std::string_view text) {
    project.description = text;
}

bool ClearProject(MapProject& project, Prompts& prompts) {
    if (!prompts.ask(std::string(wizard_text::kAskClear))) return false;
    ResetProject(project);
    return true;
}

bool LoadProjectLocatingFiles(MapProject& project, Prompts& prompts) {
    const std::string path = prompts.chooseFile(FileDialog::LoadProject);
    if (path.empty()) return false;
    LoadProjectFileLocatingFiles(project, path, prompts);
    return true;
}

void LoadProjectFileLocatingFiles(MapProject& project, const std::string& path, Prompts& prompts) {
    LoadProjectFile(project, path, prompts);
    const SlotLookup found = LocateSlotFiles(project, path);
    // The files found elsewhere are found again at the next load: nothing to lose.
    project.kept = BuildProjectRecord(project);
    if (!found.replaced.empty()) {
        std::string text =
            "Design files of this map were not where the project file says; using the files "
            "beside the project file instead:";
        for (const std::string& note : found.replaced) text += "\n" + note;
        prompts.notice(text);
    }
    if (!found.missing.empty()) {
        std::string text =
            "Design files of this map found nowhere; \"Save map\" cannot "
            "generate the mission until they are back:";
        for (const std::string& missing : found.missing) text += "\n" + missing;
        prompts.error(text);
    }
}

}  // namespace mw
