#include "names/name_picking.h"

#include <cerrno>
#include <cstdint>

#include "common/errors.h"
#include "common/file_layer.h"
#include "names/name_lists.h"
#include "names/name_records.h"
#include "platform/system_files.h"

namespace mw {

PlanetNamePick PickPlanetName(const NameDirectory& dir, const SystemModel& model,
                              EditorRandom& random) {
    random.reseedFromClock();
    const std::size_t n = CountNames(dir, kPoolFile);
    if (n == 0)
        return {"Planet" + std::to_string(model.planets.count()),
                std::string(kOutOfPlanetNamesNotice)};

    // A pool larger than int can count is drawn from its first INT_MAX names.
    const int drawable = n > static_cast<std::size_t>(INT32_MAX) ? INT32_MAX : static_cast<int>(n);
    const int r = random.uniform(drawable);
    NameListReader in(dir.pool());
    std::string name;
    for (int i = 0; i <= r; ++i)
        if (!in.next(name))
            throw IoError(in.path(), "read", "the file became shorter while it was read");
    return {name, std::nullopt};
}

void PickSystemName(const std::string& ondFile, char styleLetter, SystemModel& model,
                    EditorRandom& random) {
    auto matches = [styleLetter](const TOndRecord& r) {
        return !r.isPlanet() && r.hasStyle(styleLetter);
    };

    long long c = 0;
    {
        OndReader in(ondFile);
        TOndRecord r;
        while (in.next(r))
            if (matches(r)) ++c;
    }
    model.currentSystemName = kUnnamedSystem;
    if (c == 0) return;

    random.reseedFromClock();
    const long long target = random.uniform(c > INT32_MAX ? INT32_MAX : static_cast<int>(c));
    OndReader in(ondFile);
    TOndRecord r;
    long long seen = 0;
    while (in.next(r)) {
        if (matches(r) && seen++ == target) {
            model.currentSystemName = r.name.view();
            return;
        }
    }
}

namespace {

/// Opens the database; when asked, a database that does not exist is first
/// created empty. An existing file that cannot be read is never replaced.
OndReader openDatabase(const PoolRefill& refill) {
    if (refill.createMissingDatabase) {
        if (platform::kindAt(refill.ondFile, false) == platform::FileKind::Missing &&
            errno == ENOENT)
            file_layer::CreateIfMissing(refill.ondFile);
    }
    return OndReader(refill.ondFile);
}

}  // namespace

void RefillPlanetPool(const NameDirectory& dir, const PoolRefill& refill,
                      const SystemModel& model) {
    auto inUse = [&model](std::string_view name) {
        for (int i = 1; i <= model.planets.count(); ++i)
            if (model.planets.at(i).name.view() == name) return true;
        return false;
    };

    OndReader in = openDatabase(refill);
    NameListRewriter out(dir.pool());
    TOndRecord r;
    while (in.next(r)) {
        if (!r.isPlanet() || !r.hasStyle(refill.styleLetter)) continue;
        // An empty name would give a planet without a name, which is never saved.
        if (r.name.empty()) continue;
        const FixedString<120> entry(r.name.view());
        if (refill.excludeNamesInUse && inUse(entry.view())) continue;
        out.write(entry.view());
    }
    out.commit();
}

}  // namespace mw
