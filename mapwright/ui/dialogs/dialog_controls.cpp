#include "dialog_controls.h"

#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "widgets/field_rules.h"
#include "widgets/text.h"

namespace mw::ui {

namespace {

// Wide enough for the longest suggestion of any dialog ("_H_P_CruiserTurret_spec").
constexpr int kFieldWidth = 190;

}  // namespace

QComboBox* dropDown(const char* name, std::span<const std::string_view> items, int maxLength,
                    QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(16);
    combo->setMinimumWidth(kFieldWidth);
    combo->lineEdit()->setMaxLength(maxLength);
    keepStorable(combo);
    // Completion keeps the case the user types: "None" and "none" are different owners.
    combo->completer()->setCaseSensitivity(Qt::CaseSensitive);
    for (std::string_view item : items) combo->addItem(fromModel(item));
    return combo;
}

void setChoices(QComboBox* combo, const std::vector<std::string>& items) {
    const QSignalBlocker block(combo);
    combo->clear();
    for (const std::string& item : items) combo->addItem(fromModel(item));
}

void showText(QComboBox* combo, std::string_view text) {
    const QString shown = fromModel(text);
    combo->setCurrentIndex(combo->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive));
    combo->setEditText(shown);
}

std::string textOf(const QComboBox* combo) {
    return toModel(combo->currentText());
}

QLineEdit* edit(const char* name, int maxLength, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    keepStorable(e);
    e->setMinimumWidth(kFieldWidth);
    return e;
}

QSpinBox* spinEdit(const char* name, int minimum, int maximum, QWidget* parent) {
    QSpinBox* spin = numberField(minimum, maximum, parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setAccelerated(true);
    spin->setFixedWidth(130);
    return spin;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QHBoxLayout* buttonRow(QPushButton* ok, QPushButton* cancel, QWidget* leading) {
    auto* row = new QHBoxLayout;
    if (leading) row->addWidget(leading);
    row->addStretch(1);
    // The box only orders the two buttons as the desktop expects; they keep their names.
    auto* box = new QDialogButtonBox;
    box->addButton(ok, QDialogButtonBox::AcceptRole);
    box->addButton(cancel, QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    for (QPushButton* b : {ok, cancel}) b->setMinimumWidth(75);
    row->addWidget(box);
    return row;
}

void makeBold(QLabel* label) {
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
}

}  // namespace mw::ui
