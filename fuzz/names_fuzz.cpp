// The name database and name list readers on arbitrary bytes. The first byte
// picks the name style; the rest is written both as a name database and as
// the planet name pool. Refilling the pool from the database, drawing names
// and rewriting the lists must either work or fail with a message naming
// the file; a list that was rewritten must hold whole records only.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "common/editor_random.h"
#include "names/name_directory.h"
#include "names/name_lists.h"
#include "names/name_picking.h"
#include "names/name_records.h"
#include "scratch_dir.h"
#include "system/system_model.h"

namespace {

void expectWholeRecords(const std::string& path, std::size_t recordSize) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size % recordSize != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static auto model = std::make_unique<mw::SystemModel>();
    static const char kStyles[] = {'U', 'H', 'K', 'D', 'u', 'x'};
    const char style = kStyles[data[0] % sizeof kStyles];
    const std::string ond = fuzz::writeScratchFile("names.ond", data + 1, size - 1);
    const mw::NameDirectory dir(fuzz::scratchDir());
    fuzz::writeScratchFile("p_names.dat", data + 1, size - 1);
    fuzz::writeScratchFile("list.dat", "");
    mw::EditorRandom random(data[0]);

    try {
        const std::vector<mw::TOndRecord> records = mw::readOndFile(ond);
        if (records.size() != (size - 1) / mw::TOndRecord::kSize) std::abort();

        // The pool as the fuzzer wrote it, possibly with a partial record.
        const std::vector<std::string> pool = mw::readNameList(dir.pool());
        if (pool.size() != mw::CountNames(dir, mw::kPoolFile)) std::abort();
        (void)mw::PickPlanetName(dir, *model, random);
        if (!pool.empty()) {
            mw::RemoveName(dir, mw::kPoolFile, pool.front());
            expectWholeRecords(dir.pool(), mw::TPoolEntry::kSize);
            mw::AppendName(dir, mw::kUsedListFile, pool.front());
            mw::RenameInList(dir, mw::kUsedListFile, pool.front(), pool.back());
            if (mw::readNameList(dir.usedList()).size() != 1) std::abort();
        }

        mw::PickSystemName(ond, style, *model, random);
        mw::RefillPlanetPool(dir, mw::PoolRefill{ond, style, true, false}, *model);
        expectWholeRecords(dir.pool(), mw::TPoolEntry::kSize);
        (void)mw::PickPlanetName(dir, *model, random);
    } catch (const std::runtime_error& e) {
        if (std::string(e.what()).find(fuzz::scratchDir()) == std::string::npos) std::abort();
    }
    return 0;
}
