#pragma once
// The controls the property dialogs share: editable drop-downs whose list is
// a suggestion, edits and spin fields, each limited to what its record field
// holds, and the button row of a dialog.

#include <QtCore/qnamespace.h>

#include <QString>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QComboBox;
class QDialog;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;

namespace mw::ui {

/// A dialog of fixed size with a caption and a close button only.
inline constexpr Qt::WindowFlags kFixedDialog = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                                Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                Qt::WindowCloseButtonHint;

/// An editable drop-down with the suggestions; any text of up to maxLength
/// characters may be typed, and a typed text is never added to the list.
QComboBox* dropDown(const char* name, std::span<const std::string_view> items, int maxLength,
                    QWidget* parent);
/// Replaces a drop-down's suggestions; its text is left for the caller to set.
void setChoices(QComboBox* combo, const std::vector<std::string>& items);
/// Shows a model text in a drop-down, selecting the matching suggestion if any.
void showText(QComboBox* combo, std::string_view text);
/// A drop-down's text for the model.
std::string textOf(const QComboBox* combo);

QLineEdit* edit(const char* name, int maxLength, QWidget* parent);
QSpinBox* spinEdit(const char* name, int minimum, int maximum, QWidget* parent);

/// A push button with a form name.
QPushButton* button(const char* name, const QString& caption, QWidget* parent);
/// OK (the default button) and Cancel, in the desktop's order, at the right
/// of the row; `leading` (may be null) stands at its left.
QHBoxLayout* buttonRow(QPushButton* ok, QPushButton* cancel, QWidget* leading = nullptr);
/// A bold label, for values the user reads rather than edits.
void makeBold(QLabel* label);

}  // namespace mw::ui
