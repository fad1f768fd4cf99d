#pragma once
// "Planet properties".

#include "object_dialog.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace mw::ui {

class Tplanet : public ObjectDialog {
    Q_OBJECT
  public:
    Tplanet(EditorContext& context, QWidget* owner);

    QLineEdit* Edit1;      // name of planet
    QComboBox* ComboBox1;  // type of planet
    QComboBox* ComboBox6;  // planet model
    QSpinBox* SpinEdit1;   // diameter
    QComboBox* ComboBox2;  // orbits around
    QComboBox* ComboBox3;  // owner
    QComboBox* ComboBox4;  // race
    QSpinBox* SpinEdit2;   // population

  protected:
    void FormShow() override;
    bool confirm() override;

  private:
    void ComboBox1Change(const QString& type);
};

}  // namespace mw::ui
