#include "project/map_document.h"

#include <type_traits>

#include "common/errors.h"
#include "map/design_file_lookup.h"
#include "map/project_file.h"

namespace mw {

template <typename Change>
auto MapDocument::change(std::string label, std::string mergeKey, Change&& apply) {
    MapProject before = project_;
    const auto record = [&] {
        history_.push(
            {std::move(label), std::move(before), project_, nullptr, std::move(mergeKey)});
    };
    if constexpr (std::is_void_v<decltype(apply())>) {
        apply();
        record();
    } else {
        auto result = apply();
        record();
        return result;
    }
}

std::string MapDocument::caption() const {
    std::string text(wizard_text::kCaption);
    if (unsaved()) text += '*';
    return text;
}

bool MapDocument::confirmClose(Prompts& prompts) const {
    return !unsaved() || prompts.ask(std::string(wizard_text::kAskClose));
}

int MapDocument::insert(Prompts& prompts) {
    if (project_.systemCount >= kMaxSystems) {
        prompts.notice(std::string(wizard_text::kTooManySystems));
        return 0;
    }
    const std::vector<std::string> files = prompts.chooseFiles(FileDialog::InsertSystem);
    if (files.empty()) return 0;
    const int first = project_.systemCount;
    const std::string label =
        files.size() == 1 ? "insert" : "insert " + std::to_string(files.size()) + " systems";
    return change(label, {}, [&] {
        for (const std::string& path : files) {
            // The rest of the files would be refused one by one: one notice says it.
            if (project_.systemCount >= kMaxSystems) {
                prompts.notice(std::string(wizard_text::kTooManySystems));
                break;
            }
            try {
                InsertSystemFile(project_, path, prompts);
            } catch (const UserError& e) {
                prompts.error(e.what());
            }
        }
        return project_.systemCount - first;
    });
}

void MapDocument::remove(const std::vector<int>& rows) {
    change("remove", {}, [&] { RemoveSelectedSystems(project_, rows); });
}

bool MapDocument::clear(Prompts& prompts) {
    if (unsaved() && !prompts.ask(std::string(wizard_text::kAskClear))) return false;
    change("clear", {}, [&] {
        // Only the map's content: the file it belongs to stays, so Undo
        // brings back a map that still saves where it did.
        MapProject empty;
        RestoreMapContent(project_, empty);
    });
    return true;
}

void MapDocument::setMapName(std::string_view text) {
    change("map name", "map name", [&] { SetMapName(project_, text); });
}

void MapDocument::setDescription(std::string_view text) {
    change("description", "description", [&] { SetDescription(project_, text); });
}

void MapDocument::setEmpireField(EmpireField field, std::string_view text) {
    const std::string key = "empire " + std::to_string(project_.selectedEmpire + 1) + " field " +
                            std::to_string(static_cast<int>(field));
    change("Empire" + std::to_string(project_.selectedEmpire + 1) + " settings", key,
           [&] { SetEmpireField(project_, field, text); });
}

int MapDocument::setEmpireCount(std::string_view text, Prompts& prompts) {
    return change("number of empires", {}, [&] { return SetEmpireCount(project_, text, prompts); });
}

void MapDocument::selectEmpire(int tab) {
    SelectEmpire(project_, tab);
    history_.closeMerge();
}

bool MapDocument::load(Prompts& prompts) {
    if (unsaved() && !prompts.ask(std::string(wizard_text::kAskLoadOver))) return false;
    if (!LoadProjectLocatingFiles(project_, prompts)) return false;
    history_.clear();
    return true;
}

bool MapDocument::loadFile(const std::string& path, Prompts& prompts) {
    if (unsaved() && !prompts.ask(std::string(wizard_text::kAskLoadOver))) return false;
    LoadProjectFileLocatingFiles(project_, path, prompts);
    history_.clear();
    return true;
}

std::string MapDocument::save(Prompts& prompts) {
    std::string written = SaveMap(project_, prompts);
    // The map now belongs to the file saved: its recovery copy names it.
    if (!written.empty()) project_.projectFile = written;
    return written;
}

std::string MapDocument::designFileToEdit(int row) const {
    if (row < 0 || row >= project_.systemCount)
        throw UserError(std::string(wizard_text::kChooseSystemToEdit));
    const SystemSlot& slot = project_.systems[static_cast<std::size_t>(row)];
    const std::string stored = slot.designFile.str();
    const std::filesystem::path folder = ProjectFolder(project_.projectFile);
    if (std::optional<std::string> found = LocateDesignFileNear(stored, folder)) return *found;
    throw UserError("System '" + slot.systemName.str() + "': " + DesignFileProblem(stored, folder));
}

void MapDocument::restoreRecovered(const std::string& recoveryFile, const std::string& projectFile,
                                   Prompts& prompts) {
    MapProject restored;
    LoadProjectFile(restored, recoveryFile, prompts);
    restored.projectFile = projectFile;
    // Unsaved against the file it came from, as it was when the editor stopped.
    restored.kept = MapProject().kept;
    try {
        if (!projectFile.empty()) restored.kept = ReadProjectFile(projectFile);
    } catch (const UserError&) {
        // Gone or damaged: the map counts as a new one.
    }
    project_ = restored;
    history_.clear();
}

}  // namespace mw
