#pragma once
// One object on the map: a 16x16 push button centred on the object's marker
// pixel, captioned with its kind's letters, its hint on hover, and the
// object's index as its tag. Dragged with the left button it follows the
// mouse and, released, reports the pixel of the map under the mouse instead
// of a click.

#include <QPushButton>

#include "system/designer_tools.h"

namespace mw::ui {

class ObjectMarker : public QPushButton {
    Q_OBJECT
  public:
    ObjectMarker(const MarkerView& view, QWidget* mapPanel);

    ObjectRef object() const { return {kind_, index_}; }
    ObjectKind kind() const { return kind_; }
    /// What the map shows beside it when names are on (may be empty).
    const QString& label() const { return label_; }
    int tag() const { return index_; }
    /// The marker pixel it stands on (its centre).
    QPoint pixel() const { return geometry().topLeft() + QPoint(kMarkerSize / 2, kMarkerSize / 2); }
    /// Drawn as focused: the map's keyboard is on it.
    void setKeyFocus(bool focused);
    bool hasKeyFocus() const { return keyFocus_; }
    /// Drawn highlighted, with the keyboard on it or not: the object chosen
    /// on the map or in the object list.
    void setHighlighted(bool highlighted);
    bool isHighlighted() const { return highlighted_; }

  signals:
    /// Being dragged over this pixel of the map panel.
    void dragged(QPoint pixel);
    /// Dropped at this pixel of the map panel (which may lie outside it).
    void dropped(QPoint pixel);

  protected:
    /// The caption over the whole face: a 16x16 button has no room for the style's margins.
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    ObjectKind kind_;
    QString label_;
    int index_;
    QPoint pressedAt_;  // in the marker, while the left button is down
    QPoint home_;       // the top-left it stands on
    bool pressed_ = false;
    bool dragging_ = false;
    bool keyFocus_ = false;
    bool highlighted_ = false;
};

}  // namespace mw::ui
