#pragma once
// The map panel's pixels and the world coordinates they stand for. The panel
// is 493 pixels square with the sun at pixel 247; world X runs down the panel
// and world Y to the right.

#include <cstdint>

#include "system/object_records.h"

namespace mw {

inline constexpr int kMapPanelSize = 493;  // pixels 0..492 on each axis
inline constexpr int kSunPixel = 247;      // the pixel whose world coordinate is 0

/// One pixel coordinate (0..492) as a world coordinate. The two sides of the
/// centre use different divisors and origins, as the maps made so far do:
/// 0 -> -200000, 246 -> -810, 247 -> 0, 248 -> 1623, 492 -> 199594.
std::int32_t WorldFromPixel(int p);

/// The world position shown for a panel pixel: X from the row, Y from the column.
struct WorldPosition {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const WorldPosition&) const = default;
};
WorldPosition WorldFromMarker(MarkerPos pixel);

/// A pixel of the panel (0..492 on both axes).
bool OnMapPanel(MarkerPos pixel);

}  // namespace mw
