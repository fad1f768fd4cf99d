#pragma once
// One object on the map: a 16x16 push button centred on the object's marker
// pixel, captioned with its kind's letters, its hint on hover, and the
// object's index as its tag.

#include <QPushButton>

#include "system/object_records.h"

namespace mw::ui {

class ObjectMarker : public QPushButton {
    Q_OBJECT
public:
    static constexpr int kSize = 16;

    ObjectMarker(ObjectKind kind, int index, QPoint pixel, const QString& caption,
                 const QString& hint, QWidget* mapPanel);

    ObjectKind kind() const { return kind_; }
    int tag() const { return index_; }
    /// The marker pixel it stands on (its centre).
    QPoint pixel() const { return geometry().topLeft() + QPoint(kSize / 2, kSize / 2); }

private:
    ObjectKind kind_;
    int index_;
};

}  // namespace mw::ui
