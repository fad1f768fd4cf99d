#pragma once
// The main window: a frame for the system designer window, with the menus,
// toolbar and status bar from which every other window is reached.

#include <QMainWindow>
#include <QPointer>
#include <functional>

#include "editor_windows.h"

class QAction;
class QLabel;
class QLineEdit;
class QMdiArea;
class QTextEdit;
class QMenu;
class QToolBar;
class QSettings;

namespace mw::ui {

struct EditorContext;
class HelpWindow;
class ObjectsPanel;
class RecentFilesMenu;
class TMDIChild;

class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    explicit TMainForm(EditorContext& context, QWidget* parent = nullptr);
    ~TMainForm() override;

    void setWindows(const EditorWindows& windows) { windows_ = windows; }
    const EditorWindows& windows() const { return windows_; }
    HelpWindow* helpWindow() const { return help_; }
    QMdiArea* clientArea() const { return ClientArea; }
    /// The open designer window, if any (there is never more than one).
    TMDIChild* designer() const;
    /// The "Objects" dock beside the designer.
    ObjectsPanel* objectsPanel() const { return objects_; }
    /// Shows, at the right of the status bar, which folder the editor works in.
    void showWorkingFolder(const QString& status);
    /// Ends the program at once (the toolbar's Exit); tests replace it.
    void setTerminate(std::function<void()> terminate) { terminate_ = std::move(terminate); }
    /// Shows the recent files in the System menu and keeps them in the settings.
    void setRecentFiles(QSettings& settings);
    RecentFilesMenu* recentFiles() const { return recentFiles_; }
    /// Opens a file named on the command line or chosen from the recent
    /// files: a map project in the wizard, anything else in the designer
    /// window (asking first when its system has unsaved changes).
    void openFile(const QString& path);

    // The action list.
    QAction* FileNew1;
    QAction* FileOpen1;
    QAction* FileClose1;
    QAction* FileExit1;
    QAction* FileSave1;
    QAction* FileSaveAs1;
    QAction* HelpAbout1;
    QAction* EditCut1;
    QAction* EditCopy1;
    QAction* EditPaste1;
    QAction* EditUndo1;
    QAction* EditRedo1;
    QAction* WindowCascade1;
    QAction* WindowTileHorizontal1;
    QAction* WindowTileVertical1;
    QAction* WindowMinimizeAll1;
    QAction* WindowArrangeAll1;
    QAction* ShowNames1;
    QAction* ShowObjects1;  // the "Objects" dock shown or hidden

    // Menu items and toolbar buttons with handlers of their own.
    QAction* MapCreatorWizard1;
    QAction* PlanetNamesManager1;
    QAction* SystemNamesManager1;
    QAction* WhatsNew1;
    QAction* VarsWatch1;
    QAction* ToolButtonPlanetNames;
    QAction* ToolButtonSystemNames;
    QAction* ToolButtonWizard;
    QAction* ToolButtonExit;

  public slots:
    void FileNew1Execute();
    void FileOpen1Execute();
    void FileExit1Execute();
    void FileSave1Execute();
    void FileSaveAs1Execute();
    void ToolButtonExitClick();
    void HelpAbout1Execute();
    void WhatsNew1Click();
    void MapCreatorWizard1Click();
    void PlanetNamesManager1Click();
    void SystemNamesManager1Click();
    void VarsWatch1Click();
    void openHelpFile(const QString& helpFileName);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    /// The client size at start: room for a whole designer window.
    QSize startSize() const;
    void createActions();
    void createMenus();
    void createToolBar();
    TMDIChild* createMDIChild(const QString& caption);
    void closeDesigners();
    void updateWindowActions();
    void editAction(void (*onLineEdit)(QLineEdit*), void (*onTextEdit)(QTextEdit*));
    void tile(Qt::Orientation orientation);
    void closeActiveWindow();
    void cutText();
    void copyText();
    void pasteText();
    void cascade();
    void tileHorizontally();
    void tileVertically();
    void minimizeAll();
    void arrangeMinimized();

    EditorContext& context_;
    EditorWindows windows_;
    HelpWindow* help_;
    QMdiArea* ClientArea;
    QToolBar* ToolBar1 = nullptr;
    QLabel* workingFolder_ = nullptr;
    ObjectsPanel* objects_ = nullptr;
    QPointer<TMDIChild> designer_;
    std::function<void()> terminate_;
    bool shownOnce_ = false;
    bool quitAsked_ = false;
    RecentFilesMenu* recentFiles_ = nullptr;
};

}  // namespace mw::ui
