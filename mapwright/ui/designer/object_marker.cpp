#include "object_marker.h"

#include <QStyleOptionButton>
#include <QStylePainter>

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

namespace mw::ui {

void ObjectMarker::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawControl(QStyle::CE_PushButtonBevel, option);
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawText(rect(), Qt::AlignCenter, text());
}

}  // namespace mw::ui
