#pragma once
// The open system on the Qt side: the only object that changes it, always
// through the model's designer operations, and the one that tells the
// windows what changed. Questions go through the model's prompts.

#include <QObject>
#include <QPoint>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "system/system_designer.h"

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
    void clearMap();
    void saveAs();
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
    /// OK in the node chooser: the current jump node leads to the text.
    void chooseLink(const QString& text);

  signals:
    /// What an operation changed, for the windows to show.
    void changed(const mw::DesignerChange& change);

  private:
    SystemDesigner& designer_;
    Prompts& prompts_;
};

}  // namespace mw::ui
