#include "nebula_dialog.h"

#include <QComboBox>

#include "dialog_controls.h"
#include "document/system_document.h"
#include "system_designer/object_dialogs.h"

namespace mw::ui {

Tne::Tne(EditorContext& context, QWidget* owner)
    : ObjectDialog(ObjectKind::Nebula, "ne", QStringLiteral("Nebulae properties"),
                   QStringLiteral("Set 'Z' coordinate"), context, owner) {
    ComboBox1 = dropDown("ComboBox1", nebulaTypes(), field_capacity::kNebulaType, this);
    addField(QStringLiteral("Nebulae/cloud type:"), ComboBox1);
}

void Tne::FormShow() {
    showText(ComboBox1, nebulaDialogValues(tables(), index()).type);
}

bool Tne::confirm() {
    return document().confirmDialog(NebulaDialogValues{textOf(ComboBox1)});
}

}  // namespace mw::ui
