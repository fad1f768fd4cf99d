#include "system/sdf_record.h"

#include "common/little_endian.h"
#include "system/object_kinds.h"

namespace mw {

namespace {
// Field offsets of the 568-byte record.
constexpr std::size_t kTag = 0, kX = 24, kY = 28, kZ = 32, kMarkerX = 36, kMarkerY = 41,
                      kName = SdfRecord::kNameOffset, kTextA = 67, kAmount = 196, kFlag = 200,
                      kTextB = 201, kRank = 324, kTextC = 328, kNumber = 452, kTextD = 456,
                      kDiameter = 508, kPopulation = 512, kTextE = 516;
}  // namespace

SdfRecord::Bytes SdfRecord::encode() const {
    Bytes b{};
    tag.store(&b[kTag]);
    putLE32(&b[kX], x);
    putLE32(&b[kY], y);
    putLE32(&b[kZ], z);
    markerX.store(&b[kMarkerX]);
    markerY.store(&b[kMarkerY]);
    name.store(&b[kName]);
    textA.store(&b[kTextA]);
    putLE32(&b[kAmount], amount);
    b[kFlag] = flag;
    textB.store(&b[kTextB]);
    putLE32(&b[kRank], rank);
    textC.store(&b[kTextC]);
    putLE32(&b[kNumber], number);
    textD.store(&b[kTextD]);
    putLE32(&b[kDiameter], diameter);
    putLE32(&b[kPopulation], population);
    textE.store(&b[kTextE]);
    return b;
}

SdfRecord SdfRecord::decode(const std::uint8_t* b) {
    SdfRecord r;
    r.tag = decltype(r.tag)::load(&b[kTag]);
    r.x = getLE32(&b[kX]);
    r.y = getLE32(&b[kY]);
    r.z = getLE32(&b[kZ]);
    r.markerX = DecimalField::load(&b[kMarkerX]);
    r.markerY = DecimalField::load(&b[kMarkerY]);
    r.name = decltype(r.name)::load(&b[kName]);
    r.textA = decltype(r.textA)::load(&b[kTextA]);
    r.amount = getLE32(&b[kAmount]);
    r.flag = b[kFlag];
    r.textB = decltype(r.textB)::load(&b[kTextB]);
    r.rank = getLE32(&b[kRank]);
    r.textC = decltype(r.textC)::load(&b[kTextC]);
    r.number = getLE32(&b[kNumber]);
    r.textD = decltype(r.textD)::load(&b[kTextD]);
    r.diameter = getLE32(&b[kDiameter]);
    r.population = getLE32(&b[kPopulation]);
    r.textE = decltype(r.textE)::load(&b[kTextE]);
    return r;
}

namespace {
// The text member of a text slot, for reading and writing alike.
template <typename Record, typename F>
void withText(Record& r, SdfSlot slot, F&& f) {
    switch (slot) {
        case SdfSlot::Name:
            return f(r.name);
        case SdfSlot::TextA:
            return f(r.textA);
        case SdfSlot::TextB:
            return f(r.textB);
        case SdfSlot::TextC:
            return f(r.textC);
        case SdfSlot::TextD:
            return f(r.textD);
        case SdfSlot::TextE:
            return f(r.textE);
        default:
            return;
    }
}

template <typename Record>
auto numberMember(Record& r, SdfSlot slot) -> decltype(&r.amount) {
    switch (slot) {
        case SdfSlot::Amount:
            return &r.amount;
        case SdfSlot::Rank:
            return &r.rank;
        case SdfSlot::Number:
            return &r.number;
        case SdfSlot::Diameter:
            return &r.diameter;
        case SdfSlot::Population:
            return &r.population;
        default:
            return nullptr;
    }
}
}  // namespace

std::string_view slotText(const SdfRecord& record, SdfSlot slot) {
    std::string_view text;
    withText(record, slot, [&](const auto& field) { text = field.view(); });
    return text;
}

void setSlotText(SdfRecord& record, SdfSlot slot, std::string_view text) {
    withText(record, slot, [&](auto& field) { field = text; });
}

std::int32_t slotNumber(const SdfRecord& record, SdfSlot slot) {
    if (slot == SdfSlot::Flag) return record.flag;
    const std::int32_t* n = numberMember(record, slot);
    return n ? *n : 0;
}

void setSlotNumber(SdfRecord& record, SdfSlot slot, std::int32_t value) {
    if (slot == SdfSlot::Flag) {
        record.flag = static_cast<std::uint8_t>(value);
        return;
    }
    if (std::int32_t* n = numberMember(record, slot)) *n = value;
}

std::optional<ObjectKind> kindOfTag(std::string_view tag) {
    for (const KindInfo& k : kKinds)
        if (tag == k.fileTag) return k.kind;
    return std::nullopt;
}

}  // namespace mw
