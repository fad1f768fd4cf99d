#pragma once
// "Jumpnode properties": where the node leads, typed or chosen from the
// nodes of another system's design file with "Link systems".

#include "object_dialog.h"

class QLineEdit;

namespace mw::ui {

class TNodeList;

class Tjn : public ObjectDialog {
    Q_OBJECT
  public:
    Tjn(EditorContext& context, QWidget* owner);
    void setNodeList(TNodeList* nodeList) { nodeList_ = nodeList; }

    QLineEdit* Edit1;      // leads to
    QPushButton* Button4;  // Link systems
    QLabel* Label2;        // "Index : n", kept out of sight

  public slots:
    void Button4Click();

  protected:
    void FormShow() override;
    bool confirm() override;

  private:
    TNodeList* nodeList_ = nullptr;
};

}  // namespace mw::ui
