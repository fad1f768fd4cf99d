#include "hint.h"

#include <QAction>
#include <QWidget>

namespace mw::ui {

Hint splitHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0) return {hint, hint};
    return {hint.left(bar), hint.mid(bar + 1)};
}

void setHint(QAction* action, const QString& hint) {
    const Hint h = splitHint(hint);
    action->setToolTip(h.tip);
    action->setStatusTip(h.status);
}

void setHint(QWidget* widget, const QString& hint) {
    const Hint h = splitHint(hint);
    widget->setToolTip(h.tip);
    widget->setStatusTip(h.status);
}

}  // namespace mw::ui
