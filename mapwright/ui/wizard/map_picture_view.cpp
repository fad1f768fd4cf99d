#include "map_picture_view.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "check/picture_hits.h"
#include "map_picture/map_picture.h"

namespace mw::ui {

namespace {

// Larger than this, the labels look out of place beside the window's own texts.
constexpr double kMostScale = 1.25;
// How near a link line a right click must be, in pixels of the widget.
constexpr double kLineTolerance = 6;

}  // namespace

MapPictureView::MapPictureView(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setToolTip(
        QStringLiteral("Drag from one system to another to link them both ways; "
                       "right-click a link to remove it"));
}

void MapPictureView::showMap(const MapGraph& graph) {
    graph_ = graph;
    layout_ = layoutMapPicture(graph);
    dragFrom_.reset();
    update();
}

double MapPictureView::scale() const {
    const QRect box = contentsRect();
    if (layout_.width <= 0 || layout_.height <= 0 || box.isEmpty()) return 1;
    return std::min({box.width() / layout_.width, box.height() / layout_.height, kMostScale});
}

QPointF MapPictureView::origin() const {
    const QRect box = contentsRect();
    const double s = scale();
    return {box.left() + (box.width() - layout_.width * s) / 2,
            box.top() + (box.height() - layout_.height * s) / 2};
}

QPointF MapPictureView::toWidget(Point p) const {
    return origin() + QPointF(p.x, p.y) * scale();
}

Point MapPictureView::toPicture(QPointF p) const {
    const QPointF q = (p - origin()) / scale();
    return {q.x(), q.y()};
}

QPoint MapPictureView::systemCentre(std::size_t system) const {
    return toWidget(layout_.nodes.at(system).centre).toPoint();
}

void MapPictureView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.save();
    painter.translate(origin());
    painter.scale(scale(), scale());
    paintMapPicture(painter, layout_);
    painter.restore();
    if (dragFrom_) {
        // The link being dragged, from the system's node to the mouse.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
        painter.drawLine(toWidget(layout_.nodes[*dragFrom_].centre), dragTo_);
    }
}

void MapPictureView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        if (const auto system = NodeAt(layout_, toPicture(event->position()))) {
            dragFrom_ = system;
            dragTo_ = event->position();
            return;
        }
    QFrame::mousePressEvent(event);
}

void MapPictureView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragFrom_) return QFrame::mouseMoveEvent(event);
    dragTo_ = event->position();
    update();
}

void MapPictureView::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragFrom_ || event->button() != Qt::LeftButton) return QFrame::mouseReleaseEvent(event);
    const std::size_t from = *dragFrom_;
    dragFrom_.reset();
    update();
    const auto to = NodeAt(layout_, toPicture(event->position()));
    if (to && *to != from) emit linkDragged(from, *to);
}

void MapPictureView::contextMenuEvent(QContextMenuEvent* event) {
    const auto line = LineAt(layout_, toPicture(event->pos()), kLineTolerance / scale());
    if (!line || *line >= graph_.links.size()) return;
    const GraphLink link = graph_.links[*line];
    QMenu menu(this);
    const QAction* remove = menu.addAction(QStringLiteral("Remove link"));
    if (menu.exec(event->globalPos()) == remove) emit unlinkRequested(link.from, link.to);
}

void MapPictureView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (const auto system = NodeAt(layout_, toPicture(event->position()))) {
        emit systemDoubleClicked(static_cast<int>(*system));
        return;
    }
    QFrame::mouseDoubleClickEvent(event);
}

}  // namespace mw::ui
