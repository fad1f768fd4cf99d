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
    QStringList list;
    for (std::string_view item : items) list.append(fromModel(item));
    QComboBox* combo = choiceField(list, maxLength, parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setMaxVisibleItems(16);
    combo->setMinimumWidth(kFieldWidth);
    // Completion keeps the case the user types: "None" and "none" are different owners.
    combo->completer()->setCaseSensitivity(Qt::CaseSensitive);
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
    QLineEdit* e = textField(maxLength, parent);
    e->setObjectName(QString::fromLatin1(name));
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
