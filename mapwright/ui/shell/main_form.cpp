#include "main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QUndoStack>

#include "about_box.h"
#include "common/shell_text.h"
#include "designer/mdi_child.h"
#include "document/editor_context.h"
#include "document/system_document.h"
#include "help_window.h"
#include "icons_help.h"
#include "name_windows/listdat.h"
#include "name_windows/planet_names.h"
#include "recent/recent_files.h"
#include "recent_files_menu.h"
#include "system/designer_text.h"
#include "whats_new.h"
#include "widgets/embedded_pictures.h"
#include "widgets/hint.h"
#include "widgets/text.h"
#include "widgets/window_placement.h"
#include "wizard/mcw.h"

namespace mw::ui {

TMainForm::TMainForm(EditorContext& context, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      help_(new HelpWindow(context.files, context.prompts, this)),
      ClientArea(new QMdiArea(this)),
      // Ends the event loop at once: quit() would first close the windows,
      // and the main window's close would ask its own quit question again.
      terminate_([] { QCoreApplication::exit(0); }) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(fromModel(shell_text::kMainCaption));
    resize(794, 561);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    ClientArea->setBackground(palette().brush(QPalette::Dark));
    // The designer window is larger than the frame's client area at its first size.
    ClientArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ClientArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(ClientArea);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(true);

    createActions();
    createMenus();
    createToolBar();
    connect(ClientArea, &QMdiArea::subWindowActivated, this, &TMainForm::updateWindowActions);
    connect(qApp, &QApplication::focusChanged, this, [this] {
        QWidget* focus = QApplication::focusWidget();
        const auto* combo = qobject_cast<QComboBox*>(focus);
        const bool text = qobject_cast<QLineEdit*>(focus) || qobject_cast<QTextEdit*>(focus) ||
                          qobject_cast<QPlainTextEdit*>(focus) || (combo && combo->isEditable());
        EditCut1->setEnabled(text);
        EditCopy1->setEnabled(text);
        EditPaste1->setEnabled(text);
    });
    updateWindowActions();
}

TMainForm::~TMainForm() {
    // Focus and the active window change while the children go; this half-gone
    // window must not hear of it.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(ClientArea, nullptr, this, nullptr);
    if (designer_) disconnect(designer_, nullptr, this, nullptr);
}

void TMainForm::showWorkingFolder(const QString& status) {
    // A permanent label: the hints of the menus and buttons pass over the
    // status bar's message, not over this.
    if (!workingFolder_) {
        workingFolder_ = new QLabel(statusBar());
        workingFolder_->setObjectName(QStringLiteral("WorkingFolder"));
        // A long path is cut rather than holding the window wide; the tip has it whole.
        workingFolder_->setMinimumWidth(40);
        statusBar()->addPermanentWidget(workingFolder_);
    }
    workingFolder_->setText(status);
    workingFolder_->setToolTip(
        status +
        QStringLiteral(
            "\nmain.ond and the planet name lists p_names.dat and list.dat are kept here"));
}

TMDIChild* TMainForm::designer() const {
    return designer_;
}

QAction* TMainForm::newAction(const char* name, const QString& text, const QString& hint) {
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) setHint(action, hint);
    return action;
}

