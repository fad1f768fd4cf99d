#pragma once
// The system designer window: the sun's fields and the tools on the left,
// the map with one marker per object on the right, the file commands below.
// It holds no object data: every change goes through the SystemDocument.

#include <QHash>
#include <QWidget>
#include <optional>

#include "dialogs/property_dialogs.h"
#include "system_designer/system_designer.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;

namespace mw::ui {

struct EditorContext;
class MapPanel;
class ObjectMarker;
class SystemDocument;

class TMDIChild : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 712;
    static constexpr int kClientHeight = 499;

    /// The property dialogs open for a marker clicked; toolsHelp is "System
    /// design help", which Button4 shows.
    TMDIChild(EditorContext& context, const PropertyDialogs& dialogs, QWidget* toolsHelp,
              QWidget* parent = nullptr);
    ~TMDIChild() override;

    /// The create step: system name, the open step when the open flag is set,
    /// the name pool. Afterwards closeRequested() tells whether the open step
    /// was cancelled, which closes the window again.
    void FormCreate();

    MapPanel* mapPanel() const { return Panel4; }
    /// Sets the caption; "*" follows it while the system has changes not saved.
    void setCaption(const QString& caption);
    /// The tool in use.
    Tool tool() const { return tool_; }
    /// The markers on the map, in no particular order.
    QList<ObjectMarker*> markers() const;
    ObjectMarker* marker(ObjectKind kind, int index) const;
    /// What a click on the object's marker with the tool does: the delete
    /// tool deletes it, any other opens its dialog (the object list's Delete
    /// and Return).
    void clickObject(ObjectRef object, Tool tool);

    // The controls, by their form names.
    QLineEdit* Edit1;      // sun name
    QComboBox* ComboBox1;  // sun type
    QComboBox* ComboBox2;  // background
    QLineEdit* Edit2;      // scale
    QToolButton* SpeedButton[8];
    QLabel* Image1;        // the selected tool's picture
    QLabel* Label9;        // world X under the cursor
    QLabel* Label10;       // world Y under the cursor
    QPushButton* Button1;  // Open
    QPushButton* Button2;  // Clear map
    QPushButton* Button3;  // Save as
    QPushButton* Button4;  // Help
    QPushButton* Button5;  // Close
    QTimer* Timer1;        // sets the caption once, just after the window appears

    /// Closes the window; a caller that has asked its own question already
    /// passes asked = true so the user is not asked twice.
    void closeWindow(bool asked = false);

  signals:
    /// The window has closed (its closing step ran).
    void closed();

  public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildForm();
    void applyChange(const DesignerChange& change);
    void Edit1Change();
    void SpeedButtonClick(int tool);
    /// The selection picture and the checked button show the tool.
    void showSelection(Tool tool);
    void Panel4MouseMove(QPoint pixel);
    void Panel4Click(QPoint pixel);
    /// A click on the marker with the tool (the one in use when none is given).
    void MarkerClick(ObjectMarker* marker, std::optional<Tool> tool = std::nullopt);
    void showCaption();
    void Timer1Timer();
    void addMarker(const MarkerView& view);
    void removeMarker(ObjectRef object);
    void removeAllMarkers();
    void syncHeaderFields();

    EditorContext& context_;
    SystemDocument& document_;
    PropertyDialogs dialogs_;
    QWidget* toolsHelp_;
    MapPanel* Panel4;
    Tool tool_ = kInitialTool;
    QHash<quint64, ObjectMarker*> markers_;
    QString caption_;
    bool creating_ = false;
    bool closeRequested_ = false;
    bool shownOnce_ = false;
    bool closedOnce_ = false;
    bool closeAsked_ = false;
};

}  // namespace mw::ui
