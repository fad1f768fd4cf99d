#include "embedded_pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace mw::ui {

QPixmap embeddedPixmap(const QString& name, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(name));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return pixmap;
}

QIcon embeddedIcon(const QString& name) {
    QIcon icon;
    for (int size : {16, 20, 24, 32}) icon.addPixmap(embeddedPixmap(name, size));
    return icon;
}

}  // namespace mw::ui
