#pragma once
// The fields of every window keep to what the model can store: a character
// the files cannot hold is refused as it is typed or pasted, and an emptied
// number field counts as 0 instead of silently keeping its old value.

#include <QStringList>

class QComboBox;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace mw::ui {

/// The edit refuses characters the model cannot store.
void keepStorable(QLineEdit* edit);
/// The same for an editable drop-down's text.
void keepStorable(QComboBox* combo);

/// A text field of up to maxLength characters (a record field's capacity)
/// that refuses characters the model cannot store.
QLineEdit* textField(int maxLength, QWidget* parent);
/// An editable drop-down whose list is a suggestion: any storable text of up
/// to maxLength characters may be typed, and a typed text is never added to the list.
QComboBox* choiceField(const QStringList& items, int maxLength, QWidget* parent);

/// A whole-number field from minimum to maximum: letters are refused as
/// typed, and emptied (or holding only a sign) it counts as 0.
QSpinBox* numberField(int minimum, int maximum, QWidget* parent);

}  // namespace mw::ui
