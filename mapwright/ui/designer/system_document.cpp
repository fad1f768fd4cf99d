#include "system_document.h"

#include "text.h"

namespace mw::ui {

namespace {

MarkerPos pixelOf(QPoint p) {
    return {p.x(), p.y()};
}

}  // namespace

SystemDocument::SystemDocument(SystemDesigner& designer, Prompts& prompts, QObject* parent)
    : QObject(parent), designer_(designer), prompts_(prompts) {}

void SystemDocument::create() {
    emit changed(designer_.Create(prompts_));
}

WorldPosition SystemDocument::moveCursor(QPoint pixel) {
    return designer_.MoveCursor(pixelOf(pixel));
}

void SystemDocument::clickMap(Tool tool, QPoint pixel) {
    emit changed(designer_.ClickMap(tool, pixelOf(pixel), prompts_));
}

std::optional<ObjectKind> SystemDocument::clickMarker(Tool tool, ObjectRef object) {
    const DesignerChange change = designer_.ClickMarker(tool, object, prompts_);
    emit changed(change);
    return change.openDialog;
}

void SystemDocument::open() {
    emit changed(designer_.Open(prompts_));
}
void SystemDocument::clearMap() {
    emit changed(designer_.ClearMap(prompts_));
}
void SystemDocument::saveAs() {
    designer_.SaveAs(prompts_);
}
bool SystemDocument::confirmClose() {
    return designer_.ConfirmClose(prompts_);
}
void SystemDocument::closing() {
    emit changed(designer_.Closing());
}

void SystemDocument::setSunName(const QString& text) {
    emit changed(designer_.SetSunName(toModel(text)));
}
void SystemDocument::setSunType(const QString& text) {
    emit changed(designer_.SetSunType(toModel(text)));
}
void SystemDocument::setBackground(const QString& text) {
    emit changed(designer_.SetBackground(toModel(text)));
}
void SystemDocument::setScale(const QString& text) {
    emit changed(designer_.SetScale(toModel(text)));
}

bool SystemDocument::confirmDialog(const DialogValues& values) {
    const std::optional<DesignerChange> change = designer_.ConfirmDialog(values, prompts_);
    if (change) emit changed(*change);
    return change.has_value();
}
QString SystemDocument::beginZ(ObjectKind kind) {
    return fromModel(designer_.BeginZ(kind));
}
bool SystemDocument::confirmZ(const QString& text) {
    const std::optional<DesignerChange> change = designer_.ConfirmZ(toModel(text), prompts_);
    if (change) emit changed(*change);
    return change.has_value();
}
QString SystemDocument::cancelZ() {
    return fromModel(designer_.CancelZ());
}
std::optional<std::vector<std::string>> SystemDocument::linkSystems() {
    return designer_.LinkSystems(prompts_);
}
void SystemDocument::chooseLink(const QString& text) {
    emit changed(designer_.ChooseLink(toModel(text)));
}

}  // namespace mw::ui
