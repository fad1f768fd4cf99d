// Work that outlives a window: the recent files of the System menu, files
// named on the command line, and the recovery file, in the window and in a
// real editor process killed after its autosave.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QUndoStack>
#include <QtTest>

#include "common/errors.h"
#include "common/file_faults.h"
#include "designer/mdi_child.h"
#include "recovery/recovery_file.h"
#include "shell/recent_files_menu.h"
#include "shell/recovery_keeper.h"
#include "ui_test_support.h"
#include "widgets/text.h"
#include "wizard/mcw.h"

using namespace mw;
using namespace mw::ui;
using namespace mw::ui::test;

namespace {

const std::string kSample = VK_SOURCE_DIR "/data/samples/sample.sdf";

QString path(const vk_test::ScratchDir& dir, const std::string& name) {
    return QString::fromStdString(dir.path(name));
}

/// Opens the System menu and clicks the entry where it shows.
void clickMenuEntry(TMainForm& form, QAction* entry) {
    auto* system = form.menuBar()->findChild<QMenu*>(QStringLiteral("System1"));
    system->popup(form.mapToGlobal(QPoint(0, 0)));
    QVERIFY(QTest::qWaitForWindowExposed(system));
    QTest::mouseMove(system, system->actionGeometry(entry).center());
    QTest::mouseClick(system, Qt::LeftButton, {}, system->actionGeometry(entry).center());
}

}  // namespace

class SessionTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        editor = std::make_unique<TestEditor>();
        settings = std::make_unique<QSettings>(path(editor->scratch, "config/mapwright.conf"),
                                               QSettings::IniFormat);
        editor->mainForm->setRecentFiles(*settings);
    }
    void cleanup() {
        settings.reset();
        editor.reset();
    }

    void recentFilesAreKeptGreyedWhenGoneAndReopened() {
        TMainForm& f = *editor->mainForm;
        RecentFilesMenu& recent = *f.recentFiles();
        QVERIFY(recent.entries().isEmpty());
        editor->scratch.write("a.sdf", vk_test::readFile(kSample));
        const QString a = path(editor->scratch, "a.sdf");
        for (int i = 1; i <= 9; ++i)
            recent.remember(path(editor->scratch, "old" + std::to_string(i)));
        recent.remember(a);
        QCOMPARE(recent.entries().size(), 8);
        // Each entry names its folder too, so two files of one name differ.
        const QString folder = QString::fromStdString(editor->scratch.root().string());
        QCOMPARE(recent.entries()[0]->text(), QStringLiteral("&1 a.sdf  (%1)").arg(folder));
        QVERIFY(recent.entries()[0]->isEnabled());
        QCOMPARE(recent.entries()[1]->text(), QStringLiteral("&2 old9  (%1)").arg(folder));
        QVERIFY(!recent.entries()[1]->isEnabled());
        QCOMPARE(recent.entries()[1]->toolTip(), path(editor->scratch, "old9"));
        // Kept in the settings file, read again by a new start.
        QSettings again(path(editor->scratch, "config/mapwright.conf"), QSettings::IniFormat);
        QCOMPARE(again.value(QStringLiteral("recentFiles")).toStringList(), recent.files());

        // A design file chosen from the menu opens in a designer window.
        clickMenuEntry(f, recent.entries()[0]);
        QTRY_VERIFY(f.designer() != nullptr);
        QCOMPARE(editor->document->filePath(), a);
        QVERIFY(!editor->document->isModified());
        QVERIFY(editor->document->designer().tables().planets.at(1).deleted == 0);
    }

    void savesAndWizardFilesJoinTheList() {
        TMainForm& f = *editor->mainForm;
        editor->newDesigner();
        const QString saved = path(editor->scratch, "new.sdf");
        editor->prompts.file(saved.toStdString());
        f.FileSaveAs1->trigger();
        QCOMPARE(f.recentFiles()->files(), QStringList{saved});
        // The main window's Open (nothing unsaved: no question) opens as the window is made.
        editor->prompts.file(kSample);
        f.FileOpen1->trigger();
        QCOMPARE(f.recentFiles()->files(), (QStringList{QString::fromStdString(kSample), saved}));

        // A project file named on the command line opens the wizard with it loaded.
        const QString project = path(editor->scratch, "m.vmpf");
        editor->prompts.answers["Save the map to a *.vmpf file?"] = true;
        editor->prompts.files[FileDialog::SaveProject] = project.toStdString();
        editor->prompts.files[FileDialog::InsertSystem] = saved.toStdString();
        whenModal<TMCW>([](TMCW* w) {
            w->Edit1->setText(QStringLiteral("Crossing"));
            w->Button1->click();
            w->Button4->click();
            w->reject();
        });
        f.MapCreatorWizard1->trigger();
        QCOMPARE(f.recentFiles()->files(),
                 (QStringList{project, QString::fromStdString(kSample), saved}));
        QString shownName;
        whenModal<TMCW>([&shownName](TMCW* w) {
            shownName = w->Edit1->text();
            w->reject();
        });
        f.openFile(project);
        QCOMPARE(shownName, QStringLiteral("Crossing"));
    }

    void recoveryIsWrittenWhileChangedAndOfferedAtStart() {
        vk_test::ScratchDir state("mw-state");
        const RecoveryFiles files(state.root());
        auto keeper = std::make_unique<RecoveryKeeper>(
            *editor->document, editor->state->map(), files, editor->prompts, std::chrono::hours(1));
        editor->newDesigner();
        keeper->autosave();
        QVERIFY(!files.find());  // nothing changed
        editor->document->clickMap(Tool::Planet, QPoint(100, 120));
        keeper->autosave();
        QVERIFY(files.find());
        // More letters of a word merge into the step already made: still written.
        editor->document->setSunName(QStringLiteral("Veg"));
        keeper->autosave();
        editor->document->setSunName(QStringLiteral("Vega"));
        keeper->autosave();
        QCOMPARE(editor->document->undoStack()->count(), 2);
        const std::string changed = vk_test::readFile(files.designFile());
        QVERIFY(changed.find("Vega") != std::string::npos);
        const QString target = path(editor->scratch, "kept.sdf");
        editor->prompts.file(target.toStdString());
        QVERIFY(editor->document->save());
        QVERIFY(!files.find());  // a save removes it
        QCOMPARE(vk_test::readFile(target.toStdString()), changed);

        // A crash leaves it behind; the next start offers it: No sets it aside, Yes restores.
        editor->document->clickMap(Tool::Nebula, QPoint(300, 60));
        keeper->autosave();
        const std::string crashed = vk_test::readFile(files.designFile());
        const RecoveryInfo info = *files.find();
        QCOMPARE(info.originalPath, target.toStdString());
        keeper.reset();  // a clean end removes it
        QVERIFY(!files.find());
        const auto leaveAsACrash = [&] {
            vk_test::writeFile(files.infoFile(), EncodeRecoveryInfo(info));
            vk_test::writeFile(files.designFile(), crashed);
        };
        leaveAsACrash();
        editor = std::make_unique<TestEditor>();
        RecoveryKeeper restarted(*editor->document, editor->state->map(), files, editor->prompts,
                                 std::chrono::hours(1));
        const auto openDesigner = [this] { editor->newDesigner(); };
        editor->prompts.answer(false);
        QVERIFY(!restarted.offerRestore(openDesigner));
        QCOMPARE(editor->prompts.questions.back(), RestoreQuestion(LocalTime(info.savedAt)));
        QCOMPARE(vk_test::readFile(state.root() / (AsideStem(LocalTime(info.savedAt), 1) + ".sdf")),
                 crashed);
        QVERIFY(!files.find());

        leaveAsACrash();
        editor->prompts.answer(true);
        QVERIFY(restarted.offerRestore(openDesigner));
        QVERIFY(editor->mainForm->designer() != nullptr);
        QVERIFY(editor->document->isModified());
        QCOMPARE(editor->document->filePath(), target);
        QVERIFY(editor->mainForm->designer()->windowTitle().endsWith(QLatin1Char('*')));
        QCOMPARE(int(editor->document->designer().tables().nebulae.at(1).deleted), 0);
    }

    // The wizard's unsaved map is kept beside the system's copy while unsaved,
    // gone once saved; after a kill the next start offers it, and Yes puts it
    // back into the wizard, unsaved, saving where it did.
    void theWizardsMapIsKeptAndOfferedAfterAKill() {
        vk_test::ScratchDir state("mw-state");
        const RecoveryFiles mapFiles(state.root(), mw::RecoveryKind::Map);
        auto keeper = std::make_unique<RecoveryKeeper>(*editor->document, editor->state->map(),
                                                       RecoveryFiles(state.root()), editor->prompts,
                                                       std::chrono::hours(1));
        keeper->autosaveMap();
        QVERIFY(!mapFiles.find());  // a new map: nothing to keep
        const std::string saved = editor->scratch.path("north.vmpf");
        editor->state->map().setMapName("North");
        editor->prompts.answer(true).file(saved).answer(false);
        editor->state->map().save(editor->prompts);
        editor->state->map().setDescription("Typed after the save");
        keeper->autosaveMap();
        const std::string crashed = vk_test::readFile(mapFiles.designFile());
        const RecoveryInfo info = *mapFiles.find();
        // Never a file of the system's name: both may be offered after one crash.
        QVERIFY(!std::filesystem::exists(state.root() / "recovery.sdf"));
        QCOMPARE(info.originalPath, saved);
        // A kill: the files stay as they are (a clean end would remove them).
        keeper.reset();
        vk_test::writeFile(mapFiles.designFile(), crashed);
        vk_test::writeFile(mapFiles.infoFile(), mw::EncodeRecoveryInfo(info));
        editor = std::make_unique<TestEditor>();
        RecoveryKeeper restarted(*editor->document, editor->state->map(),
                                 RecoveryFiles(state.root()), editor->prompts,
                                 std::chrono::hours(1));
        editor->prompts.answer(true);
        restarted.offerRestore([] {});
        QCOMPARE(editor->prompts.questions,
                 std::vector<std::string>{
                     mw::RestoreQuestion(mw::LocalTime(info.savedAt), mw::RecoveryKind::Map)});
        editor->prompts.answer(true);  // closed unsaved: Yes, put it away
        whenModal<TMCW>([](TMCW* w) { w->reject(); });
        editor->mainForm->MapCreatorWizard1->trigger();
        TMCW* wizard = editor->windows.MCW;
        QVERIFY(wizard->isHidden());
        QCOMPARE(wizard->Edit1->text(), QStringLiteral("North"));
        QCOMPARE(wizard->Edit2->text(), QStringLiteral("Typed after the save"));
        QVERIFY(wizard->windowTitle().endsWith(QLatin1Char('*')));
        QCOMPARE(editor->state->project().projectFile, saved);
        QCOMPARE(vk_test::readFile(mapFiles.designFile()), crashed);  // kept until saved
    }

    void aDamagedRecoveryFileIsReportedAndKeptAside() {
        const std::filesystem::path state = editor->scratch.root() / "state";
        RecoveryKeeper keeper(*editor->document, editor->state->map(), RecoveryFiles(state),
                              editor->prompts, std::chrono::hours(1));
        vk_test::writeFile(state / "recovery.sdf", vk_test::readFile(kSample));
        vk_test::writeFile(state / "recovery.info", "garbage");
        QVERIFY(!keeper.offerRestore([] {}));
        QCOMPARE(editor->prompts.errors.size(), std::size_t(1));
        QVERIFY(editor->prompts.errors[0].find((state / "recovery.info").string()) !=
                std::string::npos);
        QVERIFY(editor->prompts.questions.empty());
        QVERIFY(!std::filesystem::exists(state / "recovery.sdf"));
    }

    // Yes to a copy that cannot be read (an info that keeps no checksum, beside
    // a design file cut short): set aside as No sets it aside, and the
    // message says where. What a killed autosave left half written is gone.
    void aRecoveryFileThatCannotBeReadIsKeptAsideAfterYes() {
        vk_test::ScratchDir state("mw-state");
        const RecoveryFiles files(state.root());
        const std::string cut(100, 'x');
        vk_test::writeFile(files.designFile(), cut);
        vk_test::writeFile(files.infoFile(), EncodeRecoveryInfo({"/a.sdf", 1765214703}));
        state.write("recovery.sdf.tmp-Zz9Yy8", "half");
        auto keeper = std::make_unique<RecoveryKeeper>(
            *editor->document, editor->state->map(), files, editor->prompts, std::chrono::hours(1));
        QVERIFY(!state.exists("recovery.sdf.tmp-Zz9Yy8"));
        editor->prompts.answer(true);
        QVERIFY(!keeper->offerRestore([this] { editor->newDesigner(); }));
        const std::string kept =
            (files.folder() / (AsideStem(LocalTime(1765214703), 1) + ".sdf")).string();
        QCOMPARE(vk_test::readFile(kept), cut);
        QVERIFY(!files.find());
        QVERIFY2(editor->prompts.errors.back().find(kept) != std::string::npos,
                 editor->prompts.errors.back().c_str());
        keeper.reset();  // a clean end leaves it
        QCOMPARE(vk_test::readFile(kept), cut);
    }

    void aSecondEditorLeavesTheFirstOnesFileAlone() {
        vk_test::ScratchDir state("mw-state");
        const RecoveryFiles files(state.root());
        RecoveryKeeper first(*editor->document, editor->state->map(), files, editor->prompts,
                             std::chrono::hours(1));
        auto second = std::make_unique<RecoveryKeeper>(
            *editor->document, editor->state->map(), files, editor->prompts, std::chrono::hours(1));
        QVERIFY(first.keeping() && !second->keeping());
        editor->newDesigner();
        files.write(editor->document->designer().header(), editor->document->designer().tables(),
                    {"/first.sdf", 1});
        QVERIFY(!second->offerRestore([] {}));
        QVERIFY(editor->prompts.questions.empty());
        QVERIFY(editor->prompts.notices.back().find("Another editor is running") !=
                std::string::npos);
        second.reset();
        QCOMPARE(files.find()->originalPath, std::string("/first.sdf"));
    }

    // A recovery folder that cannot be written is said as such, not taken for
    // another editor's. A failed autosave is said once while the system stays
    // unsaved, and again after a save, when the user thinks it safe.
    void recoveryThatCannotBeWrittenIsSaid() {
        vk_test::writeFile(editor->scratch.path("plain"), "x");
        RecoveryKeeper blocked(*editor->document, editor->state->map(),
                               RecoveryFiles(editor->scratch.root() / "plain" / "state"),
                               editor->prompts, std::chrono::hours(1));
        QVERIFY(!blocked.offerRestore([] {}));
        QVERIFY(editor->prompts.notices.empty());
        QCOMPARE(editor->prompts.errors.size(), std::size_t{1});
        QVERIFY(editor->prompts.errors[0].find("cannot be kept safe") != std::string::npos);

        vk_test::ScratchDir state("mw-state");
        RecoveryKeeper keeper(*editor->document, editor->state->map(), RecoveryFiles(state.root()),
                              editor->prompts, std::chrono::hours(1));
        editor->newDesigner();
        editor->prompts.file(editor->scratch.path("kept.sdf"));
        for (int spell = 1; spell <= 2; ++spell) {
            for (const int y : {60, 200}) {
                editor->document->clickMap(Tool::Nebula, QPoint(100 * spell, y));
                const mw::ScopedFileFault full({mw::FileStep::Create, 1, 0, ENOSPC, true});
                keeper.autosave();
            }
            QCOMPARE(editor->prompts.errors.size(), std::size_t(1 + spell));
            QVERIFY(editor->prompts.errors.back().find("recovery.sdf") != std::string::npos);
            QVERIFY(editor->document->save());
        }
    }

    // A real editor: started on a design file (named relative to its folder)
    // with a scratch home, changed by its test script, killed after the
    // autosave, started again in another folder and restored.
    void aKilledEditorsWorkIsRestored() {
        vk_test::ScratchDir dir("mw-crash");
        const std::string ond = vk_test::readFile(QDir(QCoreApplication::applicationDirPath())
                                                      .filePath(QStringLiteral("main.ond"))
                                                      .toStdString());
        dir.write("work/main.ond", ond);
        dir.write("elsewhere/main.ond", ond);
        const std::string original = dir.write("work/vega.sdf", vk_test::readFile(kSample));
        const std::map<std::string, std::string> env{{"HOME", dir.path("home")},
                                                     {"XDG_CONFIG_HOME", dir.path("config")},
                                                     {"XDG_STATE_HOME", dir.path("state")},
                                                     {"XDG_DATA_HOME", dir.path("data")},
                                                     {"QT_QPA_PLATFORM", "offscreen"},
                                                     {"MAPWRIGHT_AUTOSAVE_MS", "100"},
                                                     {"MAPWRIGHT_TEST_SCRIPT", dir.path("script")}};
        const std::string recovery = dir.path("state/mapwright/recovery.sdf");

        dir.write("script", "place pln 150 100\nplace neb 220 160\nsun Vega\ndump " +
                                dir.path("before.sdf") + "\n");
        const vk_test::StartedProgram first = vk_test::startProgram(
            VK_MAPWRIGHT_TESTABLE, {"vega.sdf"}, dir.root() / "work", env, {}, dir.root());
        // The autosave writes the design file first and its info after: a kill
        // between the two leaves nothing to restore, so the kill waits for the
        // info that vouches for the design file beside it.
        const RecoveryFiles autosaved(dir.root() / "state" / "mapwright");
        const auto restorable = [&] {
            if (!dir.exists("before.sdf") || dir.read("before.sdf").empty() ||
                vk_test::readFile(recovery) != dir.read("before.sdf"))
                return false;
            try {
                return autosaved.find().has_value();
            } catch (const UserError&) {
                return false;
            }
        };
        QTRY_VERIFY_WITH_TIMEOUT(restorable(), 60000);
        vk_test::stopProgram(first, vk_test::Stop::Kill);
        QCOMPARE(vk_test::finishProgram(first, 30).status, -1);
        QVERIFY(dir.read("before.sdf") != vk_test::readFile(kSample));

        dir.write("script", "answer yes\ndump " + dir.path("after.sdf") + "\nsave\nquit\n");
        const vk_test::RunResult second =
            vk_test::runProgram(VK_MAPWRIGHT_TESTABLE, {}, dir.root() / "elsewhere", env, 120);
        QCOMPARE(second.status, 0);
        QVERIFY2(second.err.find("asked: Restore the unsaved system from ") != std::string::npos,
                 second.err.c_str());
        QCOMPARE(dir.read("after.sdf"), dir.read("before.sdf"));
        // Saved to the file it came from; the save removed the recovery file.
        QCOMPARE(dir.read("work/vega.sdf"), dir.read("before.sdf"));
        QVERIFY(!dir.exists("state/mapwright/recovery.sdf"));
        QSettings config(path(dir, "config/mapwright/mapwright.conf"), QSettings::IniFormat);
        QCOMPARE(config.value(QStringLiteral("recentFiles")).toStringList(),
                 QStringList{QString::fromStdString(original)});
    }

  private:
    std::unique_ptr<TestEditor> editor;
    std::unique_ptr<QSettings> settings;
};

QTEST_MAIN(SessionTest)
#include "session_test.moc"
