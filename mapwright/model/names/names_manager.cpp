#include "names/names_manager.h"

#include "common/shell_text.h"
#include "names/name_listing.h"
#include "names/name_lists.h"
#include "names/name_picking.h"
#include "names/name_records.h"

namespace mw {

namespace names_text {

std::string nameExplorerNotFound(std::string_view programDir) {
    return "The name explorer " + std::string(kNameExplorer) +
           " could not be started: it is neither beside the editor (" + std::string(programDir) +
           ") nor on the search path.";
}

std::string nameExplorerNotStarted(std::string_view program, std::string_view reason) {
    return "The name explorer " + std::string(program) +
           " could not be started: " + std::string(reason) + ".";
}

std::string recordCountText(std::size_t count) {
    return std::to_string(count) + " record(s)";
}

}  // namespace names_text

void NamesManager::Open(NamesMode mode) {
    mode_ = mode;
    const bool planets = mode == NamesMode::Planets;
    settings_.managerFile = planets ? settings_.planetDatabase : settings_.systemDatabase;
    SelectStyle(planets ? settings_.planetStyle : settings_.systemStyle);
}

std::string_view NamesManager::caption() const {
    return mode_ == NamesMode::Planets ? shell_text::kPlanetNamesCaption
                                       : shell_text::kSystemNamesCaption;
}

int NamesManager::styleIndex() const {
    for (std::size_t i = 0; i < kNameStyles.size(); ++i)
        if (kNameStyles[i].caption == settings_.managerStyleCaption) return static_cast<int>(i);
    return -1;
}

void NamesManager::SelectStyle(int index) {
    if (index < 0 || index >= static_cast<int>(kNameStyles.size())) return;
    workingStyle_ = index;
    settings_.managerStyleCaption = kNameStyles[static_cast<std::size_t>(index)].caption;
}

std::optional<std::vector<std::string>> NamesManager::ListNames() const {
    if (settings_.managerFile.empty()) return std::nullopt;
    return listDatabaseNames(dir_.resolve(settings_.managerFile), mode_ == NamesMode::Planets);
}

void NamesManager::Locate(Prompts& prompts) {
    const std::string chosen = prompts.chooseFile(FileDialog::LocateNameDatabase);
    if (!chosen.empty()) settings_.managerFile = chosen;
}

bool NamesManager::Confirm() {
    // The size counts whole 121-byte units, the pool's record size, of
    // whichever file is the system-name database before and after.
    const auto sizeOfSystemDatabase = [this] {
        return countNameRecords(dir_.resolve(settings_.systemDatabase));
    };
    const std::string fileBefore = settings_.systemDatabase;
    const std::size_t sizeBefore = sizeOfSystemDatabase();
    const int styleBefore = settings_.systemStyle;
    const NameSettings before = settings_;

    const auto style = static_cast<std::uint8_t>(workingStyle_);
    if (mode_ == NamesMode::Systems) {
        settings_.systemDatabase = settings_.managerFile;
        settings_.systemStyle = style;
    } else {
        settings_.planetDatabase = settings_.managerFile;
        settings_.planetStyle = style;
    }

    const bool changed = sizeOfSystemDatabase() != sizeBefore ||
                         settings_.managerFile != fileBefore || workingStyle_ != styleBefore;
    if (changed) {
        try {
            RefillPlanetPool(dir_,
                             PoolRefill{dir_.resolve(settings_.managerFile),
                                        settings_.managerStyleLetter(), /*excludeNamesInUse=*/true,
                                        /*createMissingDatabase=*/false},
                             model_);
        } catch (...) {
            // A pool that could not be written (a full disk): nothing is
            // stored, so the next OK sees the change and rebuilds it.
            settings_ = before;
            throw;
        }
    }
    return changed;
}

std::vector<std::string> WatchNames(WatchList list, const NameDirectory& dir,
                                    const SystemModel& model) {
    switch (list) {
        case WatchList::UsedList:
            return readNameList(dir.usedList());
        case WatchList::Pool:
            return readNameList(dir.pool());
        case WatchList::PlanetsInEditor:
            break;
    }
    return LivePlanetNames(model);
}

}  // namespace mw
