#pragma once
// "What's new?": the changes of this version and its known issues.

#include <QDialog>

class QTextEdit;

namespace mw::ui {

class Twhatsnew : public QDialog {
    Q_OBJECT
  public:
    explicit Twhatsnew(QWidget* owner);

    QTextEdit* text() const { return Memo1; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QTextEdit* Memo1;
};

}  // namespace mw::ui
