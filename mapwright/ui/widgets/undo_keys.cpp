#include "widgets/undo_keys.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace mw::ui {

bool PassUndoKeyOn(QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeyCombination combination = key->keyCombination();
    if (!key->matches(QKeySequence::Undo) && !key->matches(QKeySequence::Redo) &&
        combination != QKeyCombination(Qt::ControlModifier, Qt::Key_Y) &&
        combination != QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z))
        return false;
    event->ignore();
    return true;
}

}  // namespace mw::ui
