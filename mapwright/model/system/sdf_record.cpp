#include "system/sdf_record.h"

#include "common/little_endian.h"

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

std::optional<ObjectKind> kindOfTag(std::string_view tag) {
    if (tag == sdf_tag::kPlanet) return ObjectKind::Planet;
    if (tag == sdf_tag::kMicroAsteroids) return ObjectKind::MicroAsteroid;
    if (tag == sdf_tag::kAsteroid) return ObjectKind::Asteroid;
    if (tag == sdf_tag::kWreck) return ObjectKind::Wreck;
    if (tag == sdf_tag::kNebula) return ObjectKind::Nebula;
    if (tag == sdf_tag::kJumpNode) return ObjectKind::JumpNode;
    if (tag == sdf_tag::kShip) return ObjectKind::Ship;
    return std::nullopt;
}

}  // namespace mw
