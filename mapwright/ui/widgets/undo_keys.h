#pragma once
// The keys of a document's Undo and Redo, which a text field would otherwise
// take for its own text undo.

class QEvent;

namespace mw::ui {

/// True for a key press or shortcut override of Undo, Redo, Ctrl+Y or
/// Ctrl+Shift+Z; the event is then marked ignored so the window's own
/// shortcut gets it.
bool PassUndoKeyOn(QEvent* event);

}  // namespace mw::ui