void TMainForm::createActions() {
    FileNew1 = newAction("FileNew1", QStringLiteral("&Open system designer window"),
                         QStringLiteral("New|Create a new file"));
    FileNew1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    FileNew1->setIcon(embeddedIcon(QStringLiteral("toolbar/new")));
    connect(FileNew1, &QAction::triggered, this, &TMainForm::FileNew1Execute);

    FileOpen1 = newAction("FileOpen1", QStringLiteral("&Open"), QStringLiteral("Open|Open a file"));
    FileOpen1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    FileOpen1->setIcon(embeddedIcon(QStringLiteral("toolbar/open")));
    connect(FileOpen1, &QAction::triggered, this, &TMainForm::FileOpen1Execute);

    // The standard window-close action: the active designer window closes,
    // asking first only when its system has unsaved changes.
    FileClose1 = newAction("FileClose1", QStringLiteral("&Close window"),
                           QStringLiteral("Close|Close current file"));
    connect(FileClose1, &QAction::triggered, this, [this] {
        if (QMdiSubWindow* sub = ClientArea->currentSubWindow())
            sub->close();
        else if (designer_)
            designer_->closeWindow();
    });

    FileExit1 =
        newAction("FileExit1", QStringLiteral("E&xit"), QStringLiteral("Exit|Exit application"));
    connect(FileExit1, &QAction::triggered, this, &TMainForm::FileExit1Execute);

    // Save and Save As act on the designer's system; without a designer window they do nothing.
    FileSave1 =
        newAction("FileSave1", QStringLiteral("&Save"), QStringLiteral("Save|Save current file"));
    FileSave1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(FileSave1, &QAction::triggered, this, &TMainForm::FileSave1Execute);
    FileSaveAs1 = newAction("FileSaveAs1", QStringLiteral("Save &As..."),
                            QStringLiteral("Save As|Save current file with different name"));
    connect(FileSaveAs1, &QAction::triggered, this, &TMainForm::FileSaveAs1Execute);
    addAction(FileSave1);
    addAction(FileSaveAs1);

    // The texts follow the next step: "&Undo place planet Vega".
    SystemDocument& steps = context_.document;
    EditUndo1 = steps.createUndoAction(this, QStringLiteral("&Undo"));
    EditUndo1->setObjectName(QStringLiteral("EditUndo1"));
    EditUndo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EditUndo1->setIcon(embeddedIcon(QStringLiteral("toolbar/undo")));
    setHint(EditUndo1, QStringLiteral("Undo|Takes back the last change of the system"));
    EditRedo1 = steps.createRedoAction(this, QStringLiteral("&Redo"));
    EditRedo1->setObjectName(QStringLiteral("EditRedo1"));
    EditRedo1->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    EditRedo1->setIcon(embeddedIcon(QStringLiteral("toolbar/redo")));
    setHint(EditRedo1, QStringLiteral("Redo|Makes the change taken back again"));

    HelpAbout1 = newAction("HelpAbout1", QStringLiteral("&About..."),
                           QStringLiteral("Program and creator information"));
    connect(HelpAbout1, &QAction::triggered, this, &TMainForm::HelpAbout1Execute);

    // Cut, copy and paste act on the focused text field. A text field handles
    // its own keys first; the actions serve the rest of the window.
    EditCut1 = newAction("EditCut1", QStringLiteral("Cu&t"),
                         QStringLiteral("Cut|Moves the selected text to the clipboard"));
    EditCut1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(EditCut1, &QAction::triggered, this,
            [this] { editAction([](QLineEdit* e) { e->cut(); }, [](QTextEdit* e) { e->cut(); }); });
    EditCopy1 = newAction("EditCopy1", QStringLiteral("&Copy"),
                          QStringLiteral("Copy|Copies the selected text to the clipboard"));
    EditCopy1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(EditCopy1, &QAction::triggered, this, [this] {
        editAction([](QLineEdit* e) { e->copy(); }, [](QTextEdit* e) { e->copy(); });
    });
    EditPaste1 = newAction("EditPaste1", QStringLiteral("&Paste"),
                           QStringLiteral("Paste|Inserts the text on the clipboard"));
    EditPaste1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    connect(EditPaste1, &QAction::triggered, this, [this] {
        editAction([](QLineEdit* e) { e->paste(); }, [](QTextEdit* e) { e->paste(); });
    });
    addAction(EditCut1);
    addAction(EditCopy1);
    addAction(EditPaste1);

    WindowCascade1 = newAction("WindowCascade1", QStringLiteral("&Cascade"),
                               QStringLiteral("Cascade|Arranges windows so they overlap"));
    connect(WindowCascade1, &QAction::triggered, ClientArea, &QMdiArea::cascadeSubWindows);
    WindowTileHorizontal1 =
        newAction("WindowTileHorizontal1", QStringLiteral("Tile &Horizontally"),
                  QStringLiteral("Tile Horizontally|Arranges windows one above the other"));
    connect(WindowTileHorizontal1, &QAction::triggered, this, [this] { tile(Qt::Horizontal); });
    WindowTileVertical1 =
        newAction("WindowTileVertical1", QStringLiteral("Tile &Vertically"),
                  QStringLiteral("Tile Vertically|Arranges windows side by side"));
    connect(WindowTileVertical1, &QAction::triggered, this, [this] { tile(Qt::Vertical); });
    WindowMinimizeAll1 = newAction("WindowMinimizeAll1", QStringLiteral("&Minimize All"),
                                   QStringLiteral("Minimize All|Minimizes all windows"));
    connect(WindowMinimizeAll1, &QAction::triggered, this, [this] {
        for (QMdiSubWindow* sub : ClientArea->subWindowList()) sub->showMinimized();
    });
    WindowArrangeAll1 =
        newAction("WindowArrangeAll1", QStringLiteral("&Arrange All"),
                  QStringLiteral("Arrange All|Arranges the minimized windows along the bottom"));
    connect(WindowArrangeAll1, &QAction::triggered, this, &TMainForm::arrangeMinimized);

    MapCreatorWizard1 = newAction("MapCreatorWizard1", QStringLiteral("Map creator wizard"),
                                  QStringLiteral("Launches Map Creator Wizard"));
    PlanetNamesManager1 = newAction("PlanetNamesManager1", QStringLiteral("Planet names' manager"));
    SystemNamesManager1 = newAction("SystemNamesManager1", QStringLiteral("System name's manager"));
    VarsWatch1 = newAction("VarsWatch1", QStringLiteral("Vars' Watch"));
    ToolButtonPlanetNames = newAction("ToolButtonPlanetNames", QStringLiteral("Planet names"),
                                      QStringLiteral("Launch Planet Database Manager"));
    ToolButtonPlanetNames->setIcon(embeddedIcon(QStringLiteral("toolbar/planet_names")));
    ToolButtonSystemNames = newAction("ToolButtonSystemNames", QStringLiteral("System names"),
                                      QStringLiteral("Launch System Database Manager"));
    ToolButtonSystemNames->setIcon(embeddedIcon(QStringLiteral("toolbar/system_names")));
    ToolButtonWizard = newAction("ToolButtonWizard", QStringLiteral("Wizard"),
                                 QStringLiteral("Launch Map Creator Wizard"));
    ToolButtonWizard->setIcon(embeddedIcon(QStringLiteral("toolbar/wizard")));
    for (QAction* a : {MapCreatorWizard1, ToolButtonWizard})
        connect(a, &QAction::triggered, this, &TMainForm::MapCreatorWizard1Click);
    for (QAction* a : {PlanetNamesManager1, ToolButtonPlanetNames})
        connect(a, &QAction::triggered, this, &TMainForm::PlanetNamesManager1Click);
    for (QAction* a : {SystemNamesManager1, ToolButtonSystemNames})
        connect(a, &QAction::triggered, this, &TMainForm::SystemNamesManager1Click);
    connect(VarsWatch1, &QAction::triggered, this, &TMainForm::VarsWatch1Click);

    ToolButtonExit =
        newAction("ToolButtonExit", QStringLiteral("Exit"), QStringLiteral("Exit application"));
    ToolButtonExit->setIcon(embeddedIcon(QStringLiteral("toolbar/exit")));
    connect(ToolButtonExit, &QAction::triggered, this, &TMainForm::ToolButtonExitClick);

    WhatsNew1 =
        newAction("WhatsNew1", QStringLiteral("What's new ?"),
                  QStringLiteral("What's new... :) I don't think I have to  explain it. ;)"));
    connect(WhatsNew1, &QAction::triggered, this, &TMainForm::WhatsNew1Click);
}

