#pragma once
// The application's title: the caption of its message boxes.

#include <QString>

namespace mw::ui {

inline const QString kApplicationTitle = QStringLiteral("Velmora Map Editor v2.2");

}  // namespace mw::ui
