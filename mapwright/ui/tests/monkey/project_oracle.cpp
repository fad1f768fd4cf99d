#include "project_oracle.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace mw::ui::test {

namespace {

constexpr std::size_t kMostSystems = 10;

std::string fieldDifference(const std::string& what, const std::string& held,
                            const std::string& made) {
    return held == made ? std::string()
                        : what + ": the file holds '" + held + "', the user made '" + made + "'";
}

std::string empireDifference(int n, const files::ProjectEmpire& held,
                             const files::ProjectEmpire& made) {
    using std::to_string;
    const std::string e = "empire " + to_string(n + 1) + " ";
    for (const std::string& wrong :
         {fieldDifference(e + "name", held.name, made.name),
          fieldDifference(e + "AI mode", held.aiMode, made.aiMode),
          fieldDifference(e + "race", held.race, made.race),
          fieldDifference(e + "team", held.team, made.team),
          fieldDifference(e + "research list", held.research, made.research),
          fieldDifference(e + "money", to_string(held.money), to_string(made.money)),
          fieldDifference(e + "spies", to_string(held.spies), to_string(made.spies)),
          fieldDifference(e + "ships", to_string(held.ships), to_string(made.ships)),
          fieldDifference(e + "specials", to_string(held.specials), to_string(made.specials))})
        if (!wrong.empty()) return wrong;
    return {};
}

}  // namespace

void ProjectOracle::reset() {
    systems_.clear();
    mapName_.clear();
    description_.clear();
    empireCount_ = 2;
    for (int i = 0; i < 8; ++i) {
        const std::string n = std::to_string(i + 1);
        empires_[std::size_t(i)] = {"AI" + n, "Standard", "Human", "Team" + n, "Standard",
                                    1000,     4,          15,      6};
    }
}

ProjectOracle::Insert ProjectOracle::insert(const std::string& path, const std::string& bytes) {
    if (systems_.size() >= kMostSystems) return Insert::Refused;
    if (path.size() > 255 || bytes.size() < files::kDesignRecordSize) return Insert::Unreadable;
    const std::string name =
        files::readDesignFile(bytes.substr(0, files::kDesignRecordSize))->front().name;
    if (name.empty() ||
        std::any_of(systems_.begin(), systems_.end(),
                    [&](const files::ProjectSlot& s) { return s.systemName == name; }))
        return Insert::Refused;
    systems_.push_back({name, path});
    return Insert::Added;
}

void ProjectOracle::remove(const std::vector<int>& rows) {
    const std::set<int> gone(rows.begin(), rows.end());
    std::vector<files::ProjectSlot> kept;
    for (std::size_t i = 0; i < systems_.size(); ++i)
        if (!gone.count(int(i))) kept.push_back(systems_[i]);
    systems_ = std::move(kept);
}

void ProjectOracle::setTexts(const std::string& mapName, const std::string& description) {
    mapName_ = mapName;
    description_ = description;
}

void ProjectOracle::setEmpire(int empire, const files::ProjectEmpire& fields) {
    empires_[std::size_t(empire)] = fields;
}

bool ProjectOracle::load(const std::string& path, const std::string& bytes) {
    const auto file = files::readProjectFile(bytes);
    if (!file) return false;
    mapName_ = file->mapName;
    description_ = file->description;
    const int count = file->empireCount;
    empireCount_ = count == 2 || count == 4 || count == 8 ? count : 4;
    // The records the file says it holds replace the map's; the others stay.
    for (int i = 0; i < std::clamp(count, 0, 8); ++i)
        empires_[std::size_t(i)] = file->empires[std::size_t(i)];
    systems_.clear();
    namespace fs = std::filesystem;
    for (files::ProjectSlot slot : file->systems) {
        if (slot.systemName.empty()) continue;
        const std::string& stored = slot.designFile;
        const fs::path beside =
            fs::path(path).parent_path() / stored.substr(stored.find_last_of("/\\") + 1);
        std::error_code ec;
        if (!fs::is_regular_file(stored, ec) && fs::is_regular_file(beside, ec))
            slot.designFile = beside.lexically_normal().string();
        systems_.push_back(std::move(slot));
    }
    return true;
}

std::vector<std::string> ProjectOracle::systemNames() const {
    std::vector<std::string> names;
    for (const files::ProjectSlot& s : systems_) names.push_back(s.systemName);
    return names;
}

std::string ProjectOracle::compareFile(const std::string& bytes) const {
    const auto file = files::readProjectFile(bytes);
    if (!file) return "the project file is shorter than its record";
    for (std::size_t i = 0; i < kMostSystems; ++i) {
        const files::ProjectSlot made = i < systems_.size() ? systems_[i] : files::ProjectSlot{};
        const files::ProjectSlot& held = file->systems[i];
        const std::string slot = "slot " + std::to_string(i) + " ";
        std::string wrong = fieldDifference(slot + "system", held.systemName, made.systemName);
        if (wrong.empty() && i < systems_.size())
            wrong = fieldDifference(slot + "design file", held.designFile, made.designFile);
        if (!wrong.empty()) return wrong;
    }
    for (const std::string& wrong :
         {fieldDifference("map name", file->mapName, mapName_.substr(0, 125)),
          fieldDifference("description", file->description, description_.substr(0, 255)),
          fieldDifference("empire count", std::to_string(file->empireCount),
                          std::to_string(empireCount_))})
        if (!wrong.empty()) return wrong;
    for (int i = 0; i < empireCount_; ++i)
        if (std::string wrong =
                empireDifference(i, file->empires[std::size_t(i)], empires_[std::size_t(i)]);
            !wrong.empty())
            return wrong;
    return {};
}

}  // namespace mw::ui::test
