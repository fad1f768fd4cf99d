#include "map_picture_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "map_picture/map_picture.h"

namespace mw::ui {

namespace {

// Larger than this, the labels look out of place beside the window's own texts.
constexpr double kMostScale = 1.25;

}  // namespace

MapPictureView::MapPictureView(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void MapPictureView::showMap(const MapGraph& graph) {
    layout_ = layoutMapPicture(graph);
    update();
}

double MapPictureView::scale() const {
    const QRect box = contentsRect();
    if (layout_.width <= 0 || layout_.height <= 0 || box.isEmpty()) return 1;
    return std::min({box.width() / layout_.width, box.height() / layout_.height, kMostScale});
}

void MapPictureView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect box = contentsRect();
    painter.setClipRect(box);
    const double s = scale();
    painter.translate(box.left() + (box.width() - layout_.width * s) / 2,
                      box.top() + (box.height() - layout_.height * s) / 2);
    painter.scale(s, s);
    paintMapPicture(painter, layout_);
}

void MapPictureView::mouseDoubleClickEvent(QMouseEvent* event) {
    // Back from the box's pixels to the layout's, as paintEvent draws it.
    const QRect box = contentsRect();
    const double s = scale();
    const QPointF at =
        (event->position() - QPointF(box.left() + (box.width() - layout_.width * s) / 2,
                                     box.top() + (box.height() - layout_.height * s) / 2)) /
        s;
    for (std::size_t i = 0; i < layout_.nodes.size(); ++i) {
        const PictureNode& node = layout_.nodes[i];
        const double dx = at.x() - node.centre.x, dy = at.y() - node.centre.y;
        if (dx * dx + dy * dy <= node.radius * node.radius) {
            emit systemDoubleClicked(static_cast<int>(i));
            return;
        }
    }
    QFrame::mouseDoubleClickEvent(event);
}

}  // namespace mw::ui
