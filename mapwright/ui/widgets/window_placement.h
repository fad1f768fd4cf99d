#pragma once
// Centring a top-level window on the screen it is on.

class QWidget;

namespace mw::ui {

void centreOnScreen(QWidget* window);

}  // namespace mw::ui
