#include "object_marker.h"

#include "text.h"

namespace mw::ui {

ObjectMarker::ObjectMarker(const MarkerView& view, QWidget* mapPanel)
    : QPushButton(fromModel(view.caption), mapPanel), kind_(view.kind), index_(view.index) {
    setGeometry(view.left(), view.top(), kMarkerSize, kMarkerSize);
    const QString hint = fromModel(view.hint);
    setToolTip(hint);
    setStatusTip(hint);
    setFocusPolicy(Qt::NoFocus);
}

}  // namespace mw::ui
