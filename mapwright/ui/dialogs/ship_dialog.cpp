#include "ship_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSignalBlocker>

#include "dialog_controls.h"
#include "document/system_document.h"
#include "ship_help.h"
#include "system_designer/object_dialogs.h"
#include "widgets/text.h"

namespace mw::ui {

Tsh::Tsh(EditorContext& context, QWidget* owner)
    : ObjectDialog(ObjectKind::Ship, "sh", QStringLiteral("Ship properties"),
                   QStringLiteral("Set 'Z' coordinate"), context, owner) {
    namespace cap = field_capacity;
    ComboBox1 = dropDown("ComboBox1", shipTypes(), cap::kShipType, this);
    ComboBox1->setMaxVisibleItems(20);
    Button4 = button("Button4", QStringLiteral("Help"), this);
    connect(Button4, &QPushButton::clicked, this, &Tsh::Button4Click);
    ComboBox2 = dropDown("ComboBox2", ownerChoices(), cap::kShipOwner, this);
    ComboBox3 = dropDown("ComboBox3", rankChoices(), cap::kIntegerText, this);
    ComboBox4 = dropDown("ComboBox4", {}, cap::kIntegerText, this);
    for (QComboBox* number : {ComboBox3, ComboBox4}) {
        number->setMinimumWidth(0);
        number->setFixedWidth(80);
    }
    CheckBox1 = new QCheckBox(QStringLiteral("Deployed (only bases)"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    addField(QStringLiteral("Ship type"), ComboBox1, Button4);
    addField(QStringLiteral("Owner"), ComboBox2);
    addField(QStringLiteral("Rank"), ComboBox3);
    addField(QStringLiteral("Number of ships"), ComboBox4);
    addBelow(CheckBox1);
    setTabOrder(ComboBox4, CheckBox1);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &Tsh::ComboBox1Change);
}

void Tsh::FormShow() {
    const ShipDialogOpening opening = shipDialogOpening(tables(), index());
    const ShipDialogValues& v = opening.values;
    // The stored number stays: only a type the user chooses sets it.
    const QSignalBlocker block(ComboBox1);
    showText(ComboBox1, v.type);
    showText(ComboBox2, v.owner);
    showText(ComboBox3, v.rank);
    setChoices(ComboBox4, opening.numberChoices);
    showText(ComboBox4, v.numberOfShips);
    CheckBox1->setChecked(v.deployed);
}

void Tsh::ComboBox1Change(const QString& type) {
    const ShipNumbers numbers = shipNumberChoices(toModel(type));
    setChoices(ComboBox4, numbers.choices);
    showText(ComboBox4, numbers.onTypeChange);
}

void Tsh::Button4Click() {
    if (help_) help_->exec();
}

bool Tsh::confirm() {
    return document().confirmDialog(ShipDialogValues{textOf(ComboBox1), textOf(ComboBox2),
                                                     textOf(ComboBox3), textOf(ComboBox4),
                                                     CheckBox1->isChecked()});
}

}  // namespace mw::ui
