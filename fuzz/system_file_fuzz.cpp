// The system design file reader on arbitrary bytes. Whatever loads must save
// and load again; after one save the form is settled, so a second round
// trip must give the same file byte for byte. The mutator knows records, so
// files reach and pass the 1000 objects a kind's table holds.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "design_file_mutator.h"
#include "scratch_dir.h"
#include "system/system_file.h"
#include "system/system_model.h"

namespace {

std::string saveAndRead(const mw::SystemHeader& header, const mw::SystemModel& model,
                        const std::string& name) {
    const std::string path = fuzz::scratchPath(name);
    mw::SaveSystem(path, header.sunName, header.sunType, header.background, header.scale, model);
    return vk_test::readFile(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto model = std::make_unique<mw::SystemModel>();
    const std::string path = fuzz::writeScratchFile("in.sdf", data, size);

    mw::SystemHeader header;
    int placed = 0;
    try {
        header = mw::OpenSystem(path, *model, [&](const mw::PlacedObject&) { ++placed; });
    } catch (const std::runtime_error& e) {
        // Damaged files are refused with a message that names the file.
        if (std::string(e.what()).find(path) == std::string::npos) std::abort();
        return 0;
    }
    try {
        (void)mw::ReadJumpNodes(path);
    } catch (const std::runtime_error&) {
        std::abort();  // a file that opens must also list its jump nodes
    }

    const std::string first = saveAndRead(header, *model, "first.sdf");
    // Objects whose key text is empty are not saved, so the file may shrink.
    if (first.size() % 568 != 0 || first.size() / 568 > static_cast<std::size_t>(placed) + 1)
        std::abort();
    const mw::SystemHeader again = mw::OpenSystem(fuzz::scratchPath("first.sdf"), *model);
    const std::string second = saveAndRead(again, *model, "second.sdf");
    const mw::SystemHeader third = mw::OpenSystem(fuzz::scratchPath("second.sdf"), *model);
    if (saveAndRead(third, *model, "third.sdf") != second) std::abort();
    return 0;
}

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned seed) {
    fuzz::Random random(seed);
    std::string file(reinterpret_cast<const char*>(data), size);
    fuzz::mutateDesignFile(file, maxSize, random);
    std::memcpy(data, file.data(), file.size());
    return file.size();
}
