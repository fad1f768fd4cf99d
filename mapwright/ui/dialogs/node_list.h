#pragma once
// "Select Node": the node chooser of "Link systems". It offers "0" (not
// connected) and the jump nodes of the linked file, shows where the chosen
// node leads, and on OK links the current jump node to it at once; with
// "Link both ways" (on until the user turns it off) the chosen node is made
// to lead back, in its own file, in the same undo step.

#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace mw::ui {

class SystemDocument;

class TNodeList : public QDialog {
    Q_OBJECT
  public:
    TNodeList(SystemDocument& document, QWidget* owner);

    /// Shows the chooser modally with the entries, "0" chosen.
    int offer(const std::vector<std::string>& entries);

    QComboBox* ComboBox1;  // jump node
    QLabel* Label2;        // what the chosen node leads to
    QCheckBox* CheckBox1;  // Link both ways
    QPushButton* Button1;  // OK
    QPushButton* Button2;  // Cancel

  public slots:
    void Button1Click();

  private:
    void ComboBox1Change(const QString& text);

    SystemDocument& document_;
};

}  // namespace mw::ui
