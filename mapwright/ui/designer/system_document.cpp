#include "system_document.h"

#include <QFile>

namespace mw::ui {

QString fromModel(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toModel(const QString& text) { return text.toLatin1().toStdString(); }

SystemDocument::SystemDocument(EditorState& state, QObject* parent)
    : QObject(parent), state_(state) {}

QString SystemDocument::sunName() const { return fromModel(state_.header.sunName); }
QString SystemDocument::sunType() const { return fromModel(state_.header.sunType); }
QString SystemDocument::background() const { return fromModel(state_.header.background); }
QString SystemDocument::scale() const { return fromModel(state_.header.scale); }
QString SystemDocument::currentSystemName() const {
    return fromModel(state_.model.currentSystemName.view());
}

std::vector<bridge::MapObject> SystemDocument::objectsOnMap() const {
    return bridge::objectsOnMap(state_.model);
}

QString SystemDocument::markerCaption(ObjectKind kind) const {
    return fromModel(bridge::markerCaption(kind));
}

QString SystemDocument::markerHint(ObjectKind kind, int index) const {
    return fromModel(bridge::markerHint(state_.model, kind, index));
}

void SystemDocument::designerCreated(const std::function<void()>& afterNamePicked) {
    bridge::designerCreated(state_, afterNamePicked);
    emit headerChanged();
}

void SystemDocument::setCursorPixel(QPoint p) { state_.model.lastCursorPixel = {p.x(), p.y()}; }

std::optional<QString> SystemDocument::placeAt(ObjectKind kind, QPoint pixel) {
    setCursorPixel(pixel);
    const bridge::Placement p = bridge::placeAtPixel(state_, kind, {pixel.x(), pixel.y()});
    if (p.placed) emit objectPlaced(kind, p.index, pixel);
    if (p.notice) return fromModel(*p.notice);
    return std::nullopt;
}

QString SystemDocument::deleteNothing() { return fromModel(bridge::deleteNothing(state_)); }

void SystemDocument::clickMarker(ObjectKind kind, int index, bool deleteTool) {
    bridge::clickMarker(state_, kind, index, deleteTool);
    if (deleteTool) emit objectRemoved(kind, index);
}

void SystemDocument::open(const QString& path) {
    bridge::openSystem(state_, QFile::encodeName(path).toStdString());
    emit systemReplaced();
    emit headerChanged();
}

void SystemDocument::systemOpened() { bridge::systemOpened(state_); }

void SystemDocument::clearMap() {
    bridge::clearMap(state_);
    emit systemReplaced();
}

void SystemDocument::saveAs(const QString& path) const {
    bridge::saveSystemAs(state_, QFile::encodeName(path).toStdString());
}

void SystemDocument::closeSystem() {
    bridge::closeSystem(state_);
    emit systemReplaced();
}

void SystemDocument::setSunName(const QString& text) {
    bridge::changeSunName(state_, toModel(text));
    emit headerChanged();
}

void SystemDocument::setSunType(const QString& text) {
    state_.header.sunType = toModel(text);
    emit headerChanged();
}

void SystemDocument::setBackground(const QString& text) {
    state_.header.background = toModel(text);
    emit headerChanged();
}

void SystemDocument::setScale(const QString& text) {
    state_.header.scale = toModel(text);
    emit headerChanged();
}

}  // namespace mw::ui
