// The main window's wiring: menus, toolbar and status bar, New and Open with
// the open flag, both quit commands, the help commands and the shell windows.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "designer/map_panel.h"
#include "designer/mdi_child.h"
#include "shell/about_box.h"
#include "shell/help_window.h"
#include "shell/icons_help.h"
#include "shell/whats_new.h"
#include "system/designer_text.h"
#include "ui_test_support.h"

using namespace mw::ui;
using namespace mw::ui::test;
using Strings = std::vector<std::string>;

namespace {

const std::string kSample = VK_SOURCE_DIR "/data/samples/sample.sdf";

}  // namespace

class MainFormTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { editor = std::make_unique<TestEditor>(); }
    void cleanup() { editor.reset(); }

    void frameAndShellWindows() {
        TMainForm& f = *editor->mainForm;
        QCOMPARE(f.windowTitle(), QStringLiteral("Velmora Mission Editor v2.2"));
        QCOMPARE(f.findChild<QToolBar*>(QStringLiteral("ToolBar1"))->height(), 33);
        QVERIFY(f.designer() == nullptr);
        // The shell windows exist from the start, hidden.
        for (QWidget* w : std::initializer_list<QWidget*>{
                 editor->windows.AboutBox, editor->windows.icons, editor->windows.whatsnew})
            QVERIFY(w && w->parent() == &f && w->isHidden());
    }

    void menuItems_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("new") << "System/&Open system designer window"
                             << "Ctrl+N" << true << true;
        QTest::newRow("close") << "System/&Close window"
                               << "" << true << false;
        QTest::newRow("exit") << "System/E&xit"
                              << "" << true << true;
        QTest::newRow("open") << "System/&Open..."
                              << "Ctrl+O" << true << true;
        QTest::newRow("save") << "System/&Save"
                              << "Ctrl+S" << true << false;
        QTest::newRow("save as") << "System/Save &As..."
                                 << "" << true << false;
        QTest::newRow("undo") << "Edit/&Undo"
                              << "Ctrl+Z" << true << false;
        QTest::newRow("redo") << "Edit/&Redo"
                              << "Ctrl+Shift+Z" << true << false;
        QTest::newRow("surprise") << "Tools/Surprise here in next version"
                                  << "" << false << false;
        QTest::newRow("here too") << "Tools/And here too... ;-)"
                                  << "" << false << false;
        QTest::newRow("whats new") << "&Help/What's new ?"
                                   << "" << true << true;
        QTest::newRow("tutorial") << "&Help/Tutorials/Compiling the map"
                                  << "" << true << true;
        QTest::newRow("about") << "&Help/&About..."
                               << "" << true << true;
        QTest::newRow("tile") << "&Window/Tile &Horizontally"
                              << "" << true << false;
        QTest::newRow("dev menu") << "DevMenu"
                                  << "" << false << false;
    }
    void menuItems() {
        QFETCH(QString, path);
        QList<QAction*> actions = editor->mainForm->menuBar()->actions();
        QAction* found = nullptr;
        for (const QString& part : path.split(QLatin1Char('/'))) {
            found = nullptr;
            for (QAction* a : actions)
                if (a->text() == part) found = a;
            if (!found) QFAIL(qPrintable(part));
            if (found->menu()) actions = found->menu()->actions();
        }
        if (!found) QFAIL("an empty menu path");
        QTEST(found->shortcut().toString(), "shortcut");
        QTEST(found->isVisible(), "visible");
        QTEST(found->isEnabled(), "enabled");
    }

    void statusBarShowsTheLongHintUnderTheMouse() {
        TMainForm& f = *editor->mainForm;
        auto* toolbar = f.findChild<QToolBar*>();
        QWidget* button = toolbar->widgetForAction(f.FileNew1);
        QCOMPARE(button->toolTip(), QStringLiteral("New"));
        QTest::mouseMove(button, button->rect().center());
        QTRY_COMPARE(f.statusBar()->currentMessage(), QStringLiteral("Create a new file"));
        QWidget* exitButton = toolbar->widgetForAction(f.ToolButtonExit);
        QTest::mouseMove(exitButton, exitButton->rect().center());
        QTRY_COMPARE(f.statusBar()->currentMessage(), QStringLiteral("Exit application"));
    }

    void newOpensOneDesignerOnly() {
        TMainForm& f = *editor->mainForm;
        QTest::keyClick(&f, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(f.designer());
        // "Unnamed system" until the window shows, then the drawn name.
        QCOMPARE(f.designer()->windowTitle(),
                 f.designer()->Edit1->text() + QStringLiteral(" system"));
        QTest::keyClick(&f, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(f.clientArea()->subWindowList().size(), 1);
        // "Close window" closes without a question.
        QVERIFY(f.FileClose1->isEnabled());
        f.FileClose1->trigger();
        QVERIFY(f.designer() == nullptr);
        // Without a designer window Ctrl+S does nothing.
        QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(f.designer() == nullptr);
        QVERIFY(editor->prompts.questions.empty() && editor->prompts.dialogs.empty());
    }

    void editAndWindowActionsServeTheDesigner() {
        TMainForm& f = *editor->mainForm;
        TMDIChild* designer = editor->newDesigner();
        QApplication::clipboard()->setText(QStringLiteral("Vega"));
        designer->Edit1->selectAll();
        designer->Edit1->setFocus();
        QVERIFY(f.EditPaste1->isEnabled());
        f.EditPaste1->trigger();
        QCOMPARE(designer->Edit1->text(), QStringLiteral("Vega"));
        QCOMPARE(designer->windowTitle(), QStringLiteral("Vega system*"));
        designer->Button1->setFocus();
        QVERIFY(!f.EditPaste1->isEnabled());

        QMdiSubWindow* sub = f.clientArea()->subWindowList().first();
        sub->move(40, 30);
        f.WindowTileVertical1->trigger();
        QCOMPARE(sub->pos(), QPoint(0, 0));
        f.WindowMinimizeAll1->trigger();
        QVERIFY(sub->isMinimized());
        f.WindowArrangeAll1->trigger();
        QCOMPARE(sub->geometry().bottom(), f.clientArea()->viewport()->rect().bottom());
    }

    void openWithoutDesignerGoesStraightToTheFileDialog() {
        TMainForm& f = *editor->mainForm;
        editor->prompts.file(kSample);
        QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
        QVERIFY(f.designer());
        QVERIFY(editor->prompts.questions.empty());
        QCOMPARE(editor->prompts.dialogs, std::vector<mw::FileDialog>{mw::FileDialog::OpenSystem});
        QCOMPARE(f.designer()->windowTitle(), QStringLiteral("Sol system"));
        QCOMPARE(f.designer()->markers().size(), 9);  // every object of the sample
        QVERIFY(!editor->state->openFlag());
    }

    void cancellingTheOpenDialogClosesTheNewWindow() {
        TMainForm& f = *editor->mainForm;
        f.FileOpen1->trigger();  // no file scripted: the dialog is cancelled
        QVERIFY(f.designer() == nullptr);
        QVERIFY(f.clientArea()->subWindowList().isEmpty());
        QVERIFY(!editor->state->openFlag());
    }

    void noToOpenChangesNothing() {
        TMainForm& f = *editor->mainForm;
        TMDIChild* first = editor->newDesigner();
        editor->document->markModified();
        const QString caption = first->windowTitle();
        editor->prompts.answer(false);
        f.FileOpen1->trigger();
        QCOMPARE(
            editor->prompts.questions,
            Strings{"Are you sure you want to open a new map? Your unsaved data will be lost!"});
        QCOMPARE(f.designer(), first);
        QCOMPARE(first->windowTitle(), caption);
        QVERIFY(!editor->state->openFlag());
        QVERIFY(editor->prompts.dialogs.empty());
    }

    // Unsaved work is never dropped by a close box without a question;
    // unchanged work closes without one.
    void closeBoxesAskOnlyWhenThereAreUnsavedChanges() {
        TMainForm& f = *editor->mainForm;
        TMDIChild* child = editor->newDesigner();
        auto* sub = qobject_cast<QMdiSubWindow*>(child->parentWidget());
        QVERIFY(sub);
        editor->document->markModified();
        editor->prompts.answer(false);
        QVERIFY(!sub->close());
        QCOMPARE(editor->prompts.questions,
                 Strings{std::string(mw::designer_text::kAskCloseWindow)});
        QCOMPARE(f.designer(), child);
        editor->prompts.answer(false);
        QVERIFY(!f.close());
        QCOMPARE(editor->prompts.questions.back(),
                 std::string("Are you sure you want to quit? (Your unsaved datas will be lost!)"));
        QCOMPARE(f.designer(), child);
        editor->prompts.answer(true);
        QVERIFY(f.close());  // asked once, by the main window, not again by the designer
        QCOMPARE(editor->prompts.questions.size(), std::size_t{3});
        QVERIFY(f.designer() == nullptr);

        f.show();
        editor->newDesigner();
        editor->prompts.questions.clear();
        QVERIFY(f.close());
        QVERIFY(editor->prompts.questions.empty());
    }

    void quitFromTheMenuClosesTheWindows() {
        TMainForm& f = *editor->mainForm;
        editor->newDesigner();
        editor->document->markModified();
        editor->prompts.answer(false).answer(true);
        f.FileExit1->trigger();
        QVERIFY(f.isVisible());
        f.FileExit1->trigger();
        QCOMPARE(editor->prompts.questions.back(),
                 std::string("Are you sure you want to quit? (Your unsaved datas will be lost!)"));
        QVERIFY(!f.isVisible());
        QVERIFY(f.designer() == nullptr);  // closed one by one
        QVERIFY(!editor->terminated);
    }

    void saveWritesWhatSaveAsWrites() {
        TMainForm& f = *editor->mainForm;
        TMDIChild* designer = editor->newDesigner();
        QVERIFY(f.findChild<QToolBar*>()->widgetForAction(f.EditUndo1));
        QTest::mouseClick(designer->mapPanel(), Qt::LeftButton, {}, QPoint(60, 60));
        // No file yet: Save asks for one.
        editor->prompts.file(editor->scratch.path("first"));
        QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(editor->prompts.dialogs, std::vector<mw::FileDialog>{mw::FileDialog::SaveSystem});
        QCOMPARE(editor->document->filePath().toStdString(), editor->scratch.path("first.sdf"));
        QVERIFY(!editor->document->isModified());
        // Then it writes there without asking; Save As always asks.
        QTest::mouseClick(designer->mapPanel(), Qt::LeftButton, {}, QPoint(90, 90));
        QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(editor->prompts.dialogs.size(), 1u);
        editor->prompts.file(editor->scratch.path("copy.sdf"));
        f.FileSaveAs1->trigger();
        QCOMPARE(editor->prompts.dialogs.size(), 2u);
        QCOMPARE(editor->scratch.read("first.sdf"), editor->scratch.read("copy.sdf"));
        QCOMPARE(editor->scratch.read("copy.sdf").size(), 3 * std::size_t(568));
        QVERIFY(editor->prompts.questions.empty() && editor->prompts.errors.empty());
        // Nothing changed since: quitting asks nothing.
        f.FileExit1->trigger();
        QVERIFY(!f.isVisible());
        QVERIFY(editor->prompts.questions.empty());
    }

    void quitFromTheToolbarEndsAtOnce() {
        TMainForm& f = *editor->mainForm;
        editor->newDesigner();
        editor->document->markModified();
        editor->prompts.answer(true);
        QWidget* exitButton = f.findChild<QToolBar*>()->widgetForAction(f.ToolButtonExit);
        QTest::mouseClick(exitButton, Qt::LeftButton);
        QCOMPARE(editor->prompts.questions,
                 Strings{"Are you sure you want to quit? (Your unsaved datas will be lost)"});
        QVERIFY(editor->terminated);
        QVERIFY(f.designer());  // no window was closed one by one
    }

    void helpCommandsOpenTheirPages_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("page");
        QTest::newRow("readme") << "Readme1"
                                << "readme.html";
        QTest::newRow("intro") << "Introduction1"
                               << "intro.html";
        QTest::newRow("buttons") << "ButtonsandIcons1"
                                 << "bai.html";
        QTest::newRow("tutorial 1") << "Creatingasystem1"
                                    << "tutorial1.html";
        QTest::newRow("tutorial 2") << "Compilingthemap1"
                                    << "tutorial2.html";
    }
    void helpCommandsOpenTheirPages() {
        QFETCH(QString, item);
        editor->mainForm->findChild<QAction*>(item)->trigger();
        HelpWindow* help = editor->mainForm->helpWindow();
        QVERIFY(help->isVisible());
        QTEST(help->browser()->source().fileName(), "page");
        QVERIFY(!help->browser()->toPlainText().isEmpty());
        QVERIFY(editor->prompts.errors.empty());
    }

    void iconsHelpButtonsOpenPagesAndCloseHides() {
        Ticons* icons = editor->windows.icons;
        icons->show();
        auto* tutorial = icons->findChild<QPushButton*>(QStringLiteral("Button5"));
        QCOMPARE(tutorial->text(), QStringLiteral("Map making tutorial"));
        QTest::mouseClick(tutorial, Qt::LeftButton);
        QCOMPARE(editor->mainForm->helpWindow()->browser()->source().fileName(),
                 QStringLiteral("tutorial2.html"));
        QTest::mouseClick(icons->findChild<QPushButton*>(QStringLiteral("Button6")),
                          Qt::LeftButton);
        QVERIFY(icons->isHidden());
    }

    void aboutAndWhatsNewShowModally() {
        QString aboutTitle;
        bool banner = false;
        closeNextModal([&](QWidget* w) {
            aboutTitle = w->windowTitle();
            banner = !qobject_cast<TAboutBox*>(w)->banner()->pixmap().isNull();
        });
        editor->mainForm->HelpAbout1->trigger();
        QCOMPARE(aboutTitle, QStringLiteral("About the program..."));
        QVERIFY(banner);
        QString text;
        closeNextModal(
            [&](QWidget* w) { text = qobject_cast<Twhatsnew*>(w)->text()->toPlainText(); });
        editor->mainForm->WhatsNew1->trigger();
        QVERIFY(text.contains(QStringLiteral("Known issues")));
        QVERIFY(editor->prompts.errors.empty());
    }

    void missingFilesAreNamedNotFatal() {
        QTemporaryDir empty;
        editor.reset();
        editor = std::make_unique<TestEditor>(empty.path());
        editor->mainForm->findChild<QAction*>(QStringLiteral("Readme1"))->trigger();
        QCOMPARE(editor->prompts.errors.size(), 1u);
        QVERIFY(editor->prompts.errors[0].find("help/readme.html") != std::string::npos);
        QVERIFY(!editor->mainForm->helpWindow()->isVisible());
        // A tool picture: the tool stays what it was.
        TMDIChild* designer = editor->newDesigner();
        QTest::mouseClick(designer->SpeedButton[1], Qt::LeftButton);
        QVERIFY(editor->prompts.errors.back().find("haj.bmp") != std::string::npos);
        QCOMPARE(designer->tool(), mw::Tool::Planet);
        QVERIFY(designer->SpeedButton[0]->isChecked() && !designer->SpeedButton[1]->isChecked());
    }

    // Run again by startGeometryOnOtherScreens on other screens and scales.
    void startGeometryFitsTheScreen() {
        TMainForm& f = *editor->mainForm;
        const QRect area = f.screen()->availableGeometry();
        const QRect frame = f.frameGeometry();
        QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                      .arg(frame.x())
                                                      .arg(frame.y())
                                                      .arg(frame.width())
                                                      .arg(frame.height())));
        QVERIFY(std::abs((frame.left() - area.left()) - (area.right() - frame.right())) <= 1);
        f.FileNew1->trigger();
        QMdiSubWindow* sub = f.clientArea()->subWindowList().value(0);
        QVERIFY(sub);
        QCOMPARE(sub->pos(), QPoint(0, 0));
        if (qEnvironmentVariableIsSet("VK_EXPECT_WHOLE_DESIGNER"))
            QVERIFY(f.clientArea()->viewport()->rect().contains(sub->geometry()));
        // The selection picture has a device pixel for each of the screen's.
        QCOMPARE(f.designer()->Image1->pixmap().devicePixelRatio(),
                 f.designer()->devicePixelRatioF());
    }

    void startGeometryOnOtherScreens_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("scale");
        QTest::addColumn<bool>("whole");
        QTest::newRow("1280x1024 at 2") << QSize(1280, 1024) << "2" << false;
        QTest::newRow("1280x1024") << QSize(1280, 1024) << "1" << true;
        QTest::newRow("1920x1080 at 1.5") << QSize(1920, 1080) << "1.5" << true;
        QTest::newRow("1024x600") << QSize(1024, 600) << "1" << false;
    }
    void startGeometryOnOtherScreens() {
        QFETCH(QSize, screen);
        QFETCH(QString, scale);
        QFETCH(bool, whole);
        QTemporaryDir dir;
        QFile config(dir.filePath(QStringLiteral("screen.json")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QStringLiteral(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": %1,)"
                                    R"( "height": %2, "logicalDpi": 96, "dpr": 1}]})")
                         .arg(screen.width())
                         .arg(screen.height())
                         .toUtf8());
        config.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                   QStringLiteral("offscreen:configfile=") + config.fileName());
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        if (whole) env.insert(QStringLiteral("VK_EXPECT_WHOLE_DESIGNER"), QStringLiteral("1"));
        QProcess run;
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("startGeometryFitsTheScreen")});
        QVERIFY(run.waitForFinished(120000));
        QVERIFY2(run.exitCode() == 0, run.readAll().constData());
    }

  private:
    std::unique_ptr<TestEditor> editor;
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
