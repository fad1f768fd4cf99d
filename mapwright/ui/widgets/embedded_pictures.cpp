#include "embedded_pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace mw::ui {

QPixmap embeddedPixmap(const QString& name, int size, qreal ratio) {
    const int device = qRound(size * ratio);
    QPixmap pixmap(device, device);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(name));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon embeddedIcon(const QString& name) {
    QIcon icon;
    // Drawn for each size it is shown at, at one and two device pixels a pixel.
    for (int size : {16, 20, 21, 24, 32}) {
        icon.addPixmap(embeddedPixmap(name, size));
        icon.addPixmap(embeddedPixmap(name, size, 2));
    }
    return icon;
}

}  // namespace mw::ui
