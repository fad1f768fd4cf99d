// Mutations that know a design file is a run of 568-byte records. Byte
// mutations alone keep a file at the few records of its seeds; here records
// are also copied in runs (up to and past a kind's table capacity), dropped,
// retagged and given marker texts, besides libFuzzer's own byte mutations of
// one record or of the whole file.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "system/sdf_record.h"
#include "system/system_model.h"

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace fuzz {

using Random = std::minstd_rand;

inline std::size_t below(Random& random, std::size_t n) {
    return n == 0 ? 0 : static_cast<std::size_t>(random() % n);
}

// libFuzzer's byte mutations of the whole text, within maxSize.
inline void mutateBytes(std::string& text, std::size_t maxSize) {
    if (maxSize == 0) {
        text.clear();
        return;
    }
    const std::size_t size = std::min(text.size(), maxSize);
    text.resize(maxSize);
    text.resize(LLVMFuzzerMutate(reinterpret_cast<std::uint8_t*>(text.data()), size, maxSize));
}

namespace design_file_detail {

constexpr std::size_t kRecord = mw::kSdfRecordSize;

inline std::string_view tagOf(const std::string& file, std::size_t record) {
    const std::size_t at = record * kRecord;
    const std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(file[at]), 23);
    return std::string_view(file).substr(at + 1, length);
}

// How many copies bring the kind of `record` to just below, at or just past
// its table's capacity; a few copies most of the time.
inline std::size_t runLength(const std::string& file, std::size_t record, Random& random) {
    if (below(random, 16) != 0 || record == 0) return 1 + below(random, 4);
    const std::string_view tag = tagOf(file, record);
    std::size_t same = 0;
    for (std::size_t r = 1; r < file.size() / kRecord; ++r) same += tagOf(file, r) == tag;
    const std::size_t goal = mw::kTableCapacity + below(random, 3);  // 1000, 1001 or 1002
    return goal > same ? goal - same : 1;
}

inline void editRecord(std::string& file, std::size_t record, Random& random) {
    auto* at = reinterpret_cast<std::uint8_t*>(file.data()) + record * kRecord;
    mw::SdfRecord r = mw::SdfRecord::decode(at);
    static constexpr std::string_view kTags[] = {
        mw::sdf_tag::kSun,      mw::sdf_tag::kPlanet,   mw::sdf_tag::kMicroAsteroids,
        mw::sdf_tag::kNebula,   mw::sdf_tag::kAsteroid, mw::sdf_tag::kWreck,
        mw::sdf_tag::kJumpNode, mw::sdf_tag::kShip,     "comet"};
    static constexpr std::string_view kMarkers[] = {"0", "492", "-1", "2147483648", "", "x1"};
    if (below(random, 2) == 0) {
        r.tag = kTags[below(random, std::size(kTags))];
    } else {
        r.markerX = kMarkers[below(random, std::size(kMarkers))];
        r.markerY = kMarkers[below(random, std::size(kMarkers))];
    }
    const mw::SdfRecord::Bytes bytes = r.encode();
    std::copy(bytes.begin(), bytes.end(), at);
}

}  // namespace design_file_detail

// Mutates the design file in place; it stays at most maxSize bytes.
inline void mutateDesignFile(std::string& file, std::size_t maxSize, Random& random) {
    using namespace design_file_detail;
    const std::size_t records = file.size() / kRecord;
    const std::size_t pick = below(random, records);
    const std::size_t room = file.size() < maxSize ? (maxSize - file.size()) / kRecord : 0;
    switch (records == 0 ? 0 : below(random, 8)) {
        case 0:  // bytes anywhere, which may leave a partial record
            mutateBytes(file, maxSize);
            return;
        case 1:
        case 2: {  // bytes of one record, which stays a record
            std::string one = file.substr(pick * kRecord, kRecord);
            mutateBytes(one, kRecord);
            one.resize(kRecord, '\0');
            file.replace(pick * kRecord, kRecord, one);
            return;
        }
        case 3:
        case 4: {  // a run of copies of one record after it
            const std::size_t copies = std::min(runLength(file, pick, random), room);
            std::string run;
            run.reserve(copies * kRecord);
            for (std::size_t i = 0; i < copies; ++i) run.append(file, pick * kRecord, kRecord);
            file.insert((pick + 1) * kRecord, run);
            return;
        }
        case 5: {  // a few records dropped, or a long run of them
            const std::size_t after = records - pick;
            const std::size_t drop = below(random, 4) == 0
                                         ? 1 + below(random, after)
                                         : std::min<std::size_t>(after, 1 + below(random, 4));
            file.erase(pick * kRecord, drop * kRecord);
            return;
        }
        default:  // a kind tag or marker texts
            editRecord(file, pick, random);
            return;
    }
}

}  // namespace fuzz
