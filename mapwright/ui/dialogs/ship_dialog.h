#pragma once
// "Ship properties".

#include "object_dialog.h"

class QCheckBox;
class QComboBox;

namespace mw::ui {

class Tship_help;

class Tsh : public ObjectDialog {
    Q_OBJECT
  public:
    Tsh(EditorContext& context, QWidget* owner);
    void setHelp(Tship_help* help) { help_ = help; }

    QComboBox* ComboBox1;  // ship type
    QPushButton* Button4;  // Help
    QComboBox* ComboBox2;  // owner
    QComboBox* ComboBox3;  // rank
    QComboBox* ComboBox4;  // number of ships
    QCheckBox* CheckBox1;  // deployed (only bases)

  public slots:
    void Button4Click();

  protected:
    void FormShow() override;
    bool confirm() override;

  private:
    void ComboBox1Change(const QString& type);

    Tship_help* help_ = nullptr;
};

}  // namespace mw::ui
