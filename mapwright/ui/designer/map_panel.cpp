#include "map_panel.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "object_marker.h"

namespace mw::ui {

MapPanel::MapPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel4"));
    setFixedSize(kSize, kSize);
    setMouseTracking(true);
    setAutoFillBackground(true);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
    // The markers inherit it: two letters must fit on a 16x16 button.
    QFont small = font();
    small.setPixelSize(9);
    setFont(small);
}

void MapPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Mid);
    const int last = kSize - 1;
    // Outer bevel lowered, inner raised.
    const auto bevel = [&p, last](int inset, const QColor& topLeft, const QColor& bottomRight) {
        const int a = inset;
        const int b = last - inset;
        p.setPen(topLeft);
        p.drawLine(a, a, b, a);
        p.drawLine(a, a, a, b);
        p.setPen(bottomRight);
        p.drawLine(b, a, b, b);
        p.drawLine(a, b, b, b);
    };
    bevel(0, dark, light);
    bevel(1, light, dark);

    p.setPen(Qt::black);
    p.drawLine(246, 236, 246, 256);
    p.drawLine(236, 246, 256, 246);

    if (hasFocus()) {
        // The map has the keyboard: a dotted frame, and the cursor unless a marker has it.
        const QColor highlight = palette().color(QPalette::Highlight);
        p.setPen(QPen(highlight, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(3, 3, -4, -4));
        if (!focusedMarker()) {
            p.setPen(highlight);
            p.drawRect(QRect(cursor_ - QPoint(5, 5), QSize(10, 10)));
            p.drawLine(cursor_ - QPoint(8, 0), cursor_ - QPoint(3, 0));
            p.drawLine(cursor_ + QPoint(3, 0), cursor_ + QPoint(8, 0));
            p.drawLine(cursor_ - QPoint(0, 8), cursor_ - QPoint(0, 3));
            p.drawLine(cursor_ + QPoint(0, 3), cursor_ + QPoint(0, 8));
        }
    }

    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::red);
    p.setBrush(Qt::red);
    p.drawEllipse(QRectF(243, 243, 6, 6).adjusted(0.5, 0.5, -0.5, -0.5));

    if (showNames_) {
        // Small text right of each marker, on the panel itself: the markers
        // stay the only things a click reaches.
        QFont small = font();
        small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.8));
        p.setFont(small);
        p.setPen(palette().color(QPalette::WindowText));
        for (const ObjectMarker* m : findChildren<ObjectMarker*>(Qt::FindDirectChildrenOnly)) {
            if (m->isHidden() || m->label().isEmpty()) continue;
            const QRect face = m->geometry();
            p.drawText(QRect(face.right() + 3, face.top() - 2, kSize, face.height() + 4),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m->label());
        }
    }
}

void MapPanel::setShowNames(bool show) {
    if (showNames_ == show) return;
    showNames_ = show;
    update();
}

void MapPanel::mouseMoveEvent(QMouseEvent* event) {
    emit cursorMoved(event->position().toPoint());
}

void MapPanel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void MapPanel::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a press and a release of the left button over the panel.
    const QPoint pixel = event->position().toPoint();
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(pixel);
    pressed_ = false;
    if (!click) return;
    // The keyboard goes on from where the mouse clicked.
    focusMarker(nullptr);
    cursor_ = pixel;
    update();
    emit cursorMoved(pixel);
    emit clicked(pixel);
}

ObjectMarker* MapPanel::focusedMarker() const {
    // A deleted marker is hidden at once and goes a moment later.
    return marker_ && !marker_->isHidden() ? marker_.data() : nullptr;
}

void MapPanel::focusMarker(ObjectMarker* marker) {
    if (marker_ == marker) return;
    if (marker_) {
        marker_->setKeyFocus(false);
        marker_->setHighlighted(false);
    }
    marker_ = marker;
    if (marker_) {
        marker_->setKeyFocus(hasFocus());
        marker_->setHighlighted(true);
        marker_->raise();  // a covered marker shows while it has the keyboard
        cursor_ = marker_->pixel();
        emit cursorMoved(cursor_);
    }
    update();
    emit markerFocused(marker_);
}

QList<ObjectMarker*> MapPanel::tabOrder() const {
    QList<ObjectMarker*> markers;
    for (ObjectMarker* m : findChildren<ObjectMarker*>(Qt::FindDirectChildrenOnly))
        if (!m->isHidden()) markers.append(m);
    std::sort(markers.begin(), markers.end(), [](const ObjectMarker* a, const ObjectMarker* b) {
        return std::pair(a->kind(), a->tag()) < std::pair(b->kind(), b->tag());
    });
    return markers;
}

bool MapPanel::focusNextPrevChild(bool next) {
    if (!hasFocus()) return QWidget::focusNextPrevChild(next);
    // Tab goes through the markers, then on out of the map; Shift+Tab back to the cursor.
    const QList<ObjectMarker*> markers = tabOrder();
    const qsizetype at = markers.indexOf(focusedMarker());
    if (next && at + 1 < markers.size()) {
        focusMarker(markers[at + 1]);
        return true;
    }
    if (!next && at >= 0) {
        focusMarker(at > 0 ? markers[at - 1] : nullptr);
        return true;
    }
    focusMarker(nullptr);
    return QWidget::focusNextPrevChild(next);
}

void MapPanel::moveKeyCursor(QPoint pixel) {
    focusMarker(nullptr);
    cursor_ = QPoint(std::clamp(pixel.x(), 0, kSize - 1), std::clamp(pixel.y(), 0, kSize - 1));
    update();
    emit cursorMoved(cursor_);
}

void MapPanel::keyPressEvent(QKeyEvent* event) {
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    ObjectMarker* marker = focusedMarker();
    const QPoint from = marker ? marker->pixel() : cursor_;
    switch (event->key()) {
        case Qt::Key_Left:
            return moveKeyCursor(from - QPoint(step, 0));
        case Qt::Key_Right:
            return moveKeyCursor(from + QPoint(step, 0));
        case Qt::Key_Up:
            return moveKeyCursor(from - QPoint(0, step));
        case Qt::Key_Down:
            return moveKeyCursor(from + QPoint(0, step));
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (marker) return emit markerActivated(marker);
            [[fallthrough]];
        case Qt::Key_Space: {
            // As the mouse would: a marker under the cursor takes the click.
            if (!marker) marker = qobject_cast<ObjectMarker*>(childAt(cursor_));
            if (marker) return emit markerClicked(marker);
            emit cursorMoved(cursor_);
            return emit clicked(cursor_);
        }
        case Qt::Key_Delete:
            if (marker) return emit markerDeleteRequested(marker);
            break;
        default:
            if (plain && event->key() >= Qt::Key_1 && event->key() <= Qt::Key_8)
                return emit toolKeyPressed(event->key() - Qt::Key_1);
            break;
    }
    QWidget::keyPressEvent(event);
}

void MapPanel::focusInEvent(QFocusEvent* event) {
    // Come in with Tab or Shift+Tab: the keyboard starts at the cursor.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        focusMarker(nullptr);
    if (marker_) marker_->setKeyFocus(true);
    update();
    QWidget::focusInEvent(event);
}

void MapPanel::focusOutEvent(QFocusEvent* event) {
    if (marker_) marker_->setKeyFocus(false);
    update();
    QWidget::focusOutEvent(event);
}

}  // namespace mw::ui
