#pragma once
// The open system on the Qt side: the only object that changes it, always
// through the model's designer operations, and the one that tells the
// windows what changed. Questions go through the model's prompts. Every
// change is one step on its undo stack; the stack's clean state is the
// saved one.

#include <QAction>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QUndoStack>
#include <optional>
#include <string>
#include <vector>

#include "system_designer/designer_step.h"
#include "system_designer/system_designer.h"

namespace mw::ui {

class SystemDocument : public QObject {
    Q_OBJECT
  public:
    SystemDocument(SystemDesigner& designer, Prompts& prompts, QObject* parent = nullptr);

    const SystemDesigner& designer() const { return designer_; }

    /// A designer window is created (it opens a file at once when the open flag is set).
    void create();
    /// The mouse is over the pixel of the map panel: the world position to show.
    WorldPosition moveCursor(QPoint pixel);
    void clickMap(Tool tool, QPoint pixel);
    /// A click on a marker; returns the kind whose property dialog is to open.
    std::optional<ObjectKind> clickMarker(Tool tool, ObjectRef object);
    void open();
    /// The main window's Open for this window, its question answered: asks
    /// for the file; Cancel or a file that cannot be read changes nothing.
    void openFromMainWindow();
    /// Opens the file with no question (a path given at start-up, a recent file).
    void openFile(const QString& path);
    /// Opens a recovery file as the system not yet saved: marked as changed,
    /// saving to `originalPath` (none when empty). False when it cannot be read.
    bool restore(const std::string& recoveryFile, const std::string& originalPath);
    void clearMap();
    /// "Save": writes to filePath(), or asks for a name when there is none.
    /// True when the system was written.
    bool save();
    /// "Save as": always asks for the name. True when the system was written.
    bool saveAs();
    /// The Close button's question; true when the window is to close.
    bool confirmClose();
    /// The designer window closes.
    void closing();

    void setSunName(const QString& text);
    void setSunType(const QString& text);
    void setBackground(const QString& text);
    void setScale(const QString& text);

    // The property dialogs: one call per OK, on the current object index.
    /// OK in an object dialog; false when the values were refused (the error
    /// has been shown) and the dialog stays open.
    bool confirmDialog(const DialogValues& values);
    /// "Set 'Z' coordinate" in the dialog of the kind: the Z dialog's text.
    QString beginZ(ObjectKind kind);
    /// OK in the Z dialog; false when the text is no whole number.
    bool confirmZ(const QString& text);
    /// Cancel in the Z dialog: the text its edit goes back to.
    QString cancelZ();
    /// "Link systems": the node chooser's entries, or nothing.
    std::optional<std::vector<std::string>> linkSystems();
    /// OK in the node chooser: the current jump node leads to the text, and
    /// with `bothWays` the chosen node of the linked file leads back (one
    /// step for both). False when refused or failed (shown): the chooser stays.
    bool chooseLink(const QString& text, bool bothWays);
    /// A marker dropped on the pixel of the map panel.
    void moveMarker(ObjectRef object, QPoint pixel);

    // --- saved state and undo ---
    /// The system has changes not saved (undoing back to the saved state clears it).
    bool isModified() const;
    /// The system counts as changed until it is saved (a restored recovery file).
    void markModified();
    /// Where Save writes: the file last opened or saved here; empty when none.
    QString filePath() const;
    void setFilePath(const QString& path);
    QUndoStack* undoStack() { return &undoStack_; }
    /// Takes the last step back / makes it again. The stack moves only once
    /// the step was made whole: when a name list cannot be written the error
    /// is shown and the system, the map and the stack stay where they were.
    /// False then, or when there is no step.
    bool undo();
    bool redo();
    /// The Edit menu's actions: texts and enabled state follow the stack, a
    /// trigger runs undo() / redo().
    QAction* createUndoAction(QObject* parent, const QString& prefix);
    QAction* createRedoAction(QObject* parent, const QString& prefix);

  signals:
    /// What an operation changed, for the windows to show.
    void changed(const mw::DesignerChange& change);
    /// isModified() turned.
    void modifiedChanged(bool modified);
    /// A design file was opened or saved (for the recent files).
    void fileUsed(const QString& path);

  public:
    // For the undo steps.
    /// The system back before the step, or forward after it, shown at once;
    /// nothing when undo() or redo() has made it already.
    void applyStep(const DesignerStep& step, bool forward);
    /// The system now; nothing when a name list cannot be read (shown as an error).
    std::optional<DesignerSnapshot> currentSnapshot();

  private:
    /// Runs one change of the system and records what it changed as a step,
    /// named by `name()` once it ran (`field` >= 0: consecutive edits of that
    /// header field merge until a word is finished).
    template <typename Operation, typename Name>
    auto step(Operation&& operation, Name&& name, int field = -1, bool wordFinished = true);
    /// A new system in the window: no steps, nothing unsaved.
    void startOver();
    /// Shows what an open step did; a file read starts the system over.
    void finishOpen(const DesignerChange& change);
    void setModified(bool modified);

    /// Makes the step at `index` of the stack, then moves the stack.
    bool moveStack(int index, bool forward);

    SystemDesigner& designer_;
    Prompts& prompts_;
    QUndoStack undoStack_;
    /// undo() or redo() made the step before moving the stack.
    bool stepMade_ = false;
};

}  // namespace mw::ui
