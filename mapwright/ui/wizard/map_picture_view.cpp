#include "map_picture_view.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <exception>

#include "check/picture_hits.h"
#include "map_picture/map_picture.h"
#include "widgets/text.h"

namespace mw::ui {

namespace {

// Larger than this, the labels look out of place beside the window's own texts.
constexpr double kMostScale = 1.25;
// How near a link line a right click must be, in pixels of the widget.
constexpr double kLineTolerance = 6;
// A drawing quicker than this is not announced: the picture would only flicker.
constexpr int kDimAfterMs = 150;

double fitScale(const MapPictureLayout& layout, QSize box) {
    if (layout.width <= 0 || layout.height <= 0 || box.isEmpty()) return 1;
    return std::min({box.width() / layout.width, box.height() / layout.height, kMostScale});
}

// The top left corner of the picture within a box of that size.
QPointF fitOrigin(const MapPictureLayout& layout, QSize box) {
    const double s = fitScale(layout, box);
    return {(box.width() - layout.width * s) / 2, (box.height() - layout.height * s) / 2};
}

// The picture as a box of that size shows it, on the box's white.
QImage paintFitted(const MapPictureLayout& layout, QSize box, double pixelRatio) {
    if (box.isEmpty()) return {};
    QImage image(box * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(fitOrigin(layout, box));
    const double s = fitScale(layout, box);
    painter.scale(s, s);
    paintMapPicture(painter, layout);
    return image;
}

}  // namespace

struct MapPictureView::Drawing {
    std::uint64_t number = 0;
    MapGraph graph;
    MapPictureLayout layout;
    QImage picture;
    QString failure;
};

MapPictureView::MapPictureView(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setToolTip(
        QStringLiteral("Drag from one system to another to link them both ways; "
                       "right-click a link to remove it"));
    pool_.setMaxThreadCount(1);
    dimAfter_.setSingleShot(true);
    dimAfter_.setInterval(kDimAfterMs);
    connect(&dimAfter_, &QTimer::timeout, this, [this] {
        dimmed_ = drawing();
        update();
    });
}

MapPictureView::~MapPictureView() {
    // The drawing thread posts its result to this object: it ends first.
    pool_.waitForDone();
}

void MapPictureView::drawMap(GraphJob job) {
    ++requested_;
    waiting_ = std::move(job);  // one still waiting is older: it is never needed
    dragFrom_.reset();
    if (!dimAfter_.isActive() && !dimmed_) dimAfter_.start();
    if (!running_) startNext();
    update();
}

void MapPictureView::startNext() {
    if (!waiting_) return;
    running_ = true;
    GraphJob job = std::move(*waiting_);
    waiting_.reset();
    const std::uint64_t number = requested_;
    const QSize box = contentsRect().size();
    const double pixelRatio = devicePixelRatioF();
    pool_.start([this, job = std::move(job), number, box, pixelRatio, hook = beforeJob_] {
        Drawing d;
        d.number = number;
        try {
            if (hook) hook();
            d.graph = job();
            d.layout = layoutMapPicture(d.graph);
            d.picture = paintFitted(d.layout, box, pixelRatio);
        } catch (const std::exception& e) {
            d.failure = fromModel(e.what());
        }
        QMetaObject::invokeMethod(
            this, [this, d = std::move(d)] { finished(d); }, Qt::QueuedConnection);
    });
}

void MapPictureView::finished(const Drawing& d) {
    running_ = false;
    if (d.number == requested_) {
        // The newest map: shown. Anything older is dropped unseen.
        shown_ = d.number;
        failure_ = d.failure;
        if (failure_.isEmpty()) {
            graph_ = d.graph;
            layout_ = d.layout;
        } else {
            graph_ = {};
            layout_ = {};
        }
        picture_ = d.picture;
        dimmed_ = false;
        dimAfter_.stop();
        update();
        emit drawn();
    }
    startNext();
}

double MapPictureView::scale() const {
    return fitScale(layout_, contentsRect().size());
}

QPointF MapPictureView::origin() const {
    return contentsRect().topLeft() + fitOrigin(layout_, contentsRect().size());
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

const QImage& MapPictureView::picture() {
    // Painted again only when the box changed since (the drawing thread
    // painted it for the box as it was then).
    const QSize box = contentsRect().size();
    if (picture_.deviceIndependentSize().toSize() != box ||
        picture_.devicePixelRatio() != devicePixelRatioF())
        picture_ = paintFitted(layout_, box, devicePixelRatioF());
    return picture_;
}

void MapPictureView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect box = contentsRect();
    painter.setClipRect(box);
    if (!failure_.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(box.adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("The map picture cannot be drawn: ") + failure_);
    } else if (shown_ > 0) {
        painter.drawImage(box.topLeft(), picture());
    }
    if (dimmed_) {
        painter.fillRect(box, QColor(255, 255, 255, 170));
        const QString note = QStringLiteral("Drawing the map...");
        // On a plain patch, so a busy picture does not swallow it.
        QRect patch = fontMetrics().boundingRect(note).adjusted(-8, -4, 8, 4);
        patch.moveCenter(box.center());
        painter.fillRect(patch, Qt::white);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(patch, Qt::AlignCenter, note);
    }
    if (dragFrom_) {
        // The link being dragged, from the system's node to the mouse.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
        painter.drawLine(toWidget(layout_.nodes[*dragFrom_].centre), dragTo_);
    }
}

// While a newer map is being drawn, the systems shown may not be the map's
// any more (a row removed shifts every index after it): the picture takes no
// drag, menu or double-click then.

void MapPictureView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !drawing())
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
    if (to && *to != from && !drawing()) emit linkDragged(from, *to);
}

void MapPictureView::contextMenuEvent(QContextMenuEvent* event) {
    if (drawing()) return;
    const auto line = LineAt(layout_, toPicture(event->pos()), kLineTolerance / scale());
    if (!line || *line >= graph_.links.size()) return;
    const GraphLink link = graph_.links[*line];
    QMenu menu(this);
    const QAction* remove = menu.addAction(QStringLiteral("Remove link"));
    // A map drawn while the menu was open may be another one.
    const std::uint64_t shownAtOpen = shown_;
    if (menu.exec(event->globalPos()) == remove && shown_ == shownAtOpen && !drawing())
        emit unlinkRequested(link.from, link.to);
}

void MapPictureView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!drawing())
        if (const auto system = NodeAt(layout_, toPicture(event->position()))) {
            emit systemDoubleClicked(static_cast<int>(*system));
            return;
        }
    QFrame::mouseDoubleClickEvent(event);
}

}  // namespace mw::ui
