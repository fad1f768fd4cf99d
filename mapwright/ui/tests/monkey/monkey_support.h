#pragma once
// Small things the walk's parts share: typing as a user types, the text of a
// field as the files store it, and answering a modal window as it comes up.

#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QObject;
class QSpinBox;
class QString;
class QWidget;

namespace mw::ui::test {

/// While alive, acts once on the first modal window `accept` takes, as soon
/// as it is up; gone with the action that may open it, so a window that
/// never came is not waited for later.
class ModalAct {
  public:
    ModalAct(const std::function<bool(QWidget*)>& accept, const std::function<void(QWidget*)>& act);

  private:
    QTimer timer_;
};

/// Types the text key by key (`afterKey` runs after each); a character with
/// no key of its own comes as its text alone, as an input method sends it.
void typeText(QWidget* field, const std::string& utf8, const std::function<void()>& afterKey = {});

/// A field's text as the files store it: one byte a character (the fields
/// take no other characters).
std::string latin1(const QString& text);

/// The number a number field shows: emptied (or a sign alone) it counts
/// as 0; nothing when it shows no whole number.
std::optional<std::int32_t> numberShown(const QSpinBox* field);

/// The class name of a window, without its namespace.
std::string className(const QObject* o);

}  // namespace mw::ui::test
