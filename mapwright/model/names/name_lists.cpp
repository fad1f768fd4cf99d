#include "names/name_lists.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "common/errors.h"
#include "common/regular_file.h"
#include "names/name_records.h"

namespace mw {

namespace {

/// Creates the file empty unless something of that name exists already;
/// an existing file is never touched.
void createIfMissing(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd >= 0) {
        ::close(fd);
        return;
    }
    if (errno != EEXIST) throw IoError(path, "create", errnoText());
}

/// Copies the list to its scratch file, each record through `map` (which
/// returns false to drop it), then replaces the list in one checked rename.
template <typename Map>
void rewriteList(const NameDirectory& dir, std::string_view listFile, Map map) {
    const std::string path = dir.resolve(listFile);
    NameListReader in(path);
    NameListRewriter out(path, dir.resolve(kListScratchFile));
    std::string name;
    while (in.next(name))
        if (map(name)) out.write(name);
    out.commit();
}

}  // namespace

void EnsureNameFiles(const NameDirectory& dir) {
    createIfMissing(dir.pool());
    createIfMissing(dir.usedList());
}

std::size_t CountNames(const NameDirectory& dir, std::string_view listFile) {
    return countNameRecords(dir.resolve(listFile));
}

void AppendName(const NameDirectory& dir, std::string_view listFile, std::string_view name) {
    appendNameRecord(dir.resolve(listFile), name);
}

void RemoveName(const NameDirectory& dir, std::string_view listFile, std::string_view name) {
    rewriteList(dir, listFile, [name](const std::string& n) { return n != name; });
}

void RenameInList(const NameDirectory& dir, std::string_view listFile, std::string_view oldName,
                  std::string_view newName) {
    rewriteList(dir, listFile, [oldName, newName](std::string& n) {
        if (n == oldName) n = newName;  // the rewriter cuts it to 120
        return true;
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
    const std::string path = dir.resolve(listFile);
    NameListRewriter out(path, dir.resolve(kListScratchFile));
    for (const std::string& name : LivePlanetNames(model)) out.write(name);
    out.commit();
}

}  // namespace mw
