#include "common/window_fit.h"

#include <algorithm>

namespace mw {

ScreenRect FitWindow(const ScreenRect& available, const FrameMargins& frame, int wantedWidth,
                     int wantedHeight) {
    const int frameWidth = frame.left + frame.right;
    const int frameHeight = frame.top + frame.bottom;
    ScreenRect client;
    client.width = std::max(1, std::min(wantedWidth, available.width - frameWidth));
    client.height = std::max(1, std::min(wantedHeight, available.height - frameHeight));
    // Centred with its frame; the max keeps the title bar on the screen.
    const int frameX = available.x + (available.width - (client.width + frameWidth)) / 2;
    const int frameY = available.y + (available.height - (client.height + frameHeight)) / 2;
    client.x = std::max(available.x, frameX) + frame.left;
    client.y = std::max(available.y, frameY) + frame.top;
    return client;
}

}  // namespace mw
