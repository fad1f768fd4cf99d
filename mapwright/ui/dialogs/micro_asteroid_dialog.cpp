#include "micro_asteroid_dialog.h"

#include <QComboBox>
#include <QLabel>

#include "dialog_controls.h"
#include "document/system_document.h"
#include "system_designer/object_dialogs.h"
#include "widgets/text.h"

namespace mw::ui {

Tmas::Tmas(EditorContext& context, QWidget* owner)
    : ObjectDialog(ObjectKind::MicroAsteroid, "mas", QStringLiteral("Micro asteroid properties"),
                   QStringLiteral("Set \"Z\" coordiante"), context, owner) {
    ComboBox1 =
        dropDown("ComboBox1", microAsteroidTypes(), field_capacity::kMicroAsteroidType, this);
    addField(QStringLiteral("Type"), ComboBox1);
    Label2 = addIndexLabel();
}

void Tmas::FormShow() {
    showText(ComboBox1, microAsteroidDialogValues(tables(), index()).type);
    Label2->setText(fromModel(indexLabel(index())));
}

bool Tmas::confirm() {
    return document().confirmDialog(MicroAsteroidDialogValues{textOf(ComboBox1)});
}

}  // namespace mw::ui
