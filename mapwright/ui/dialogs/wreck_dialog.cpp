#include "wreck_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include "dialog_controls.h"
#include "document/system_document.h"
#include "system_designer/object_dialogs.h"
#include "widgets/text.h"

namespace mw::ui {

Twrck::Twrck(EditorContext& context, QWidget* owner)
    : ObjectDialog(ObjectKind::Wreck, "wrck", QStringLiteral("Wreckage properties"),
                   QStringLiteral("Set 'Z' coordinate"), context, owner) {
    ComboBox1 = dropDown("ComboBox1", wreckTypes(), field_capacity::kWreckType, this);
    SpinEdit1 = spinEdit("SpinEdit1", kWreckValueMin, kWreckValueMax, this);
    SpinEdit1->setSingleStep(100);
    addField(QStringLiteral("Wreckage type"), ComboBox1);
    addField(QStringLiteral("Value"), SpinEdit1);
    Label2 = addIndexLabel();
}

void Twrck::FormShow() {
    const WreckDialogValues v = wreckDialogValues(tables(), index());
    showText(ComboBox1, v.type);
    SpinEdit1->setValue(v.value);
    Label2->setText(fromModel(indexLabel(index())));
}

bool Twrck::confirm() {
    return document().confirmDialog(WreckDialogValues{textOf(ComboBox1), SpinEdit1->value()});
}

}  // namespace mw::ui
