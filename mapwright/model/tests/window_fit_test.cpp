// The start geometry on screens of several sizes and scale factors: the
// frame always lies on the free area, the client is as large as wanted when
// there is room, and the window is centred whenever it fits.
#include "common/window_fit.h"

#include <gtest/gtest.h>

namespace mw {
namespace {

struct Screen {
    const char* name;
    int width, height;  // physical pixels
    double scale;       // the logical pixel's size
    int panel;          // a task bar along the bottom, in logical pixels
};

TEST(WindowFit, FrameOnTheScreenAndCentredWhenItFits) {
    const Screen screens[] = {
        {"1280x1024 at 2", 1280, 1024, 2.0, 0},    {"1920x1080", 1920, 1080, 1.0, 40},
        {"1920x1080 at 1.5", 1920, 1080, 1.5, 30}, {"800x600", 800, 600, 1.0, 0},
        {"3840x2160 at 2", 3840, 2160, 2.0, 48},   {"640x480", 640, 480, 1.0, 0},
    };
    const FrameMargins frames[] = {{0, 0, 0, 0}, {4, 28, 4, 4}};
    const int wantedWidth = 740;
    const int wantedHeight = 640;
    for (const Screen& s : screens) {
        for (const FrameMargins& f : frames) {
            SCOPED_TRACE(s.name);
            const ScreenRect area{10, 0, static_cast<int>(s.width / s.scale),
                                  static_cast<int>(s.height / s.scale) - s.panel};
            const ScreenRect c = FitWindow(area, f, wantedWidth, wantedHeight);
            const int left = c.x - f.left, top = c.y - f.top;
            const int right = c.x + c.width + f.right, bottom = c.y + c.height + f.bottom;
            EXPECT_GE(left, area.x);
            EXPECT_GE(top, area.y);
            EXPECT_LE(right, area.x + area.width);
            EXPECT_LE(bottom, area.y + area.height);
            const bool roomAcross = area.width >= wantedWidth + f.left + f.right;
            const bool roomDown = area.height >= wantedHeight + f.top + f.bottom;
            EXPECT_EQ(c.width == wantedWidth, roomAcross);
            EXPECT_EQ(c.height == wantedHeight, roomDown);
            // Centred: the gaps on either side differ by the rounding pixel at most.
            EXPECT_LE(std::abs((left - area.x) - (area.x + area.width - right)), 1);
            EXPECT_LE(std::abs((top - area.y) - (area.y + area.height - bottom)), 1);
        }
    }
}

TEST(WindowFit, ATinyScreenKeepsTheTitleBarOnIt) {
    // Even a frame wider than the screen starts at its top-left corner.
    const ScreenRect c = FitWindow({0, 0, 20, 20}, {4, 28, 4, 4}, 740, 640);
    EXPECT_EQ(c, (ScreenRect{4, 28, 12, 1}));
}

}  // namespace
}  // namespace mw
