// Renders the editor's windows to PNG files for the README:
//   mapwright_screenshots OUTPUT_DIR SAMPLE.sdf SAMPLE_MAP.vmpf WORK_DIR
// It builds the real windows, opens the sample system through the main
// window's Open command (the file dialog answered with SAMPLE.sdf), loads the
// sample map into the wizard, checks a damaged copy of it, and grabs each
// window from the screen, window manager frame included. Run it under a display
// (scripts/screenshots starts Xvfb and a window manager).
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QSettings>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/editor_app.h"
#include "check/map_check.h"
#include "designer/map_panel.h"
#include "designer/mdi_child.h"
#include "designer/object_marker.h"
#include "dialogs/node_list.h"
#include "dialogs/property_dialogs.h"
#include "dialogs/ship_help.h"
#include "dialogs/z_dialog.h"
#include "document/editor_context.h"
#include "document/system_document.h"
#include "map/project_file.h"
#include "name_windows/listdat.h"
#include "name_windows/planet_names.h"
#include "project/project_check.h"
#include "shell/about_box.h"
#include "shell/editor_windows.h"
#include "shell/help_window.h"
#include "shell/icons_help.h"
#include "shell/main_form.h"
#include "shell/recent_files_menu.h"
#include "shell/whats_new.h"
#include "widgets/text.h"
#include "wizard/map_picture_view.h"
#include "wizard/mcw.h"
#include "wizard/mcw_check.h"
#include "wizard/mcw_help.h"
#include "wizard/tab_control.h"

namespace {

using namespace mw::ui;

/// Answers every question with Yes and every open dialog with the samples.
class SamplePrompts : public mw::Prompts {
  public:
    SamplePrompts(std::string sample, std::string sampleMap)
        : sample_(std::move(sample)), sampleMap_(std::move(sampleMap)) {}
    void notice(const std::string& text) override { report("notice", text); }
    void error(const std::string& text) override {
        report("error", text);
        failed = true;
    }
    bool ask(const std::string&) override { return true; }
    std::string chooseFile(mw::FileDialog dialog) override {
        if (dialog == mw::FileDialog::OpenSystem || dialog == mw::FileDialog::LinkSystems)
            return sample_;
        if (dialog == mw::FileDialog::LoadProject) return sampleMap_;
        return {};
    }
    bool failed = false;

