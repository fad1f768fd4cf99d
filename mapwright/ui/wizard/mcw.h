#pragma once
// "Map creator wizard...": gathers design files into one map, sets its name,
// description and empires, saves and loads the map project file and writes
// the mission source. It shows the editor's map, which outlives the window
// (kept between showings, with its "*" and undo history), and turns every
// control's change into one call of the model's map document.

#include <QDialog>

#include "project/map_document.h"

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QWidget;

namespace mw::ui {

struct EditorContext;
class MapPictureView;
class TabControl;
class TMCWcheck;
class TMCWhelp;

class TMCW : public QDialog {
    Q_OBJECT
  public:
    TMCW(EditorContext& context, QWidget* owner);
    /// The wizard's help window, which "Help" shows (created after the wizard, as its child).
    void setHelp(TMCWhelp* help) { help_ = help; }

    /// Every control shows the map as the model holds it now.
    void showProject();
    /// Opens the wizard with the project file loaded (a file named at start-up or a recent one).
    void execWithProject(const QString& path);
    /// The design file "Edit system" closed the wizard for (once); empty when none.
    QString takeEditRequest();

    // The controls, by their form names.
    QListWidget* ListBox1;    // the map's systems, in slot order
    MapPictureView* Image1;   // the map's picture, beside the list
    QPushButton* Button1;     // Insert
    QPushButton* Button2;     // Remove
    QPushButton* Button9;     // Edit system
    QLineEdit* Edit1;         // map name
    QLineEdit* Edit2;         // description
    QComboBox* ComboBox1;     // number of empires
    TabControl* TabControl1;  // one tab per empire
    QLineEdit* Edit3;         // empire name
    QComboBox* ComboBox2;     // AI mode
    QComboBox* ComboBox3;     // race
    QSpinBox* SpinEdit1;      // money
    QComboBox* ComboBox4;     // team
    QComboBox* ComboBox5;     // research list
    QSpinBox* SpinEdit2;      // max spy groups
    QSpinBox* SpinEdit3;      // max ship groups
    QSpinBox* SpinEdit4;      // max special groups
    QLabel* Label14;          // hidden: the system count
    QPushButton* Button8;     // Check map
    QPushButton* Button4;     // Save map
    QPushButton* Button7;     // Load map
    QPushButton* Button3;     // Clear
    QPushButton* Button6;     // Help
    QPushButton* Button5;     // Close
    QPushButton* Button10;    // Undo
    QPushButton* Button11;    // Redo
    TMCWcheck* MCWcheck;      // the list of problems that "Check map" shows

  public slots:
    void FormShow();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    /// "Edit system": the selected system's design file goes to the designer.
    void Button9Click();
    void Button10Click();
    void Button11Click();
    /// The system of list row (or map picture slot) `row` goes to the designer.
    void editSystem(int row);
    void ComboBox1Change();
    void TabControl1Change();
    /// Escape, the close box and Close: asked first while the map is
    /// unsaved; the map stays for the next showing either way.
    void reject() override;

  signals:
    /// A project file was loaded or saved.
    void projectFileUsed(const QString& path);

  protected:
    void showEvent(QShowEvent* event) override;
    /// Undo and redo keys in a field are the map's, not the field's.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QGroupBox* buildSystemsGroup();
    QGroupBox* buildMapGroup();
    QGroupBox* buildEmpiresGroup();
    QHBoxLayout* buildBottomRow();
    /// The controls of the empire tab, with the field each one edits.
    void connectEmpireControl(QWidget* control, EmpireField field);
    /// The list, the count and the picture.
    void showSystems();
    void showPicture();
    /// A link made (drag in the picture) or removed (its context menu)
    /// between two systems, in both design files at once.
    void changeLink(std::size_t from, std::size_t to, bool link);
    void showEmpireTabs();
    void showEmpire();
    /// The caption's "*" and the undo buttons, after every change.
    void showState();
    void takeUndoKeys(QWidget* field);

    EditorContext& context_;
    TMCWhelp* help_ = nullptr;
    MapDocument& map_;
    MapProject& project_;
    QList<QPair<QWidget*, EmpireField>> empireControls_;
    /// The project file the next showing loads; empty for a new map.
    QString projectToLoad_;
    QString editRequest_;
};

}  // namespace mw::ui
