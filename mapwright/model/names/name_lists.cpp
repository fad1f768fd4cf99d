#include "names/name_lists.h"

#include <cerrno>
#include <cstring>
#include <optional>

#include "common/errors.h"
#include "common/file_bytes.h"
#include "common/file_layer.h"
#include "common/safe_save.h"
#include "names/name_records.h"

namespace mw {

namespace {

/// Every whole record decoded, through `map` (which returns false to drop it),
/// encoded again.
template <typename Map>
std::string rewritten(std::string_view list, Map map) {
    std::string out;
    for (std::size_t at = 0; at + TPoolEntry::kSize <= list.size(); at += TPoolEntry::kSize) {
        std::string name =
            TPoolEntry::decode(reinterpret_cast<const std::uint8_t*>(list.data() + at)).name.str();
        if (map(name)) out += nameRecord(name);
    }
    return out;
}

std::string existingList(const std::string& path) {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) throw IoError(path, "open", std::strerror(ENOENT));
    return *bytes;
}

template <typename Change>
void changeList(const NameDirectory& dir, std::string_view listFile, Change change) {
    const std::string path = dir.resolve(listFile);
    SaveFileBytes(path, change(existingList(path)));
}

}  // namespace

void EnsureNameFiles(const NameDirectory& dir) {
    file_layer::CreateIfMissing(dir.pool());
    file_layer::CreateIfMissing(dir.usedList());
}

std::size_t CountNames(const NameDirectory& dir, std::string_view listFile) {
    return countNameRecords(dir.resolve(listFile));
}

std::string ListWithAppended(std::string_view list, std::string_view name) {
    return std::string(list) + nameRecord(name);
}

std::string ListWithout(std::string_view list, std::string_view name) {
    return rewritten(list, [name](const std::string& n) { return n != name; });
}

std::string ListWithRenamed(std::string_view list, std::string_view oldName,
                            std::string_view newName) {
    return rewritten(list, [oldName, newName](std::string& n) {
        if (n == oldName) n = newName;  // nameRecord cuts it to 120
        return true;
    });
}

std::string ListOf(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names) out += nameRecord(name);
    return out;
}

void AppendName(const NameDirectory& dir, std::string_view listFile, std::string_view name) {
    changeList(dir, listFile,
               [name](const std::string& list) { return ListWithAppended(list, name); });
}

void RemoveName(const NameDirectory& dir, std::string_view listFile, std::string_view name) {
    changeList(dir, listFile, [name](const std::string& list) { return ListWithout(list, name); });
}

void RenameInList(const NameDirectory& dir, std::string_view listFile, std::string_view oldName,
                  std::string_view newName) {
    changeList(dir, listFile, [oldName, newName](const std::string& list) {
        return ListWithRenamed(list, oldName, newName);
    });
}

std::vector<std::string> LivePlanetNames(const SystemModel& model) {
    std::vector<std::string> names;
    for (int i = 1; i <= model.planets.count(); ++i) {
        const PlanetRecord& p = model.planets.at(i);
        if (p.deleted == 0) names.push_back(p.name.str());
    }
    return names;
}

void WriteUsedNames(const NameDirectory& dir, std::string_view listFile, const SystemModel& model) {
    SaveFileBytes(dir.resolve(listFile), ListOf(LivePlanetNames(model)));
}

}  // namespace mw
