#pragma once
// The open system on the Qt side: the only object that changes it, always
// through the model's designer operations, and the one that tells the
// windows what changed. Questions go through the model's prompts.

#include <QObject>
#include <QPoint>
#include <QString>

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
    void clickMarker(Tool tool, ObjectRef object);
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

  signals:
    /// What an operation changed, for the windows to show.
    void changed(const mw::DesignerChange& change);

  private:
    SystemDesigner& designer_;
    Prompts& prompts_;
};

}  // namespace mw::ui
