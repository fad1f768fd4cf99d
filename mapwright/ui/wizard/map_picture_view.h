#pragma once
// The map picture in a box of a window: laid out by the model, painted by
// the picture library, scaled to fit the box (never above a little over its
// own size, so a map of one system does not turn into a poster).

#include <QFrame>

#include "check/map_picture_layout.h"

namespace mw::ui {

class MapPictureView : public QFrame {
    Q_OBJECT
  public:
    explicit MapPictureView(QWidget* parent);

    /// Lays the graph out and draws it anew.
    void showMap(const MapGraph& graph);
    /// What the box shows now.
    const MapPictureLayout& layout() const { return layout_; }
    /// The factor the picture is drawn at in the box's present size.
    double scale() const;

  signals:
    /// A double-click on a system's circle: its slot (0-based).
    void systemDoubleClicked(int slot);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    MapPictureLayout layout_;
};

}  // namespace mw::ui
