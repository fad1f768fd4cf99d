#pragma once
// "Z Coordinate": the Z of the object whose dialog is open. OK writes it at
// once, so cancelling the object's dialog afterwards keeps it; Cancel puts
// the edit back to the value it remembers.

#include <QDialog>

#include "system/object_records.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace mw::ui {

class SystemDocument;

class Tmagassag : public QDialog {
    Q_OBJECT
  public:
    Tmagassag(SystemDocument& document, QWidget* owner);

    /// "Set 'Z' coordinate" in the dialog of the kind: shows the object's Z modally.
    int openFor(ObjectKind kind);

    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* Button1;  // OK
    QPushButton* Button2;  // Cancel

  public slots:
    void Button1Click();
    /// Cancel, Escape and the close button.
    void reject() override;

  private:
    SystemDocument& document_;
};

}  // namespace mw::ui
