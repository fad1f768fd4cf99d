#pragma once
// "Ship types - Help": how the ship type names are built, with examples.

#include <QDialog>

class QLabel;
class QPushButton;

namespace mw::ui {

class Tship_help : public QDialog {
    Q_OBJECT
  public:
    explicit Tship_help(QWidget* owner);

    QLabel* Label1;        // the explanation
    QPushButton* Button1;  // OK
};

}  // namespace mw::ui
