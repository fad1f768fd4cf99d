#pragma once
// The open system on the Qt side: the only object that changes it, always
// through the model's calls, and the one that tells the windows what changed.

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "editor_context.h"

namespace mw::ui {

class SystemDocument : public QObject {
    Q_OBJECT
public:
    explicit SystemDocument(EditorState& state, QObject* parent = nullptr);

    const EditorState& state() const { return state_; }
    /// The four header texts, as the designer's fields show them.
    QString sunName() const;
    QString sunType() const;
    QString background() const;
    QString scale() const;
    QString currentSystemName() const;

    std::vector<bridge::MapObject> objectsOnMap() const;
    QString markerCaption(ObjectKind kind) const;
    QString markerHint(ObjectKind kind, int index) const;

    /// A designer window is created; `afterNamePicked` runs once the system
    /// name is drawn (the window shows it, then runs its open step).
    void designerCreated(const std::function<void()>& afterNamePicked);
    /// The mouse is over pixel p of the map panel.
    void setCursorPixel(QPoint p);
    /// A click on the empty map with a placing tool. Returns the notice to show, if any.
    std::optional<QString> placeAt(ObjectKind kind, QPoint pixel);
    /// A click on the empty map with the delete tool: the notice to show.
    QString deleteNothing();
    /// A click on a marker.
    void clickMarker(ObjectKind kind, int index, bool deleteTool);
    /// Reads a design file; the open system is replaced only when the whole
    /// file was read. Model errors propagate.
    void open(const QString& path);
    /// The name pool is refilled after an open.
    void systemOpened();
    void clearMap();
    void saveAs(const QString& path) const;
    /// The designer window closes: the tables are reset.
    void closeSystem();

    void setSunName(const QString& text);
    void setSunType(const QString& text);
    void setBackground(const QString& text);
    void setScale(const QString& text);

signals:
    void objectPlaced(mw::ObjectKind kind, int index, QPoint pixel);
    void objectRemoved(mw::ObjectKind kind, int index);
    /// Every marker has to be made anew (open, clear, close).
    void systemReplaced();
    void headerChanged();

private:
    EditorState& state_;
};

/// Text of the model (single-byte, Latin-1) and back.
QString fromModel(std::string_view text);
std::string toModel(const QString& text);

}  // namespace mw::ui
