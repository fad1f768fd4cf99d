#pragma once
// "Micro asteroid properties".

#include "object_dialog.h"

class QComboBox;

namespace mw::ui {

class Tmas : public ObjectDialog {
    Q_OBJECT
  public:
    Tmas(EditorContext& context, QWidget* owner);

    QComboBox* ComboBox1;  // type
    QLabel* Label2;        // "Index : n"

  protected:
    void FormShow() override;
    bool confirm() override;
};

}  // namespace mw::ui
