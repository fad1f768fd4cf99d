#pragma once
// "System design help": the legend of the designer's tools and buttons that
// open the help pages. Modeless, on top of the editor; "Close window" hides it.

#include <QWidget>

namespace mw::ui {

class HelpWindow;

class Ticons : public QWidget {
    Q_OBJECT
  public:
    Ticons(HelpWindow& help, QWidget* owner);
};

}  // namespace mw::ui
