#include "field_rules.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QValidator>

#include "common/field_text.h"
#include "text.h"

namespace mw::ui {

namespace {

bool storable(const QString& text) {
    return CanStoreText(text.toStdU32String());
}

class StorableText : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return storable(input) ? Acceptable : Invalid;
    }
};

// A text that is no number yet: what an emptied field or a sign alone holds.
bool noNumber(const QString& text) {
    const QString bare = text.trimmed();
    return bare.isEmpty() || bare == QLatin1String("-") || bare == QLatin1String("+");
}

class NumberField : public QSpinBox {
  public:
    using QSpinBox::QSpinBox;

  protected:
    QValidator::State validate(QString& input, int& pos) const override {
        if (!storable(input)) return QValidator::Invalid;
        if (noNumber(input) && minimum() <= 0 && maximum() >= 0) return QValidator::Acceptable;
        return QSpinBox::validate(input, pos);
    }
    int valueFromText(const QString& text) const override {
        return noNumber(text) ? NumberOrZero(toModel(text)) : QSpinBox::valueFromText(text);
    }
};

}  // namespace

void keepStorable(QLineEdit* edit) {
    edit->setValidator(new StorableText(edit));
}

void keepStorable(QComboBox* combo) {
    combo->setValidator(new StorableText(combo));
}

QLineEdit* textField(int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(maxLength);
    keepStorable(edit);
    return edit;
}

QComboBox* choiceField(const QStringList& items, int maxLength, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->lineEdit()->setMaxLength(maxLength);
    keepStorable(combo);
    return combo;
}

QSpinBox* numberField(int minimum, int maximum, QWidget* parent) {
    auto* spin = new NumberField(parent);
    spin->setRange(minimum, maximum);
    return spin;
}

}  // namespace mw::ui
