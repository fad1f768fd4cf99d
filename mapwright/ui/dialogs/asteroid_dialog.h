#pragma once
// The mineable asteroid's dialog, captioned "ast".

#include "object_dialog.h"

class QComboBox;
class QSpinBox;

namespace mw::ui {

class Tast : public ObjectDialog {
    Q_OBJECT
  public:
    Tast(EditorContext& context, QWidget* owner);

    QComboBox* ComboBox1;  // type
    QSpinBox* SpinEdit1;   // capacity

  protected:
    void FormShow() override;
    bool confirm() override;
};

}  // namespace mw::ui
