#pragma once
// "Map creator Wizard Help": what the wizard's three groups are for. One
// window for the whole run, modeless and on top; "Close window" hides it.

#include <QWidget>

namespace mw::ui {

class TMCWhelp : public QWidget {
    Q_OBJECT
  public:
    /// The owner is the wizard, so the help stays usable while the wizard is modal.
    explicit TMCWhelp(QWidget* owner);

    /// Shows the window, or brings it forward when it is shown already.
    void showHelp();

  protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace mw::ui
