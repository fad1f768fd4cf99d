#include "z_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_controls.h"
#include "document/system_document.h"
#include "widgets/field_rules.h"

namespace mw::ui {

Tmagassag::Tmagassag(SystemDocument& document, QWidget* owner)
    : QDialog(owner, kFixedDialog), document_(document) {
    setObjectName(QStringLiteral("magassag"));
    setWindowTitle(QStringLiteral("Z Coordinate"));
    setModal(true);

    Label1 = new QLabel(QStringLiteral("Write here the Z coordinate: (only numbers!)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(QStringLiteral("0"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    keepStorable(Edit1);
    Label1->setBuddy(Edit1);
    Button1 = button("Button1", QStringLiteral("OK"), this);
    Button2 = button("Button2", QStringLiteral("Cancel"), this);
    connect(Button1, &QPushButton::clicked, this, &Tmagassag::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tmagassag::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(6);
    layout->addWidget(Label1);
    layout->addWidget(Edit1);
    layout->addSpacing(10);
    layout->addLayout(buttonRow(Button1, Button2));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int Tmagassag::openFor(ObjectKind kind) {
    Edit1->setText(document_.beginZ(kind));
    Edit1->selectAll();
    Edit1->setFocus();
    return exec();
}

void Tmagassag::Button1Click() {
    if (document_.confirmZ(Edit1->text())) accept();
}

void Tmagassag::reject() {
    Edit1->setText(document_.cancelZ());
    QDialog::reject();
}

}  // namespace mw::ui
