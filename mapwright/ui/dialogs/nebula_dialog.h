#pragma once
// "Nebulae properties".

#include "object_dialog.h"

class QComboBox;

namespace mw::ui {

class Tne : public ObjectDialog {
    Q_OBJECT
  public:
    Tne(EditorContext& context, QWidget* owner);

    QComboBox* ComboBox1;  // nebulae/cloud type

  protected:
    void FormShow() override;
    bool confirm() override;
};

}  // namespace mw::ui
