#pragma once
// What the editor calls each designer tool: the tool buttons' tooltips and
// the legend of the system design help.

#include <QString>

#include "system/designer_tools.h"

namespace mw::ui {

QString toolName(Tool tool);
/// The embedded picture of the tool ("pln", ...), as the tool buttons show it.
QString toolPicture(Tool tool);

}  // namespace mw::ui
