#include "object_marker.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "widgets/text.h"

namespace mw::ui {

ObjectMarker::ObjectMarker(const MarkerView& view, QWidget* mapPanel)
    : QPushButton(fromModel(view.caption), mapPanel),
      kind_(view.kind),
      label_(fromModel(view.label)),
      index_(view.index) {
    setGeometry(view.left(), view.top(), kMarkerSize, kMarkerSize);
    const QString hint = fromModel(view.hint);
    setToolTip(hint);
    setStatusTip(hint);
    setFocusPolicy(Qt::NoFocus);
}

}  // namespace mw::ui

namespace mw::ui {

void ObjectMarker::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawControl(QStyle::CE_PushButtonBevel, option);
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawText(rect(), Qt::AlignCenter, text());
    if (keyFocus_ || highlighted_) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void ObjectMarker::setHighlighted(bool highlighted) {
    if (highlighted_ == highlighted) return;
    highlighted_ = highlighted;
    update();
}

void ObjectMarker::setKeyFocus(bool focused) {
    if (keyFocus_ == focused) return;
    keyFocus_ = focused;
    update();
}

}  // namespace mw::ui

namespace mw::ui {

void ObjectMarker::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        dragging_ = false;
        pressedAt_ = event->position().toPoint();
        home_ = pos();
    }
    QPushButton::mousePressEvent(event);
}

void ObjectMarker::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (pressed_ && !dragging_ &&
        (at - pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
        dragging_ = true;
        setDown(false);  // a drag is no click
        raise();
    }
    if (!dragging_) {
        QPushButton::mouseMoveEvent(event);
        return;
    }
    // The marker centres on the pixel under the mouse, as it will stand there.
    const QPoint pixel = mapToParent(at);
    move(pixel - QPoint(kMarkerSize / 2, kMarkerSize / 2));
    emit dragged(pixel);
}

void ObjectMarker::mouseReleaseEvent(QMouseEvent* event) {
    const bool drop = event->button() == Qt::LeftButton && dragging_;
    const QPoint pixel = mapToParent(event->position().toPoint());
    if (event->button() == Qt::LeftButton) pressed_ = dragging_ = false;
    if (drop) move(home_);  // a drop that moves nothing leaves it there; a move replaces it
    QPushButton::mouseReleaseEvent(event);  // no click after a drag: the button is up
    if (drop) emit dropped(pixel);
}

}  // namespace mw::ui
