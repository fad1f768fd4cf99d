#pragma once
// The designer's map: a 493x493 panel with a lowered outer and a raised inner
// bevel, a cross at the centre pixel 246,246 and the red sun. It follows the
// mouse and reports clicks on its empty area; object markers are its children.
// From the keyboard it has a cursor (the arrow keys, Space or Return to
// click), steps through its markers with Tab, and picks tools with 1 to 8.

#include <QPointer>
#include <QWidget>

namespace mw::ui {

class ObjectMarker;

class MapPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSize = 493;

    explicit MapPanel(QWidget* parent);

    /// The keyboard cursor's pixel.
    QPoint keyCursor() const { return cursor_; }
    /// The marker the keyboard is on, if any.
    ObjectMarker* focusedMarker() const;
    /// Puts the keyboard on the marker (none: back to the cursor).
    void focusMarker(ObjectMarker* marker);
    /// Draws each marker's label beside it (planet and ship names, node ids).
    void setShowNames(bool show);
    bool showNames() const { return showNames_; }

  signals:
    void cursorMoved(QPoint pixel);
    void clicked(QPoint pixel);
    /// Return on the focused marker: its dialog.
    void markerActivated(ObjectMarker* marker);
    /// Space on the focused marker, or Space or Return with a marker under
    /// the cursor: a click on it.
    void markerClicked(ObjectMarker* marker);
    /// The Delete key on the focused marker.
    void markerDeleteRequested(ObjectMarker* marker);
    /// A tool key: 0 for "1" ... 7 for "8".
    void toolKeyPressed(int tool);
    /// The keyboard went on the marker (none: back to the cursor); it is drawn highlighted.
    void markerFocused(mw::ui::ObjectMarker* marker);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void moveKeyCursor(QPoint pixel);
    /// The markers standing on the map, in the order Tab visits them.
    QList<ObjectMarker*> tabOrder() const;

    bool pressed_ = false;
    QPoint cursor_{246, 246};
    QPointer<ObjectMarker> marker_;
    bool showNames_ = false;
};

}  // namespace mw::ui