  private:
    static void report(const char* kind, const std::string& text) {
        std::fprintf(stderr, "mapwright_screenshots: %s: %s\n", kind, text.c_str());
    }
    std::string sample_;
    std::string sampleMap_;
};

void settle(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

/// How a grab went: saved, or left unsaved because the window manager has
/// not framed the window (only when asked to give up on that).
enum class Grab { Saved, Unframed, Failed };

Grab grabWindow(QWidget* window, const QString& file, bool mayGiveUp) {
    window->raise();
    window->activateWindow();
    settle(600);
    // The window manager frames a newly shown window a little later (much later
    // on a busy machine), and now and then misses one.
    const auto framed = [window] {
        const QRect frame = window->frameGeometry();
        return frame != window->geometry() && frame.contains(window->geometry());
    };
    // Framed for a while: the frame is drawn a moment after it is reported.
    int steady = 0;
    for (int waited = 0; steady < 4 && waited < 5000; waited += 100) {
        settle(100);
        steady = framed() ? steady + 1 : 0;
    }
    if (steady < 4 && mayGiveUp) return Grab::Unframed;
    const QRect frame = window->frameGeometry();
    const QPixmap shot =
        window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    if (!shot.save(file)) {
        std::fprintf(stderr, "mapwright_screenshots: cannot write %s\n", qPrintable(file));
        return Grab::Failed;
    }
    std::printf("%s\n", qPrintable(file));
    return Grab::Saved;
}

bool grab(QWidget* window, const QString& file) {
    return grabWindow(window, file, false) == Grab::Saved;
}

/// The map picture is drawn off the window's thread: waits until it shows the map.
void waitForPicture(const mw::ui::MapPictureView* picture) {
    QElapsedTimer waited;
    waited.start();
    while (picture->drawing() && waited.elapsed() < 20000) {
        QApplication::processEvents();
        QThread::msleep(5);
    }
}

/// Grabs the modal dialog that `open` shows, after `prepare` has set it up,
/// then cancels it. A dialog the window manager has not framed is opened again.
bool grabModal(const QString& file, const std::function<void()>& open,
               const std::function<void(QWidget*)>& prepare = {}) {
    constexpr int kTries = 4;
    Grab result = Grab::Failed;
    for (int attempt = 1; attempt <= kTries; ++attempt) {
        result = Grab::Failed;
        settle(400);  // the window manager is done with the last window
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            if (prepare) prepare(dialog);
            result = grabWindow(dialog, file, attempt < kTries);
            dialog->reject();
        });
        open();
        if (result != Grab::Unframed) break;
    }
    if (result == Grab::Failed)
        std::fprintf(stderr, "mapwright_screenshots: no dialog for %s\n", qPrintable(file));
    return result == Grab::Saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fputs("usage: mapwright_screenshots OUTPUT_DIR SAMPLE.sdf SAMPLE_MAP.vmpf WORK_DIR\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    applyEditorLook();
    const QString out = QString::fromLocal8Bit(argv[1]);
    const auto absolute = [](const char* arg) {
        return toPath(QFileInfo(QString::fromLocal8Bit(arg)).absoluteFilePath());
    };
    QDir().mkpath(out);

    // The working folder holds main.ond; the name lists are kept there.
    mw::EditorState state{std::filesystem::path(argv[4])};
    SamplePrompts prompts(absolute(argv[2]), absolute(argv[3]));
    SystemDocument document(state.designer(), prompts);
    EditorContext context{state, document, prompts, ProgramFiles()};
    TMainForm mainForm(context);
    const EditorWindows windows = createEditorWindows(mainForm, context);
    mainForm.setWindowIcon(QIcon(context.files.path(QStringLiteral("mapwright.png"))));
    const QDir work(QString::fromLocal8Bit(argv[4]));
    QSettings recentFiles(work.filePath(QStringLiteral("mapwright.conf")), QSettings::IniFormat);
    mainForm.setRecentFiles(recentFiles);
    mainForm.show();
    settle(300);

    bool ok = true;
    mainForm.FileOpen1Execute();
    TMDIChild* designer = mainForm.designer();
    if (!designer) {
        std::fputs("mapwright_screenshots: the sample did not open\n", stderr);
        return 1;
    }
    designer->SpeedButton[1]->click();  // the ship tool, to show a selection other than the first
    QMouseEvent move(QEvent::MouseMove, QPointF(330, 150),
                     designer->mapPanel()->mapToGlobal(QPointF(330, 150)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(designer->mapPanel(), &move);
    // As the editor starts: the main window holds the whole designer without help.
    ok &= grab(&mainForm, out + QStringLiteral("/main_window.png"));

    // The object list with a planet chosen on the map: its row selected, its
    // marker highlighted; then the same with the names on the map.
    designer->mapPanel()->focusMarker(designer->marker(mw::ObjectKind::Planet, 2));
    ok &= grab(&mainForm, out + QStringLiteral("/designer_objects_panel.png"));
    mainForm.ShowNames1->setChecked(true);
    ok &= grab(&mainForm, out + QStringLiteral("/designer_names.png"));
    mainForm.ShowNames1->setChecked(false);
    designer->mapPanel()->focusMarker(nullptr);

    // The System menu with the recent files: the sample opened above, a file
    // since removed (greyed out) and the sample map.
    mainForm.recentFiles()->remember(work.filePath(QStringLiteral("removed.sdf")));
    mainForm.recentFiles()->remember(fromPath(absolute(argv[3])));
    auto* systemMenu = mainForm.menuBar()->findChild<QMenu*>(QStringLiteral("System1"));
    systemMenu->popup(mainForm.menuBar()->mapToGlobal(
        mainForm.menuBar()->actionGeometry(systemMenu->menuAction()).bottomLeft()));
    settle(300);
    ok &= grab(&mainForm, out + QStringLiteral("/system_menu_recent_files.png"));
    systemMenu->hide();

    windows.AboutBox->show();
    ok &= grab(windows.AboutBox, out + QStringLiteral("/about_box.png"));
    windows.AboutBox->hide();

    windows.whatsnew->show();
    ok &= grab(windows.whatsnew, out + QStringLiteral("/whats_new.png"));
    windows.whatsnew->hide();

    windows.icons->show();
    ok &= grab(windows.icons, out + QStringLiteral("/system_design_help.png"));
    windows.icons->hide();

    mainForm.helpWindow()->openHelpFile(QStringLiteral("bai.hlp"));
    ok &= grab(mainForm.helpWindow(), out + QStringLiteral("/help_buttons_and_icons.png"));
    mainForm.helpWindow()->hide();

    // Each property dialog as a click on the first marker of its kind opens it.
    const struct {
        mw::ObjectKind kind;
        const char* file;
    } dialogs[] = {
        {mw::ObjectKind::Planet, "planet_properties"},
        {mw::ObjectKind::MicroAsteroid, "micro_asteroid_properties"},
        {mw::ObjectKind::Asteroid, "asteroid_properties"},
        {mw::ObjectKind::Wreck, "wreckage_properties"},
        {mw::ObjectKind::Nebula, "nebulae_properties"},
        {mw::ObjectKind::JumpNode, "jumpnode_properties"},
        {mw::ObjectKind::Ship, "ship_properties"},
    };
    for (const auto& d : dialogs) {
        ObjectMarker* marker = designer->marker(d.kind, 1);
        if (!marker) {
            std::fprintf(stderr, "mapwright_screenshots: the sample lacks a %s\n", d.file);
            ok = false;
            continue;
        }
        ok &= grabModal(out + QStringLiteral("/%1.png").arg(QLatin1String(d.file)),
                        [marker] { marker->click(); });
    }
    const PropertyDialogs& dialogWindows = windows.dialogs;
    ok &= grabModal(out + QStringLiteral("/z_coordinate.png"),
                    [&] { dialogWindows.magassag->openFor(mw::ObjectKind::Planet); });
    ok &= grabModal(out + QStringLiteral("/ship_types_help.png"),
                    [&] { dialogWindows.ship_help->exec(); });
    if (const auto entries = document.linkSystems())
        ok &= grabModal(
            out + QStringLiteral("/select_node.png"),
            [&] { dialogWindows.NodeList->offer(*entries); },
            [&](QWidget*) {
                if (dialogWindows.NodeList->ComboBox1->count() > 1)
                    dialogWindows.NodeList->ComboBox1->setCurrentIndex(1);
            });
    // The wizard with the sample map, its second empire's tab chosen.
    windows.MCW->show();
    windows.MCW->Button7Click();
    waitForPicture(windows.MCW->Image1);
    const QPoint tab = windows.MCW->TabControl1->tabRect(1).center();
    QMouseEvent press(QEvent::MouseButtonPress, tab, windows.MCW->TabControl1->mapToGlobal(tab),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(windows.MCW->TabControl1, &press);
    ok &= grab(windows.MCW, out + QStringLiteral("/map_creator_wizard.png"));
    windows.MCW->Button6Click();
    ok &= grab(windows.MCWhelp, out + QStringLiteral("/map_creator_wizard_help.png"));
    windows.MCWhelp->hide();

    // The check of a copy of the sample map that lost Beta's design file and
    // plays with two empires: what "Check map" lists for it.
    const std::filesystem::path broken = std::filesystem::path(argv[4]) / "broken";
    std::filesystem::create_directories(broken);
    const std::filesystem::path sampleFolder =
        std::filesystem::path(absolute(argv[3])).parent_path();
    for (const char* name : {"alpha.sdf", "gamma.sdf"})
        std::filesystem::copy_file(sampleFolder / name, broken / name,
                                   std::filesystem::copy_options::overwrite_existing);
    mw::MapProjectRecord damaged = mw::ReadProjectFile(absolute(argv[3]));
    damaged.empireCount = 2;
    damaged.systems[2].systemName = "Gama";  // a slip of the map's name for Gamma
    mw::WriteProjectFile((broken / "broken.vmpf").string(), damaged);
    mw::LoadProjectFile(state.project(), (broken / "broken.vmpf").string(), prompts);
    windows.MCW->showProject();
    waitForPicture(windows.MCW->Image1);
    // Its fix buttons: "Set to 0" for the nodes that led to Beta, "Use the sun's name".
    windows.MCW->MCWcheck->setMap(state.map(), prompts);
    windows.MCW->MCWcheck->show();
    ok &= grab(windows.MCW->MCWcheck, out + QStringLiteral("/map_check.png"));
    windows.MCW->MCWcheck->hide();
    ok &= grab(windows.MCW, out + QStringLiteral("/map_creator_wizard_problems.png"));
    // A link being dragged in the picture from Alpha towards Gamma.
    mw::ui::MapPictureView* picture = windows.MCW->Image1;
    const QPointF from = picture->systemCentre(0);
    const QPointF to = (from + QPointF(picture->systemCentre(2))) / 2;
    QMouseEvent down(QEvent::MouseButtonPress, from, picture->mapToGlobal(from), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &down);
    QMouseEvent drag(QEvent::MouseMove, to, picture->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(picture, &drag);
    ok &= grab(windows.MCW, out + QStringLiteral("/map_creator_wizard_link_drag.png"));
    // Let go outside every system: nothing is linked.
    const QPointF away(2, 2);
    QMouseEvent up(QEvent::MouseButtonRelease, away, picture->mapToGlobal(away), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &up);
    windows.MCW->hide();

    windows.Planet_Names->setMode(mw::NamesMode::Planets);
    windows.Planet_Names->show();
    ok &= grab(windows.Planet_Names, out + QStringLiteral("/planet_names_manager.png"));
    windows.Planet_Names->hide();

    windows.LISTDAT->show();
    windows.LISTDAT->Button4Click();
    ok &= grab(windows.LISTDAT, out + QStringLiteral("/vars_watch.png"));
    windows.LISTDAT->hide();

    return ok && !prompts.failed ? 0 : 1;
}