void TMainForm::createMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* system = bar->addMenu(QStringLiteral("System"));
    system->setObjectName(QStringLiteral("System1"));
    setHint(system->menuAction(), QStringLiteral("File related commands"));
    system->addAction(FileNew1);
    system->addAction(FileClose1);
    system->addSeparator();
    system->addAction(FileSave1);
    system->addAction(FileSaveAs1);
    system->addSeparator();
    system->addAction(MapCreatorWizard1);
    system->addSeparator();
    system->addAction(FileExit1);

    QMenu* edit = bar->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    setHint(edit->menuAction(), QStringLiteral("Undo and redo changes of the system"));
    edit->addAction(EditUndo1);
    edit->addAction(EditRedo1);

    QMenu* tools = bar->addMenu(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("Tools1"));
    tools->addAction(PlanetNamesManager1);
    tools->addAction(SystemNamesManager1);
    QAction* hiddenSeparator = tools->addSeparator();
    QAction* surprise = tools->addAction(QStringLiteral("Surprise here in next version"));
    surprise->setObjectName(QStringLiteral("Surprise1"));
    QAction* hereToo = tools->addAction(QStringLiteral("And here too... ;-)"));
    hereToo->setObjectName(QStringLiteral("Andheretoo1"));
    for (QAction* a : {hiddenSeparator, surprise, hereToo}) {
        a->setVisible(false);
        a->setEnabled(false);
    }

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    setHint(help->menuAction(), QStringLiteral("Help topics"));
    help->addAction(WhatsNew1);
    help->addSeparator();
    struct HelpItem {
        const char* name;
        const char* caption;
        const char* hint;
        const char* file;
    };
    const auto addHelpItem = [this](QMenu* menu, const HelpItem& item) {
        QAction* a = menu->addAction(QString::fromLatin1(item.caption));
        a->setObjectName(QString::fromLatin1(item.name));
        setHint(a, QString::fromLatin1(item.hint));
        const QString file = QString::fromLatin1(item.file);
        connect(a, &QAction::triggered, this, [this, file] { openHelpFile(file); });
    };
    addHelpItem(help,
                {"Readme1", "Read me!", "Read this before you use the program!", "readme.hlp"});
    addHelpItem(help, {"Introduction1", "Introduction",
                       "Story of this program, and  a little introduction", "intro.hlp"});
    addHelpItem(help, {"ButtonsandIcons1", "Buttons and Icons",
                       "Stuck because of the icons and buttons? Come here!", "bai.hlp"});
    QMenu* tutorials = help->addMenu(QStringLiteral("Tutorials"));
    tutorials->setObjectName(QStringLiteral("Tutorials1"));
    setHint(tutorials->menuAction(), QStringLiteral("Here you can find the tutorial"));
    addHelpItem(tutorials, {"Creatingasystem1", "Creating a system",
                            "It tells you how to create a solar system", "tutorial1.hlp"});
    addHelpItem(tutorials, {"Compilingthemap1", "Compiling the map",
                            "This tutorial tells you how to make the systems into one mission",
                            "tutorial2.hlp"});
    help->addSeparator();
    help->addAction(HelpAbout1);

    QMenu* window = bar->addMenu(QStringLiteral("&Window"));
    window->setObjectName(QStringLiteral("Window1"));
    for (QAction* a : {WindowCascade1, WindowTileHorizontal1, WindowTileVertical1,
                       WindowMinimizeAll1, WindowArrangeAll1})
        window->addAction(a);

    QMenu* dev = bar->addMenu(QStringLiteral("DevMenu"));
    dev->setObjectName(QStringLiteral("DevMenu1"));
    dev->addAction(VarsWatch1);
    dev->menuAction()->setVisible(false);
    dev->menuAction()->setEnabled(false);
}

