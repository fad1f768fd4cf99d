#pragma once
// "Wreckage properties".

#include "object_dialog.h"

class QComboBox;
class QSpinBox;

namespace mw::ui {

class Twrck : public ObjectDialog {
    Q_OBJECT
  public:
    Twrck(EditorContext& context, QWidget* owner);

    QComboBox* ComboBox1;  // wreckage type
    QSpinBox* SpinEdit1;   // value, 0..100000
    QLabel* Label2;        // "Index : n"

  protected:
    void FormShow() override;
    bool confirm() override;
};

}  // namespace mw::ui
