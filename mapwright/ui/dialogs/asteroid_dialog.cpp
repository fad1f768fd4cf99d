#include "asteroid_dialog.h"

#include <QComboBox>
#include <QSpinBox>
#include <limits>

#include "dialog_controls.h"
#include "document/system_document.h"
#include "system_designer/object_dialogs.h"

namespace mw::ui {

Tast::Tast(EditorContext& context, QWidget* owner)
    : ObjectDialog(ObjectKind::Asteroid, "ast", QStringLiteral("ast"),
                   QStringLiteral("Set 'Z' coordinate"), context, owner) {
    ComboBox1 = dropDown("ComboBox1", asteroidTypes(), field_capacity::kAsteroidType, this);
    SpinEdit1 = spinEdit("SpinEdit1", std::numeric_limits<int>::min(),
                         std::numeric_limits<int>::max(), this);
    SpinEdit1->setSingleStep(1000);
    addField(QStringLiteral("Type"), ComboBox1);
    addField(QStringLiteral("Capacity"), SpinEdit1);
}

void Tast::FormShow() {
    const AsteroidDialogValues v = asteroidDialogValues(tables(), index());
    showText(ComboBox1, v.type);
    SpinEdit1->setValue(v.capacity);
}

bool Tast::confirm() {
    return document().confirmDialog(AsteroidDialogValues{textOf(ComboBox1), SpinEdit1->value()});
}

}  // namespace mw::ui
