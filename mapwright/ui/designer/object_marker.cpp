#include "object_marker.h"

namespace mw::ui {

ObjectMarker::ObjectMarker(ObjectKind kind, int index, QPoint pixel, const QString& caption,
                           const QString& hint, QWidget* mapPanel)
    : QPushButton(caption, mapPanel), kind_(kind), index_(index) {
    setGeometry(pixel.x() - kSize / 2, pixel.y() - kSize / 2, kSize, kSize);
    setToolTip(hint);
    setStatusTip(hint);
    setFocusPolicy(Qt::NoFocus);
}

}  // namespace mw::ui
