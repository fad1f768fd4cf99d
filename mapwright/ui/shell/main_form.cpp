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
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTextEdit>
#include <QToolBar>
#include <QUndoStack>

#include "about_box.h"
#include "common/shell_text.h"
#include "designer/map_panel.h"
#include "designer/mdi_child.h"
#include "document/editor_context.h"
#include "document/system_document.h"
#include "help_window.h"
#include "icons_help.h"
#include "name_windows/listdat.h"
#include "name_windows/planet_names.h"
#include "objects_panel/objects_panel.h"
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
    // On a screen too small for a whole designer window the rest scrolls into view.
    ClientArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ClientArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(ClientArea);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(true);

    // Beside the designer, listing its objects; the Window menu hides and shows it.
    objects_ = new ObjectsPanel(context_.document, this);
    addDockWidget(Qt::RightDockWidgetArea, objects_);
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

namespace {

// One row of the action list: what the menus and the toolbar show, and what a
// click does.
struct ActionRow {
    QAction* TMainForm::*action;
    const char* name;
    const char* text;  // nullptr: the document makes the action (its text follows the step)
    const char* hint;
    QList<QKeySequence> keys;
    const char* picture;           // a toolbar picture, or ""
    void (TMainForm::*handler)();  // nullptr: the document handles it
    bool windowWide;               // its keys work wherever the focus is in the window
};

}  // namespace

