#pragma once
// Hints written "short|long": the short part is the tooltip, the long part
// goes to the main window's status bar while the mouse is over the item. A
// hint without "|" is used for both.

#include <QString>

class QAction;
class QWidget;

namespace mw::ui {

struct Hint {
    QString tip;
    QString status;
};

Hint splitHint(const QString& hint);
void setHint(QAction* action, const QString& hint);
void setHint(QWidget* widget, const QString& hint);

}  // namespace mw::ui
