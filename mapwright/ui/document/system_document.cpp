#include "system_document.h"

#include "common/errors.h"
#include "step_command.h"
#include "widgets/text.h"

namespace mw::ui {

namespace {

MarkerPos pixelOf(QPoint p) {
    return {p.x(), p.y()};
}

// The header fields whose consecutive edits merge into one step.
enum HeaderField { SunNameField, SunTypeField, BackgroundField, ScaleField };

// Enough steps for an afternoon's work; each holds only what it changed.
constexpr int kUndoLimit = 1000;

QString stepName(const std::string& verb, const std::string& object) {
    return fromModel(verb + " " + object);
}

// The other design files an operation changed, which its step carries.
const std::vector<FileEdit>* editsOf(const DesignerChange& change) {
    return &change.filesEdited;
}
const std::vector<FileEdit>* editsOf(const std::optional<DesignerChange>& change) {
    return change ? &change->filesEdited : nullptr;
}
template <typename Other>
const std::vector<FileEdit>* editsOf(const Other&) {
    return nullptr;
}

// Typing into a header field is one step a word: a space ends the word.
bool wordFinished(const QString& text) {
    return text.endsWith(QLatin1Char(' '));
}

}  // namespace

SystemDocument::SystemDocument(SystemDesigner& designer, Prompts& prompts, QObject* parent)
    : QObject(parent), designer_(designer), prompts_(prompts) {
    undoStack_.setUndoLimit(kUndoLimit);
    connect(&undoStack_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { setModified(!clean); });
}

template <typename Operation, typename Name>
auto SystemDocument::step(Operation&& operation, Name&& name, int field, bool wordFinished) {
    const std::optional<DesignerSnapshot> before = currentSnapshot();
    auto result = operation();
    const std::optional<DesignerSnapshot> after = before ? currentSnapshot() : std::nullopt;
    if (!after) {
        // Without both states the change cannot be undone; it still counts as unsaved.
        undoStack_.resetClean();
        return result;
    }
    DesignerStep change = DesignerStep::Between(*before, *after);
    if (const std::vector<FileEdit>* edits = editsOf(result)) change.addFileEdits(*edits);
    if (!change.empty())
        undoStack_.push(new StepCommand(*this, std::move(change), name(), field, wordFinished));
    return result;
}

std::optional<DesignerSnapshot> SystemDocument::currentSnapshot() {
    try {
        return designer_.TakeSnapshot();
    } catch (const UserError& e) {
        prompts_.error(e.what());
    }
    return std::nullopt;
}

void SystemDocument::applyStep(const DesignerStep& step, bool forward) {
    if (stepMade_) {
        stepMade_ = false;
        return;
    }
    try {
        emit changed(forward ? designer_.RedoStep(step) : designer_.UndoStep(step));
    } catch (const UserError& e) {
        prompts_.error(e.what());
    }
}

void SystemDocument::startOver() {
    undoStack_.clear();
    setModified(false);
}

void SystemDocument::setModified(bool modified) {
    if (designer_.unsaved() == modified) return;
    designer_.SetUnsaved(modified);
    emit modifiedChanged(modified);
}

bool SystemDocument::isModified() const {
    return designer_.unsaved();
}

void SystemDocument::markModified() {
    undoStack_.resetClean();
    setModified(true);
}

// Paths in the file system's encoding, as the file dialogs give them.
QString SystemDocument::filePath() const {
    return fromPath(designer_.filePath());
}

void SystemDocument::setFilePath(const QString& path) {
    designer_.SetFilePath(toPath(path));
}

bool SystemDocument::moveStack(int index, bool forward) {
    if (index < 0 || index >= undoStack_.count()) return false;
    const auto* command = static_cast<const StepCommand*>(undoStack_.command(index));
    DesignerChange change;
    try {
        change =
            forward ? designer_.RedoStep(command->step()) : designer_.UndoStep(command->step());
    } catch (const UserError& e) {
        prompts_.error(e.what());
        return false;
    }
    stepMade_ = true;
    if (forward)
        undoStack_.redo();
    else
        undoStack_.undo();
    stepMade_ = false;
    emit changed(change);
    return true;
}

bool SystemDocument::undo() {
    return moveStack(undoStack_.index() - 1, false);
}

bool SystemDocument::redo() {
    return moveStack(undoStack_.index(), true);
}

QAction* SystemDocument::createUndoAction(QObject* parent, const QString& prefix) {
    QAction* action = undoStack_.createUndoAction(parent, prefix);
    disconnect(action, &QAction::triggered, &undoStack_, &QUndoStack::undo);
    connect(action, &QAction::triggered, this, &SystemDocument::undo);
    return action;
}

QAction* SystemDocument::createRedoAction(QObject* parent, const QString& prefix) {
    QAction* action = undoStack_.createRedoAction(parent, prefix);
    disconnect(action, &QAction::triggered, &undoStack_, &QUndoStack::redo);
    connect(action, &QAction::triggered, this, &SystemDocument::redo);
    return action;
}

void SystemDocument::create() {
    emit changed(designer_.Create(prompts_));
    startOver();
    // The main window's Open opens the file as the window is created.
    if (!designer_.filePath().empty()) emit fileUsed(filePath());
}

WorldPosition SystemDocument::moveCursor(QPoint pixel) {
    return designer_.MoveCursor(pixelOf(pixel));
}

void SystemDocument::clickMap(Tool tool, QPoint pixel) {
    ObjectRef placed;
    const DesignerChange change = step(
        [&] {
            DesignerChange c = designer_.ClickMap(tool, pixelOf(pixel), prompts_);
            if (!c.added.empty()) placed = {c.added[0].kind, c.added[0].index};
            return c;
        },
        // Named after the object placed, a planet by the name it drew.
        [&] { return stepName("place", designer_.objectName(placed)); });
    emit changed(change);
}

std::optional<ObjectKind> SystemDocument::clickMarker(Tool tool, ObjectRef object) {
    QString name = stepName("delete", designer_.objectName(object));
    const DesignerChange change =
        step([&] { return designer_.ClickMarker(tool, object, prompts_); }, [&] { return name; });
    emit changed(change);
    return change.openDialog;
}

void SystemDocument::open() {
    finishOpen(designer_.Open(prompts_));
}

void SystemDocument::openFromMainWindow() {
    finishOpen(designer_.OpenFromMainWindow(prompts_));
}

void SystemDocument::openFile(const QString& path) {
    finishOpen(designer_.OpenFile(toPath(path), prompts_));
}

void SystemDocument::finishOpen(const DesignerChange& change) {
    if (change.clearMarkers) startOver();
    emit changed(change);
    if (change.clearMarkers) emit fileUsed(filePath());
}

bool SystemDocument::restore(const std::string& recoveryFile, const std::string& originalPath) {
    const DesignerChange change = designer_.OpenFile(recoveryFile, prompts_, NodeIds::AsStored);
    if (!change.clearMarkers) return false;
    startOver();
    designer_.SetFilePath(originalPath);
    markModified();
    emit changed(change);
    return true;
}

void SystemDocument::clearMap() {
    emit changed(step([&] { return designer_.ClearMap(prompts_); },
                      [] { return QStringLiteral("clear map"); }));
}

bool SystemDocument::save() {
    if (designer_.filePath().empty()) return saveAs();
    if (!designer_.SaveTo(designer_.filePath(), prompts_)) return false;
    undoStack_.setClean();
    setModified(false);
    emit fileUsed(filePath());
    return true;
}

bool SystemDocument::saveAs() {
    if (!designer_.SaveAs(prompts_)) return false;
    undoStack_.setClean();
    setModified(false);
    emit fileUsed(filePath());
    return true;
}

bool SystemDocument::confirmClose() {
    return designer_.ConfirmClose(prompts_);
}

void SystemDocument::closing() {
    emit changed(designer_.Closing());
    startOver();
}

void SystemDocument::setSunName(const QString& text) {
    emit changed(step([&] { return designer_.SetSunName(toModel(text)); },
                      [] { return QStringLiteral("change sun name"); }, SunNameField,
                      wordFinished(text)));
}
void SystemDocument::setSunType(const QString& text) {
    emit changed(step([&] { return designer_.SetSunType(toModel(text)); },
                      [] { return QStringLiteral("change sun type"); }, SunTypeField,
                      wordFinished(text)));
}
void SystemDocument::setBackground(const QString& text) {
    emit changed(step([&] { return designer_.SetBackground(toModel(text)); },
                      [] { return QStringLiteral("change background"); }, BackgroundField,
                      wordFinished(text)));
}
void SystemDocument::setScale(const QString& text) {
    emit changed(step([&] { return designer_.SetScale(toModel(text)); },
                      [] { return QStringLiteral("change scale"); }, ScaleField,
                      wordFinished(text)));
}

bool SystemDocument::confirmDialog(const DialogValues& values) {
    const ObjectRef object{kindOf(values), designer_.tables().currentObjectIndex};
    const std::optional<DesignerChange> change =
        step([&] { return designer_.ConfirmDialog(values, prompts_); },
             [&] { return stepName("change", designer_.objectName(object)); });
    if (change) emit changed(*change);
    return change.has_value();
}
QString SystemDocument::beginZ(ObjectKind kind) {
    return fromModel(designer_.BeginZ(kind));
}
bool SystemDocument::confirmZ(const QString& text) {
    const ObjectRef object{designer_.tables().zTargetKind, designer_.tables().currentObjectIndex};
    const std::optional<DesignerChange> change =
        step([&] { return designer_.ConfirmZ(toModel(text), prompts_); },
             [&] { return stepName("set Z of", designer_.objectName(object)); });
    if (change) emit changed(*change);
    return change.has_value();
}
QString SystemDocument::cancelZ() {
    return fromModel(designer_.CancelZ());
}
std::optional<std::vector<std::string>> SystemDocument::linkSystems() {
    return designer_.LinkSystems(prompts_);
}
bool SystemDocument::chooseLink(const QString& text, bool bothWays) {
    const ObjectRef object{ObjectKind::JumpNode, designer_.tables().currentObjectIndex};
    const std::optional<DesignerChange> change = step(
        [&] { return designer_.ChooseLink(toModel(text), prompts_, bothWays); },
        [&] {
            return stepName(bothWays ? "link both ways" : "link", designer_.objectName(object));
        });
    if (change) emit changed(*change);
    return change.has_value();
}

void SystemDocument::moveMarker(ObjectRef object, QPoint pixel) {
    emit changed(step([&] { return designer_.MoveMarker(object, pixelOf(pixel)); },
                      [&] { return stepName("move", designer_.objectName(object)); }));
}

}  // namespace mw::ui