void TMainForm::createActions() {
    // The texts of Undo and Redo follow the next step: "&Undo place planet Vega".
    SystemDocument& steps = context_.document;
    EditUndo1 = steps.createUndoAction(this, QStringLiteral("&Undo"));
    EditRedo1 = steps.createRedoAction(this, QStringLiteral("&Redo"));

    // One row an action: its member and name, text, hint, keys, toolbar
    // picture, handler, and whether its keys serve the whole window.
    // clang-format off
    const ActionRow rows[] = {
        {&TMainForm::FileNew1, "FileNew1", "&Open system designer window", "New|Create a new file",
         {Qt::CTRL | Qt::Key_N}, "new", &TMainForm::FileNew1Execute, false},
        {&TMainForm::FileOpen1, "FileOpen1", "&Open...", "Open|Open a file",
         {Qt::CTRL | Qt::Key_O}, "open", &TMainForm::FileOpen1Execute, false},
        {&TMainForm::FileClose1, "FileClose1", "&Close window", "Close|Close current file",
         {}, "", &TMainForm::closeActiveWindow, false},
        {&TMainForm::FileExit1, "FileExit1", "E&xit", "Exit|Exit application",
         {}, "", &TMainForm::FileExit1Execute, false},
        // Save and Save As act on the designer's system; without a designer
        // window they do nothing.
        {&TMainForm::FileSave1, "FileSave1", "&Save", "Save|Save current file",
         {Qt::CTRL | Qt::Key_S}, "", &TMainForm::FileSave1Execute, true},
        {&TMainForm::FileSaveAs1, "FileSaveAs1", "Save &As...", "Save As|Save current file with different name",
         {}, "", &TMainForm::FileSaveAs1Execute, true},
        {&TMainForm::EditUndo1, "EditUndo1", nullptr, "Undo|Takes back the last change of the system",
         {Qt::CTRL | Qt::Key_Z}, "undo", nullptr, false},
        {&TMainForm::EditRedo1, "EditRedo1", nullptr, "Redo|Makes the change taken back again",
         {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y}, "redo", nullptr, false},
        {&TMainForm::HelpAbout1, "HelpAbout1", "&About...", "Program and creator information",
         {}, "", &TMainForm::HelpAbout1Execute, false},
        // Cut, copy and paste act on the focused text field. A text field
        // handles its own keys first; the actions serve the rest of the window.
        {&TMainForm::EditCut1, "EditCut1", "Cu&t", "Cut|Moves the selected text to the clipboard",
         {Qt::CTRL | Qt::Key_X}, "", &TMainForm::cutText, true},
        {&TMainForm::EditCopy1, "EditCopy1", "&Copy", "Copy|Copies the selected text to the clipboard",
         {Qt::CTRL | Qt::Key_C}, "", &TMainForm::copyText, true},
        {&TMainForm::EditPaste1, "EditPaste1", "&Paste", "Paste|Inserts the text on the clipboard",
         {Qt::CTRL | Qt::Key_V}, "", &TMainForm::pasteText, true},
        {&TMainForm::WindowCascade1, "WindowCascade1", "&Cascade", "Cascade|Arranges windows so they overlap",
         {}, "", &TMainForm::cascade, false},
        {&TMainForm::WindowTileHorizontal1, "WindowTileHorizontal1", "Tile &Horizontally",
         "Tile Horizontally|Arranges windows one above the other",
         {}, "", &TMainForm::tileHorizontally, false},
        {&TMainForm::WindowTileVertical1, "WindowTileVertical1", "Tile &Vertically",
         "Tile Vertically|Arranges windows side by side",
         {}, "", &TMainForm::tileVertically, false},
        {&TMainForm::WindowMinimizeAll1, "WindowMinimizeAll1", "&Minimize All",
         "Minimize All|Minimizes all windows",
         {}, "", &TMainForm::minimizeAll, false},
        {&TMainForm::WindowArrangeAll1, "WindowArrangeAll1", "&Arrange All",
         "Arrange All|Arranges the minimized windows along the bottom",
         {}, "", &TMainForm::arrangeMinimized, false},
        {&TMainForm::MapCreatorWizard1, "MapCreatorWizard1", "Map creator wizard", "Launches Map Creator Wizard",
         {}, "", &TMainForm::MapCreatorWizard1Click, false},
        {&TMainForm::PlanetNamesManager1, "PlanetNamesManager1", "Planet names' manager", "",
         {}, "", &TMainForm::PlanetNamesManager1Click, false},
        {&TMainForm::SystemNamesManager1, "SystemNamesManager1", "System name's manager", "",
         {}, "", &TMainForm::SystemNamesManager1Click, false},
        {&TMainForm::VarsWatch1, "VarsWatch1", "Vars' Watch", "",
         {}, "", &TMainForm::VarsWatch1Click, false},
        {&TMainForm::ToolButtonPlanetNames, "ToolButtonPlanetNames", "Planet names", "Launch Planet Database Manager",
         {}, "planet_names", &TMainForm::PlanetNamesManager1Click, false},
        {&TMainForm::ToolButtonSystemNames, "ToolButtonSystemNames", "System names", "Launch System Database Manager",
         {}, "system_names", &TMainForm::SystemNamesManager1Click, false},
        {&TMainForm::ToolButtonWizard, "ToolButtonWizard", "Wizard", "Launch Map Creator Wizard",
         {}, "wizard", &TMainForm::MapCreatorWizard1Click, false},
        {&TMainForm::ToolButtonExit, "ToolButtonExit", "Exit", "Exit application",
         {}, "exit", &TMainForm::ToolButtonExitClick, false},
        {&TMainForm::WhatsNew1, "WhatsNew1", "What's new ?",
         "What's new... :) I don't think I have to  explain it. ;)",
         {}, "", &TMainForm::WhatsNew1Click, false},
    };
    // clang-format on
    for (const ActionRow& row : rows) {
        QAction*& action = this->*row.action;
        if (row.text) action = new QAction(QString::fromLatin1(row.text), this);
        action->setObjectName(QString::fromLatin1(row.name));
        if (*row.hint) setHint(action, QString::fromLatin1(row.hint));
        if (!row.keys.isEmpty()) action->setShortcuts(row.keys);
        if (*row.picture)
            action->setIcon(
                embeddedIcon(QStringLiteral("toolbar/") + QString::fromLatin1(row.picture)));
        if (row.handler) connect(action, &QAction::triggered, this, row.handler);
        if (row.windowWide) addAction(action);
    }

    ShowNames1 = new QAction(QStringLiteral("Show &names on the map"), this);
    ShowNames1->setObjectName(QStringLiteral("ShowNames1"));
    ShowNames1->setCheckable(true);
    setHint(ShowNames1, QStringLiteral("Names|Writes the names of planets and ships and the ids of "
                                       "jump nodes beside their markers"));
    connect(ShowNames1, &QAction::toggled, this, [this](bool on) {
        if (designer_) designer_->mapPanel()->setShowNames(on);
    });
    ShowObjects1 = objects_->toggleViewAction();
    ShowObjects1->setText(QStringLiteral("&Objects"));
    ShowObjects1->setObjectName(QStringLiteral("ShowObjects1"));
    setHint(ShowObjects1, QStringLiteral("Objects|Shows or hides the list of every object of the "
                                         "system beside the designer"));
}