void TMainForm::createToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("Toolbar"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setFixedHeight(33);
    ToolBar1->setIconSize(QSize(24, 24));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    ToolBar1->addAction(FileNew1);
    ToolBar1->addAction(FileOpen1);
    ToolBar1->addSeparator();
    ToolBar1->addAction(EditUndo1);
    ToolBar1->addAction(EditRedo1);
    ToolBar1->addSeparator();
    ToolBar1->addAction(ToolButtonPlanetNames);
    ToolBar1->addAction(ToolButtonSystemNames);
    ToolBar1->addSeparator();
    ToolBar1->addAction(ToolButtonWizard);
    ToolBar1->addSeparator();
    ToolBar1->addAction(ToolButtonExit);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    centreOnScreen(this);
    context_.state.MainWindowShown();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // The title bar's close box asks what "Exit" asks, unless "Exit" just did.
    if (!quitAsked_ &&
        !context_.state.ConfirmQuit(EditorState::QuitCommand::Menu, context_.prompts)) {
        event->ignore();
        return;
    }
    closeDesigners();
    event->accept();
}

void TMainForm::closeDesigners() {
    // Every caller has asked about unsaved changes already.
    const QList<QMdiSubWindow*> subs = ClientArea->subWindowList(QMdiArea::CreationOrder);
    for (auto it = subs.rbegin(); it != subs.rend(); ++it) {
        if (auto* child = qobject_cast<TMDIChild*>((*it)->widget()))
            child->closeWindow(true);
        else
            (*it)->close();
    }
    designer_ = nullptr;
    updateWindowActions();
}

