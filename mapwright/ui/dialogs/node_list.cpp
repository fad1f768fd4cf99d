#include "node_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_controls.h"
#include "document/system_document.h"
#include "system/jump_node_links.h"
#include "system_designer/object_dialogs.h"
#include "widgets/text.h"

namespace mw::ui {

TNodeList::TNodeList(SystemDocument& document, QWidget* owner)
    : QDialog(owner, kFixedDialog), document_(document) {
    setObjectName(QStringLiteral("NodeList"));
    setWindowTitle(QStringLiteral("Select Node"));
    setModal(true);

    ComboBox1 = dropDown("ComboBox1", {}, field_capacity::kLeadsTo, this);
    ComboBox1->setMinimumWidth(260);
    auto* Label1 = new QLabel(QStringLiteral("Jumpnode leads to:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    makeBold(Label1);
    Label2 = new QLabel(fromModel(JumpNodeLinks::kNotConnected), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    CheckBox1 = new QCheckBox(QStringLiteral("Link both ways"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(true);
    CheckBox1->setToolTip(
        QStringLiteral("The chosen node's system file is changed too, so it leads back here"));
    Button1 = button("Button1", QStringLiteral("OK"), this);
    Button2 = button("Button2", QStringLiteral("Cancel"), this);
    connect(Button1, &QPushButton::clicked, this, &TNodeList::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ComboBox1, &QComboBox::currentTextChanged, this, &TNodeList::ComboBox1Change);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    auto* caption = new QLabel(QStringLiteral("Jump node"), this);
    caption->setBuddy(ComboBox1);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(ComboBox1, 0, 1);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(Label2, 1, 1);
    grid->addWidget(CheckBox1, 2, 0, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(16);
    layout->addLayout(grid);
    layout->addLayout(buttonRow(Button1, Button2));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TNodeList::offer(const std::vector<std::string>& entries) {
    setChoices(ComboBox1, entries);
    ComboBox1->setCurrentIndex(-1);
    showText(ComboBox1, JumpNodeLinks::kNotConnected);
    ComboBox1->setFocus();
    return exec();
}

void TNodeList::ComboBox1Change(const QString& text) {
    // A text that names no node leaves the label as it was.
    if (const auto shown = document_.designer().links().leadsToShown(toModel(text)))
        Label2->setText(fromModel(*shown));
}

void TNodeList::Button1Click() {
    if (document_.chooseLink(ComboBox1->currentText(), CheckBox1->isChecked())) accept();
}

}  // namespace mw::ui