// The standard window-close action: the active designer window closes,
// asking first only when its system has unsaved changes.
void TMainForm::closeActiveWindow() {
    if (QMdiSubWindow* sub = ClientArea->currentSubWindow())
        sub->close();
    else if (designer_)
        designer_->closeWindow();
}

void TMainForm::cutText() {
    editAction([](QLineEdit* e) { e->cut(); }, [](QTextEdit* e) { e->cut(); });
}

void TMainForm::copyText() {
    editAction([](QLineEdit* e) { e->copy(); }, [](QTextEdit* e) { e->copy(); });
}

void TMainForm::pasteText() {
    editAction([](QLineEdit* e) { e->paste(); }, [](QTextEdit* e) { e->paste(); });
}

void TMainForm::cascade() {
    ClientArea->cascadeSubWindows();
}

void TMainForm::tileHorizontally() {
    tile(Qt::Horizontal);
}

void TMainForm::tileVertically() {
    tile(Qt::Vertical);
}

void TMainForm::minimizeAll() {
    for (QMdiSubWindow* sub : ClientArea->subWindowList()) sub->showMinimized();
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
    system->addAction(FileOpen1);
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
    window->addSeparator();
    window->addAction(ShowNames1);
    window->addAction(ShowObjects1);

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
    // A whole designer window comes first: where the screen has no room for
    // the object list beside it, the list starts hidden (Window > Objects).
    if (const QScreen* shown = screen();
        shown && startSize().width() + 8 > shown->availableGeometry().width())
        objects_->hide();
    fitOnScreen(this, startSize());
    context_.state.MainWindowShown();
}

QSize TMainForm::startSize() const {
    // A whole designer window in its frame, with the menus, toolbar and status bar around it.
    QStyleOptionTitleBar title;
    title.initFrom(this);
    title.titleBarFlags = Qt::SubWindow | Qt::WindowTitleHint;
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    const int titleHeight = style()->pixelMetric(QStyle::PM_TitleBarHeight, &title, this);
    const int area = 2 * ClientArea->frameWidth();
    // The object list beside it, as wide as it asks to be.
    const int list =
        objects_->isHidden()
            ? 0
            : objects_->sizeHint().width() +
                  style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
    const int across = TMDIChild::kClientWidth + 2 * border + area + list;
    const int down = TMDIChild::kClientHeight + titleHeight + border + area +
                     menuBar()->sizeHint().height() + ToolBar1->height() +
                     statusBar()->sizeHint().height();
    return QSize(across, down).expandedTo(minimumSizeHint());
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
    objects_->setDesigner(nullptr);
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
    objects_->setDesigner(child);
    connect(child, &TMDIChild::closed, this, [this, child] {
        if (designer_ == child) designer_ = nullptr;
        objects_->setDesigner(designer_);
        updateWindowActions();
    });
    child->mapPanel()->setShowNames(ShowNames1->isChecked());
    child->FormCreate();
    if (!designer_) return nullptr;  // its open step was cancelled and it closed again
    child->setCaption(caption);
    sub->show();
    sub->move(0, 0);  // the workspace's top-left: all of it shows when the frame has room
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
