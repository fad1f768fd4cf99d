#pragma once
// The map picture in a box of a window: laid out by the model, painted by
// the picture library, scaled to fit the box (never above a little over its
// own size, so a map of one system does not turn into a poster). A drag from
// one system to another asks for a link between them; the context menu on a
// link line offers to remove it.
//
// Reading the design files, checking the map and laying out and painting a
// map of ten thousand jump nodes takes longer than a window may stand still,
// so a picture is worked out on a thread of the view's own and handed back
// to the window's thread. The newest map asked for always wins: a drawing
// asked for while another is under way replaces any still waiting, and a
// drawing finished after a newer one was asked for is never shown. Until
// the newest is there, the picture shown is the one before, taking no drags
// or clicks (its systems may no longer be the map's), and dimmed with a
// "Drawing" note when it takes long enough to be seen.

#include <QFrame>
#include <QImage>
#include <QThreadPool>
#include <QTimer>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "check/map_picture_layout.h"

namespace mw::ui {

class MapPictureView : public QFrame {
    Q_OBJECT
  public:
    /// Gives the graph of the map to draw. It runs on another thread, so it
    /// holds copies of whatever it reads, never the window's state.
    using GraphJob = std::function<MapGraph()>;

    explicit MapPictureView(QWidget* parent);
    ~MapPictureView() override;

    /// Draws the map the job gives, off the window's thread.
    void drawMap(GraphJob job);
    /// A newer map than the one shown is being drawn.
    bool drawing() const { return requested_ != shown_; }
    /// What the box shows now (the last map drawn).
    const MapPictureLayout& layout() const { return layout_; }
    /// Why the last map could not be drawn; empty when it was.
    const QString& failure() const { return failure_; }
    /// The factor the picture is drawn at in the box's present size.
    double scale() const;
    /// Where a point of the picture is drawn in the widget, and back.
    QPointF toWidget(Point p) const;
    Point toPicture(QPointF p) const;
    /// The centre of a system's node in the widget.
    QPoint systemCentre(std::size_t system) const;
    /// Runs on the drawing thread before every job (tests hold a drawing there).
    void setBeforeJob(std::function<void()> hook) { beforeJob_ = std::move(hook); }

  signals:
    /// The newest map asked for is shown.
    void drawn();
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
    struct Drawing;
    void startNext();
    void finished(const Drawing& drawing);
    QPointF origin() const;
    /// The picture as the box shows it, at its present size and pixel ratio.
    const QImage& picture();

    MapGraph graph_;
    MapPictureLayout layout_;
    QString failure_;
    QImage picture_;  // the layout painted into the box, kept between paints
    std::optional<std::size_t> dragFrom_;
    QPointF dragTo_;

    std::uint64_t requested_ = 0;  // the newest map asked for
    std::uint64_t shown_ = 0;      // the map shown
    std::optional<GraphJob> waiting_;
    bool running_ = false;
    bool dimmed_ = false;
    QTimer dimAfter_;  // a drawing this long is worth saying so
    std::function<void()> beforeJob_;
    QThreadPool pool_;  // last: a drawing under way ends before the rest goes
};

}  // namespace mw::ui
