#include "window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include "common/window_fit.h"

namespace mw::ui {

namespace {

const QScreen* screenOf(const QWidget* window) {
    return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

}  // namespace

void centreOnScreen(QWidget* window) {
    const QScreen* screen = screenOf(window);
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void fitOnScreen(QWidget* window, const QSize& wanted) {
    const QScreen* screen = screenOf(window);
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    FrameMargins frame{inner.left() - outer.left(), inner.top() - outer.top(),
                       outer.right() - inner.right(), outer.bottom() - inner.bottom()};
    if (outer == inner) {
        // The window manager has not framed it yet: allow for a usual frame.
        const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8;
        frame = {4, title, 4, 4};
    }
    const ScreenRect client = FitWindow({area.x(), area.y(), area.width(), area.height()}, frame,
                                        wanted.width(), wanted.height());
    window->resize(client.width, client.height);
    // move() places the frame; the window manager keeps the client inside it.
    window->move(client.x - frame.left, client.y - frame.top);
}

}  // namespace mw::ui
