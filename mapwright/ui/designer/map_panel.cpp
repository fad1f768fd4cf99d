#include "map_panel.h"

#include <QMouseEvent>
#include <QPainter>

namespace mw::ui {

MapPanel::MapPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel4"));
    setFixedSize(kSize, kSize);
    setMouseTracking(true);
    setAutoFillBackground(true);
    setCursor(Qt::CrossCursor);
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
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::red);
    p.setBrush(Qt::red);
    p.drawEllipse(QRectF(243, 243, 6, 6).adjusted(0.5, 0.5, -0.5, -0.5));
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
    emit cursorMoved(pixel);
    emit clicked(pixel);
}

}  // namespace mw::ui
