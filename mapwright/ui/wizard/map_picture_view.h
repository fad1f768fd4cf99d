#pragma once
// The map picture in a box of a window: laid out by the model, painted by
// the picture library, scaled to fit the box (never above a little over its
// own size, so a map of one system does not turn into a poster). A drag from
// one system to another asks for a link between them; the context menu on a
// link line offers to remove it.

#include <QFrame>
#include <cstddef>
#include <optional>

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
    /// Where a point of the picture is drawn in the widget, and back.
    QPointF toWidget(Point p) const;
    Point toPicture(QPointF p) const;
    /// The centre of a system's node in the widget.
    QPoint systemCentre(std::size_t system) const;

  signals:
    /// A drag went from one system's node to another's (indices in slot order).
    void linkDragged(std::size_t from, std::size_t to);
    /// "Remove link" on the line between the two systems.
    void unlinkRequested(std::size_t from, std::size_t to);
    /// A double-click on a system's circle: its slot (0-based).
    void systemDoubleClicked(int slot);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    QPointF origin() const;

    MapGraph graph_;
    MapPictureLayout layout_;
    std::optional<std::size_t> dragFrom_;
    QPointF dragTo_;
};

}  // namespace mw::ui
