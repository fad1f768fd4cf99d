#include "system/world_coordinates.h"

#include <cmath>

namespace mw {

std::int32_t WorldFromPixel(int p) {
    double w = 0;
    if (p < kSunPixel)
        w = -200000.0 * (kSunPixel - p) / kSunPixel;
    else if (p > kSunPixel)
        w = 2.0 * 200000.0 * (p - (kSunPixel - 1)) / kMapPanelSize;
    // Halves go to the even neighbour, as the default rounding mode does.
    return static_cast<std::int32_t>(std::nearbyint(w));
}

WorldPosition WorldFromMarker(MarkerPos pixel) {
    return {WorldFromPixel(pixel.y), WorldFromPixel(pixel.x)};
}

bool OnMapPanel(MarkerPos pixel) {
    return pixel.x >= 0 && pixel.x < kMapPanelSize && pixel.y >= 0 && pixel.y < kMapPanelSize;
}

}  // namespace mw