TMDIChild* TMainForm::createMDIChild(const QString& caption) {
    auto* child = new TMDIChild(context_, windows_.dialogs, windows_.icons);
    QMdiSubWindow* sub = ClientArea->addSubWindow(
        child, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    sub->setWindowIcon(windowIcon());
    sub->layout()->setSizeConstraint(QLayout::SetFixedSize);
    designer_ = child;
    connect(child, &TMDIChild::closed, this, [this, child] {
        if (designer_ == child) designer_ = nullptr;
        updateWindowActions();
    });
    child->FormCreate();
    if (!designer_) return nullptr;  // its open step was cancelled and it closed again
    child->setCaption(caption);
    sub->show();
    ClientArea->setActiveSubWindow(sub);
    updateWindowActions();
    return child;
}

void TMainForm::FileNew1Execute() {
    if (designer_) return;
    createMDIChild(fromModel(designer_text::kUnnamedCaption));
}

void TMainForm::FileOpen1Execute() {
    switch (context_.state.BeginOpen(designer_ != nullptr, context_.prompts)) {
        case EditorState::OpenCommand::OpenInDesigner:
            // The window stays until a file is chosen and read: Cancel or a
            // damaged file leaves it and its system as they were.
            context_.document.openFromMainWindow();
            break;
        case EditorState::OpenCommand::CreateDesigner:
            if (createMDIChild(fromModel(designer_text::kUnnamedCaption)) && designer_)
                designer_->setCaption(fromModel(context_.state.OpenedCaption()));
            break;
        case EditorState::OpenCommand::Nothing:
            break;
    }
}

void TMainForm::FileExit1Execute() {
    if (!context_.state.ConfirmQuit(EditorState::QuitCommand::Menu, context_.prompts)) return;
    quitAsked_ = true;
    close();
    quitAsked_ = false;
}

void TMainForm::FileSave1Execute() {
    if (designer_) context_.document.save();
}

void TMainForm::FileSaveAs1Execute() {
    if (designer_) context_.document.saveAs();
}

void TMainForm::ToolButtonExitClick() {
    if (context_.state.ConfirmQuit(EditorState::QuitCommand::Toolbar, context_.prompts))
        terminate_();
}

void TMainForm::HelpAbout1Execute() {
    if (windows_.AboutBox) windows_.AboutBox->exec();
}

void TMainForm::WhatsNew1Click() {
    if (windows_.whatsnew) windows_.whatsnew->exec();
}

void TMainForm::MapCreatorWizard1Click() {
    if (windows_.MCW) windows_.MCW->exec();
}

void TMainForm::PlanetNamesManager1Click() {
    if (windows_.Planet_Names) windows_.Planet_Names->execute(NamesMode::Planets);
}

void TMainForm::SystemNamesManager1Click() {
    if (windows_.Planet_Names) windows_.Planet_Names->execute(NamesMode::Systems);
}

void TMainForm::VarsWatch1Click() {
    if (!windows_.LISTDAT) return;
    windows_.LISTDAT->show();
    windows_.LISTDAT->raise();
    windows_.LISTDAT->activateWindow();
}

void TMainForm::openHelpFile(const QString& helpFileName) {
    help_->openHelpFile(helpFileName);
}

void TMainForm::updateWindowActions() {
    const bool any = !ClientArea->subWindowList().isEmpty() || designer_;
    for (QAction* a : {FileClose1, FileSave1, FileSaveAs1, WindowCascade1, WindowTileHorizontal1,
                       WindowTileVertical1, WindowMinimizeAll1, WindowArrangeAll1})
        a->setEnabled(any);
}

void TMainForm::editAction(void (*onLineEdit)(QLineEdit*), void (*onTextEdit)(QTextEdit*)) {
    QWidget* focus = QApplication::focusWidget();
    if (auto* combo = qobject_cast<QComboBox*>(focus); combo && combo->lineEdit())
        focus = combo->lineEdit();
    if (auto* line = qobject_cast<QLineEdit*>(focus))
        onLineEdit(line);
    else if (auto* textEdit = qobject_cast<QTextEdit*>(focus))
        onTextEdit(textEdit);
}

void TMainForm::tile(Qt::Orientation orientation) {
    QList<QMdiSubWindow*> subs;
    for (QMdiSubWindow* sub : ClientArea->subWindowList(QMdiArea::CreationOrder))
        if (!sub->isMinimized() && !sub->isHidden()) subs.append(sub);
    if (subs.isEmpty()) return;
    const QRect area = ClientArea->viewport()->rect();
    const int n = static_cast<int>(subs.size());
    for (int i = 0; i < n; ++i) {
        QRect cell = orientation == Qt::Horizontal
                         ? QRect(0, area.height() * i / n, area.width(), area.height() / n)
                         : QRect(area.width() * i / n, 0, area.width() / n, area.height());
        QMdiSubWindow* sub = subs[i];
        sub->showNormal();
        // A window of fixed size keeps its size and goes to the top-left of its cell.
        sub->setGeometry(
            QRect(cell.topLeft(),
                  cell.size().expandedTo(sub->minimumSize()).boundedTo(sub->maximumSize())));
    }
}

void TMainForm::setRecentFiles(QSettings& settings) {
    auto* system = menuBar()->findChild<QMenu*>(QStringLiteral("System1"));
    recentFiles_ = new RecentFilesMenu(system, MapCreatorWizard1, settings, this);
    connect(recentFiles_, &RecentFilesMenu::openRequested, this, &TMainForm::openFile);
    connect(&context_.document, &SystemDocument::fileUsed, recentFiles_,
            &RecentFilesMenu::remember);
    if (windows_.MCW)
        connect(windows_.MCW, &TMCW::projectFileUsed, recentFiles_, &RecentFilesMenu::remember);
}

void TMainForm::openFile(const QString& path) {
    if (EditorFileKindOf(toPath(path)) == EditorFileKind::ProjectFile) {
        if (windows_.MCW) windows_.MCW->execWithProject(path);
        return;
    }
    if (designer_) {
        if (context_.document.isModified() &&
            !context_.prompts.ask(std::string(shell_text::kAskOpenNew)))
            return;
    } else {
        FileNew1Execute();
        if (!designer_) return;
    }
    context_.document.openFile(path);
}

void TMainForm::arrangeMinimized() {
    const QRect area = ClientArea->viewport()->rect();
    int x = 0;
    for (QMdiSubWindow* sub : ClientArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized()) continue;
        sub->move(x, area.height() - sub->height());
        x += sub->width();
    }
}

}  // namespace mw::ui
