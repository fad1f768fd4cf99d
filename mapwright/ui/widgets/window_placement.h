#pragma once
// Placing a top-level window on the screen it is on.

class QSize;
class QWidget;

namespace mw::ui {

void centreOnScreen(QWidget* window);
/// Sizes the window for a client of `wanted` as far as the screen's free area
/// allows, and centres it there with its title bar on the screen.
void fitOnScreen(QWidget* window, const QSize& wanted);

}  // namespace mw::ui
