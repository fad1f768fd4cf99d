#pragma once
// The names manager: the names of one name database, the style the editor
// picks names in, another database to locate, the name explorer to start.
// One window for the system and the planet names; the main window sets the
// mode before showing it. The rules are the model's NamesManager.

#include <QDialog>
#include <functional>

#include "names/names_manager.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace mw::ui {

struct EditorContext;

class TPlanet_Names : public QDialog {
    Q_OBJECT
  public:
    /// `status` puts a line into the main window's status bar.
    TPlanet_Names(EditorContext& context, std::function<void(const QString&)> status,
                  QWidget* owner);

    /// Sets the mode's caption, style and file, as the main window does
    /// before it shows the window.
    void setMode(NamesMode mode);
    /// setMode, then shows the window modally.
    int execute(NamesMode mode);
    const NamesManager& manager() const { return manager_; }

    // The controls, by their form names.
    QGroupBox* GroupBox1;
    QListWidget* ListBox1;  // the names, sorted
    QLabel* Label1;
    QComboBox* ComboBox1;  // the style
    QGroupBox* GroupBox2;
    QLineEdit* Edit1;           // the name database
    QToolButton* SpeedButton1;  // Locate
    QPushButton* Button3;       // OK
    QPushButton* Button1;       // Cancel
    QPushButton* Button4;       // Browser
    QPushButton* Button2;       // Reload
    QPushButton* Button5;       // Help

  public slots:
    void FormShow();
    void SpeedButton1Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void ComboBox1Change(int index);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void fillList();

    EditorContext& context_;
    std::function<void(const QString&)> status_;
    NamesManager manager_;
};

}  // namespace mw::ui
