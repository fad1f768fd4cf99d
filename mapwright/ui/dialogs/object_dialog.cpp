#include "object_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_controls.h"
#include "document/editor_context.h"
#include "document/system_document.h"
#include "z_dialog.h"

namespace mw::ui {

ObjectDialog::ObjectDialog(ObjectKind kind, const char* name, const QString& caption,
                           const QString& zCaption, EditorContext& context, QWidget* owner)
    : QDialog(owner, kFixedDialog), kind_(kind), context_(context), fields_(new QGridLayout) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setModal(true);

    Button1 = button("Button1", QStringLiteral("OK"), this);
    Button2 = button("Button2", QStringLiteral("Cancel"), this);
    Button3 = button("Button3", zCaption, this);
    connect(Button1, &QPushButton::clicked, this, &ObjectDialog::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button3, &QPushButton::clicked, this, &ObjectDialog::Button3Click);

    fields_->setHorizontalSpacing(12);
    fields_->setVerticalSpacing(8);
    fields_->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(16);
    layout->addLayout(fields_);
    layout->addStretch(1);
    layout->addLayout(buttonRow(Button1, Button2, Button3));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ObjectDialog::addField(const QString& label, QWidget* field, QWidget* beside) {
    const int row = fields_->rowCount();
    auto* caption = new QLabel(label, this);
    caption->setBuddy(field);
    fields_->addWidget(caption, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
    // A field of fixed width (numbers) stands at the left, the others fill the column.
    const bool narrow = field->maximumWidth() < QWIDGETSIZE_MAX;
    fields_->addWidget(field, row, 1, 1, beside ? 1 : 2, narrow ? Qt::AlignLeft : Qt::Alignment());
    if (beside) fields_->addWidget(beside, row, 2);
    // Tab goes down the fields, then to the buttons.
    if (!firstField_) firstField_ = field;
    if (lastField_) setTabOrder(lastField_, field);
    lastField_ = beside ? beside : field;
    if (beside) setTabOrder(field, beside);
    setTabOrder(lastField_, Button3);
    setTabOrder(Button3, Button1);
    setTabOrder(Button1, Button2);
}

void ObjectDialog::addBelow(QWidget* widget) {
    fields_->addWidget(widget, fields_->rowCount(), 1, 1, 2);
}

QLabel* ObjectDialog::addIndexLabel() {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("Label2"));
    label->setForegroundRole(QPalette::PlaceholderText);
    fields_->addWidget(label, fields_->rowCount(), 0, 1, 3);
    return label;
}

int ObjectDialog::openForCurrent() {
    FormShow();
    if (firstField_) firstField_->setFocus();
    return exec();
}

void ObjectDialog::Button1Click() {
    if (confirm()) accept();
}

void ObjectDialog::Button3Click() {
    if (zDialog_) zDialog_->openFor(kind_);
}

int ObjectDialog::index() const {
    return tables().currentObjectIndex;
}

const SystemModel& ObjectDialog::tables() const {
    return context_.document.designer().tables();
}

SystemDocument& ObjectDialog::document() const {
    return context_.document;
}

}  // namespace mw::ui
