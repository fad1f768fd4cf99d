#pragma once
// Pictures compiled into the editor: the tool icons of the designer's buttons
// and the help legend, and the toolbar icons. They are drawn from the same
// SVG sources as the picture files beside the executable.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace mw::ui {

/// "pln", "toolbar/new", ...: the picture drawn at the given size, with
/// `ratio` device pixels to a pixel.
QPixmap embeddedPixmap(const QString& name, int size, qreal ratio = 1);
/// The same as an icon with the common sizes.
QIcon embeddedIcon(const QString& name);

}  // namespace mw::ui
