#pragma once
// Where a top-level window starts: as large as the work it holds needs,
// never larger than the screen area it may use, centred there, and with its
// title bar on the screen. Plain numbers, in the screen's logical pixels.

namespace mw {

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ScreenRect&) const = default;
};

/// What the window manager adds around a window's client area.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

/// The client area (inside the frame) of a window that wants a client of
/// `wantedWidth` x `wantedHeight`, on a screen whose free area is `available`:
/// shrunk to fit with its frame, then centred with its frame; when even the
/// frame cannot fit, its top-left corner stays on the screen.
ScreenRect FitWindow(const ScreenRect& available, const FrameMargins& frame, int wantedWidth,
                     int wantedHeight);

}  // namespace mw
