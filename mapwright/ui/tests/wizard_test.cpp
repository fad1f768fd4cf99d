// The map creator wizard's wiring: shown modally from the main window,
// keeping its map between showings, systems inserted and removed through the list, the
// map's picture beside it, the empire tabs and controls, Check map, Save map
// after the check, Load map and Clear, and its help window.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSemaphore>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolBar>
#include <QtTest>

#include "document/system_document.h"
#include "map/project_file.h"
#include "ui_test_support.h"
#include "wizard/map_picture_view.h"
#include "wizard/mcw.h"
#include "wizard/mcw_check.h"
#include "wizard/mcw_help.h"
#include "wizard/tab_control.h"

using namespace mw::ui;
using namespace mw::ui::test;
using Strings = std::vector<std::string>;

namespace {

const std::string kSampleMap = VK_SOURCE_DIR "/data/samples/map/";
const std::string kAskClose =
    "Are you sure you want to close this window? (Your unsaved datas will be lost)";

void clickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualItemRect(list->item(row)).center());
}

void clickTab(TabControl* tabs, int index) {
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

// The systems the picture shows, by their labels.
QStringList pictured(const MapPictureView* view) {
    QStringList labels;
    for (const mw::PictureNode& node : view->layout().nodes)
        labels.append(QString::fromStdString(node.label.text));
    return labels;
}

void retype(QWidget* field, const QString& text) {
    QLineEdit* edit = qobject_cast<QLineEdit*>(field);
    if (!edit) edit = field->findChild<QLineEdit*>();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

}  // namespace

class WizardTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        editor = std::make_unique<TestEditor>();
        wizard = editor->windows.MCW;
        // Closed with its map unsaved, the wizard asks first: Yes unless a test says otherwise.
        editor->prompts.answers[kAskClose] = true;
        for (const char* name : {"alpha.sdf", "beta.sdf", "gamma.sdf"})
            editor->scratch.write(std::string("systems/") + name,
                                  vk_test::readFile(kSampleMap + name));
    }
    void cleanup() { editor.reset(); }

    void modalFromMenuAndToolbarKeepingTheMap() {
        // Created at start-up, hidden.
        QVERIFY(wizard->isHidden() && editor->windows.MCWhelp->isHidden());
        editor->state->project().mapName = "Left over";
        TMainForm& f = *editor->mainForm;
        QWidget* shown = nullptr;
        bool modal = false;
        QString name;
        closeNextModal([&](QWidget* w) {
            shown = w;
            modal = w->isModal();
            name = wizard->Edit1->text();
        });
        QTest::mouseClick(f.findChild<QToolBar*>()->widgetForAction(f.ToolButtonWizard),
                          Qt::LeftButton);
        QCOMPARE(shown, wizard);
        QVERIFY(modal);
        QCOMPARE(name, QStringLiteral("Left over"));
        QCOMPARE(wizard->windowTitle(), QStringLiteral("Map creator wizard...*"));  // a name set
        QCOMPARE(wizard->minimumSize(), wizard->maximumSize());
        QVERIFY(wizard->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(wizard->Label14->isHidden());

        shown = nullptr;
        closeNextModal([&](QWidget* w) { shown = w; });
        f.MapCreatorWizard1->trigger();
        QCOMPARE(shown, wizard);
    }

    void insertThreeRemoveTheFirst() {
        wizard->show();
        for (const char* name : {"alpha.sdf", "beta.sdf", "gamma.sdf"})
            editor->prompts.file(editor->scratch.path(std::string("systems/") + name));
        for (int i = 0; i < 3; ++i) QTest::mouseClick(wizard->Button1, Qt::LeftButton);
        QCOMPARE(editor->prompts.dialogs,
                 std::vector<mw::FileDialog>(3, mw::FileDialog::InsertSystem));
        QCOMPARE(rows(wizard->ListBox1), QStringList({"Alpha", "Beta", "Gamma"}));
        QCOMPARE(wizard->Label14->text(), QStringLiteral("3"));
        QVERIFY(waitUntilDrawn(wizard->Image1));
        QCOMPARE(pictured(wizard->Image1), rows(wizard->ListBox1));
        QCOMPARE(wizard->Image1->layout().lines.size(), 2u);  // Alpha and Gamma to Beta
        const QImage triangle = wizard->Image1->grab().toImage();
        // The same system again is refused.
        editor->prompts.file(editor->scratch.path("systems/beta.sdf"));
        QTest::mouseClick(wizard->Button1, Qt::LeftButton);
        QCOMPARE(editor->prompts.notices, Strings{"The map alread conatins this system!"});

        clickRow(wizard->ListBox1, 0);
        QTest::mouseClick(wizard->Button2, Qt::LeftButton);
        QCOMPARE(rows(wizard->ListBox1), QStringList({"Beta", "Gamma"}));
        QCOMPARE(wizard->Label14->text(), QStringLiteral("2"));
        QVERIFY(waitUntilDrawn(wizard->Image1));
        QCOMPARE(pictured(wizard->Image1), rows(wizard->ListBox1));
        QVERIFY(wizard->Image1->grab().toImage() != triangle);
        QCOMPARE(editor->state->project().systems[0].designFile.str(),
                 editor->scratch.path("systems/beta.sdf"));

        // A selection of several rows goes at once.
        clickRow(wizard->ListBox1, 0);
        clickRow(wizard->ListBox1, 1, Qt::ControlModifier);
        QTest::mouseClick(wizard->Button2, Qt::LeftButton);
        QCOMPARE(wizard->ListBox1->count(), 0);
        QCOMPARE(wizard->Label14->text(), QStringLiteral("0"));
        QVERIFY(waitUntilDrawn(wizard->Image1));
        QVERIFY(wizard->Image1->layout().nodes.empty());
    }

    // The picture is drawn off the window's thread: while it draws, the
    // window goes on answering, the old picture takes no drag (its systems
    // are no longer the map's), and only the newest map is ever shown.
    void thePictureFollowsTheNewestMap() {
        wizard->show();
        for (const char* name : {"alpha.sdf", "beta.sdf", "gamma.sdf"})
            editor->prompts.file(editor->scratch.path(std::string("systems/") + name));
        QTest::mouseClick(wizard->Button1, Qt::LeftButton);
        QTest::mouseClick(wizard->Button1, Qt::LeftButton);
        QVERIFY(waitUntilDrawn(wizard->Image1));
        MapPictureView* picture = wizard->Image1;
        QCOMPARE(pictured(picture), QStringList({"Alpha", "Beta"}));

        QSemaphore gate;
        int jobs = 0;
        struct Opened {
            QSemaphore& gate;
            ~Opened() { gate.release(100); }  // never leave the drawing thread held
        } opened{gate};
        picture->setBeforeJob([&] {
            gate.acquire();
            ++jobs;
        });
        std::vector<QStringList> shown;
        connect(picture, &MapPictureView::drawn, this, [&] { shown.push_back(pictured(picture)); });

        clickRow(wizard->ListBox1, 0);
        QTest::mouseClick(wizard->Button2, Qt::LeftButton);  // Alpha goes; held while drawn
        QVERIFY(picture->drawing());
        QCOMPARE(pictured(picture), QStringList({"Alpha", "Beta"}));
        // A drag on the old picture would link by its indices: refused.
        const std::string alpha = vk_test::readFile(editor->scratch.path("systems/alpha.sdf"));
        const std::string beta = vk_test::readFile(editor->scratch.path("systems/beta.sdf"));
        QTest::mousePress(picture, Qt::LeftButton, {}, picture->systemCentre(0));
        QTest::mouseMove(picture, picture->systemCentre(1));
        QTest::mouseRelease(picture, Qt::LeftButton, {}, picture->systemCentre(1));
        QCOMPARE(vk_test::readFile(editor->scratch.path("systems/alpha.sdf")), alpha);
        QCOMPARE(vk_test::readFile(editor->scratch.path("systems/beta.sdf")), beta);
        QVERIFY(editor->prompts.errors.empty());
        QTest::mouseClick(wizard->Button1, Qt::LeftButton);  // Gamma, while Beta alone draws
        QCOMPARE(rows(wizard->ListBox1), QStringList({"Beta", "Gamma"}));

        gate.release(2);
        QVERIFY(waitUntilDrawn(picture));
        // Beta alone was drawn, then dropped unseen; nothing between was drawn at all.
        QCOMPARE(shown, std::vector<QStringList>{QStringList({"Beta", "Gamma"})});
        QCOMPARE(jobs, 2);
        QCOMPARE(pictured(picture), rows(wizard->ListBox1));
        picture->setBeforeJob({});
    }

    void empireEditsSurviveEightTwoEight() {
        wizard->show();
        QCOMPARE(wizard->TabControl1->count(), 2);
        wizard->ComboBox1->setCurrentIndex(2);  // "8" from the list
        QCOMPARE(wizard->TabControl1->count(), 8);
        QVERIFY(wizard->TabControl1->rowCount() > 1);  // the strip wraps
        clickTab(wizard->TabControl1, 6);
        QCOMPARE(wizard->Edit3->text(), QStringLiteral("AI7"));
        QCOMPARE(wizard->ComboBox4->currentText(), QStringLiteral("Team7"));
        retype(wizard->Edit3, QStringLiteral("Pirates"));
        retype(wizard->ComboBox2, QStringLiteral("Agressive"));
        retype(wizard->SpinEdit1, QStringLiteral("2500"));
        retype(wizard->SpinEdit3, QStringLiteral("30"));
        QCOMPARE(editor->state->project().empires[6].name.str(), std::string("Pirates"));

        wizard->ComboBox1->setCurrentIndex(0);  // "2"
        QCOMPARE(wizard->TabControl1->count(), 2);
        QCOMPARE(wizard->Edit3->text(), QStringLiteral("AI1"));  // a shown empire
        wizard->ComboBox1->setCurrentIndex(2);
        clickTab(wizard->TabControl1, 6);
        QCOMPARE(wizard->Edit3->text(), QStringLiteral("Pirates"));
        QCOMPARE(wizard->ComboBox2->currentText(), QStringLiteral("Agressive"));
        QCOMPARE(wizard->SpinEdit1->value(), 2500);
        QCOMPARE(wizard->SpinEdit3->value(), 30);
        clickTab(wizard->TabControl1, 0);
        QCOMPARE(wizard->SpinEdit1->value(), 1000);

        // A typed count other than 2, 4 or 8 becomes 4, with the notice.
        retype(wizard->ComboBox1, QStringLiteral("3"));
        QCOMPARE(editor->prompts.notices,
                 Strings{"You can use only 2,4 or 8 empires in your map! Setting value to 4..."});
        QCOMPARE(wizard->ComboBox1->currentText(), QStringLiteral("4"));
        QCOMPARE(wizard->TabControl1->count(), 4);
    }

    void saveClearAndLoadBringEveryFieldBack() {
        wizard->show();
        editor->prompts.file(editor->scratch.path("systems/gamma.sdf"))
            .file(editor->scratch.path("systems/alpha.sdf"));
        QTest::mouseClick(wizard->Button1, Qt::LeftButton);
        QTest::mouseClick(wizard->Button1, Qt::LeftButton);
        QTest::keyClicks(wizard->Edit1, QStringLiteral("Twin Suns"));
        QTest::keyClicks(wizard->Edit2, QStringLiteral("Two systems, four empires."));
        wizard->ComboBox1->setCurrentIndex(1);  // "4"
        clickTab(wizard->TabControl1, 2);
        retype(wizard->Edit3, QStringLiteral("Swarm"));
        retype(wizard->ComboBox3, QStringLiteral("Kariak"));
        retype(wizard->ComboBox5, QStringLiteral("Agressive"));
        retype(wizard->SpinEdit4, QStringLiteral("9"));

        const std::string project = editor->scratch.path("twin.vmpf");
        editor->prompts.answer(true).file(project).answer(false);
        QTest::mouseClick(wizard->Button4, Qt::LeftButton);
        QCOMPARE(vk_test::readFile(project).size(), mw::kProjectFileSize);
        QCOMPARE(editor->prompts.notices, Strings{"Map saved to " + project + "!"});

        // Saved: Clear asks nothing (Undo takes it back); the cleared map is unsaved.
        const std::size_t asked = editor->prompts.questions.size();
        QTest::mouseClick(wizard->Button3, Qt::LeftButton);
        QCOMPARE(editor->prompts.questions.size(), asked);
        QCOMPARE(wizard->ListBox1->count(), 0);
        QVERIFY(waitUntilDrawn(wizard->Image1));
        QVERIFY(wizard->Image1->layout().nodes.empty());
        QVERIFY(wizard->Edit1->text().isEmpty());
        QCOMPARE(wizard->TabControl1->count(), 2);

        editor->prompts.answer(true).file(project);
        QTest::mouseClick(wizard->Button7, Qt::LeftButton);
        QCOMPARE(editor->prompts.questions.back(), std::string(mw::wizard_text::kAskLoadOver));
        QCOMPARE(editor->prompts.dialogs.back(), mw::FileDialog::LoadProject);
        QCOMPARE(rows(wizard->ListBox1), QStringList({"Gamma", "Alpha"}));
        QCOMPARE(wizard->Label14->text(), QStringLiteral("2"));
        QVERIFY(waitUntilDrawn(wizard->Image1));
        QCOMPARE(pictured(wizard->Image1), rows(wizard->ListBox1));
        QCOMPARE(wizard->Edit1->text(), QStringLiteral("Twin Suns"));
        QCOMPARE(wizard->Edit2->text(), QStringLiteral("Two systems, four empires."));
        QCOMPARE(wizard->ComboBox1->currentText(), QStringLiteral("4"));
        QCOMPARE(wizard->TabControl1->count(), 4);
        QCOMPARE(wizard->TabControl1->currentIndex(), 0);
        clickTab(wizard->TabControl1, 2);
        QCOMPARE(wizard->Edit3->text(), QStringLiteral("Swarm"));
        QCOMPARE(wizard->ComboBox3->currentText(), QStringLiteral("Kariak"));
        QCOMPARE(wizard->ComboBox5->currentText(), QStringLiteral("Agressive"));
        QCOMPARE(wizard->SpinEdit4->value(), 9);
        QVERIFY(editor->prompts.errors.empty());
    }

    void saveMapWithBothYesWritesBothFilesAndWithAnErrorNoSource() {
        wizard->show();
        insertSample({"alpha.sdf", "beta.sdf", "gamma.sdf"});
        wizard->ComboBox1->setCurrentIndex(1);  // "4": every owner is one of the empires
        const std::string project = editor->scratch.path("map.vmpf");
        const std::string mission = editor->scratch.path("mission.txt");
        editor->prompts.answer(true).file(project).answer(true).file(mission);
        QTest::mouseClick(wizard->Button4, Qt::LeftButton);
        QCOMPARE(editor->prompts.questions,
                 Strings({"Save the map to a *.vmpf file?", "Generate INF source?"}));
        QCOMPARE(editor->prompts.notices, Strings({"Map saved to " + project + "!",
                                                   "Source file saved to " + mission + "!"}));
        QCOMPARE(vk_test::readFile(project).size(), mw::kProjectFileSize);
        QVERIFY(vk_test::readFile(mission).find("Alpha") != std::string::npos);

        // A design file gone since: the check's error box names it, the
        // source is not asked for and the mission stays as it was.
        const std::string before = vk_test::readFile(mission);
        std::filesystem::remove(editor->scratch.path("systems/alpha.sdf"));
        editor->prompts.questions.clear();
        editor->prompts.answer(false);
        QTest::mouseClick(wizard->Button4, Qt::LeftButton);
        QCOMPARE(editor->prompts.questions, Strings{"Save the map to a *.vmpf file?"});
        QCOMPARE(editor->prompts.errors.size(), 1u);
        QVERIFY(editor->prompts.errors[0].find("alpha.sdf") != std::string::npos);
        QCOMPARE(vk_test::readFile(mission), before);
    }

    void saveMapWithWarningsAsksWhetherToGenerateAnyway() {
        wizard->show();
        insertSample({"alpha.sdf"});  // its jump nodes lead to systems not in the map
        const std::string mission = editor->scratch.path("mission.txt");
        for (const bool yes : {false, true}) {
            editor->prompts.questions.clear();
            editor->prompts.answer(false).answer(yes).file(mission);
            QTest::mouseClick(wizard->Button4, Qt::LeftButton);
            QCOMPARE(editor->prompts.questions.size(), 2u);
            QVERIFY(editor->prompts.questions[1].find("Generate INF source anyway?") !=
                    std::string::npos);
            QCOMPARE(std::filesystem::exists(mission), yes);
        }
        QVERIFY(editor->prompts.errors.empty());
    }

    void checkMapListsTheProblems() {
        wizard->show();
        insertSample({"alpha.sdf", "gamma.sdf"});
        QTest::keyClicks(wizard->Edit1, QStringLiteral("Say \"hi\""));
        QStringList severities, systems;
        QString summary;
        bool modal = false;
        closeNextModal([&](QWidget* shown) {
            modal = shown == wizard->MCWcheck && shown->isModal();
            const QTableWidget* list = wizard->MCWcheck->ListView1;
            for (int row = 0; row < list->rowCount(); ++row) {
                severities.append(list->item(row, TMCWcheck::SeverityColumn)->text());
                systems.append(list->item(row, TMCWcheck::SystemColumn)->text());
            }
            summary = wizard->MCWcheck->Label1->text();
            QTest::mouseClick(wizard->MCWcheck->Button1, Qt::LeftButton);
            QVERIFY(wizard->MCWcheck->isHidden());
        });
        QTest::mouseClick(wizard->Button8, Qt::LeftButton);
        QVERIFY(modal);
        // The map's name first, then the jump nodes leading to Beta, which is not in the map.
        QCOMPARE(severities.value(0), QStringLiteral("error"));
        QCOMPARE(systems.value(0), QString());
        QVERIFY(severities.size() > 2 &&
                severities.count(QStringLiteral("warning")) == severities.size() - 1);
        QVERIFY(systems.contains(QStringLiteral("Alpha")) &&
                systems.contains(QStringLiteral("Gamma")));
        QVERIFY(
            summary.startsWith(QStringLiteral("1 error, %1 warnings").arg(severities.size() - 1)));
        // Gamma has a warning: the picture marks it.
        QVERIFY(waitUntilDrawn(wizard->Image1));
        QCOMPARE(wizard->Image1->layout().nodes.at(1).state, mw::SystemState::Warnings);
    }

    void loadingAMovedMapSaysWhichFilesAreUsed() {
        wizard->show();
        editor->prompts.file(kSampleMap + "sample.vmpf");
        QTest::mouseClick(wizard->Button7, Qt::LeftButton);
        QCOMPARE(rows(wizard->ListBox1), QStringList({"Alpha", "Beta", "Gamma"}));
        QCOMPARE(editor->prompts.notices.size(), 1u);
        QVERIFY(editor->prompts.notices[0].find("using " + kSampleMap + "gamma.sdf") !=
                std::string::npos);
        // A project file that cannot be read leaves the map as it was.
        editor->prompts.file(editor->scratch.path("systems/alpha.sdf"));
        QTest::mouseClick(wizard->Button7, Qt::LeftButton);
        QCOMPARE(editor->prompts.errors.size(), 1u);
        QVERIFY(editor->prompts.errors[0].find("alpha.sdf") != std::string::npos);
        QCOMPARE(wizard->ListBox1->count(), 3);
    }

    void helpIsOneModelessWindowAndCloseKeepsTheMap() {
        wizard->show();
        QTest::keyClicks(wizard->Edit1, QStringLiteral("Kept"));
        QTest::mouseClick(wizard->Button6, Qt::LeftButton);
        QTest::mouseClick(wizard->Button6, Qt::LeftButton);
        TMCWhelp* help = editor->windows.MCWhelp;
        QVERIFY(help->isVisible());
        QVERIFY(!help->isModal());
        QVERIFY(help->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(help->windowTitle(), QStringLiteral("Map creator Wizard Help"));
        QCOMPARE(editor->mainForm->findChildren<TMCWhelp*>().size(), 1);
        QTest::mouseClick(help->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        QVERIFY(help->isHidden());
        QVERIFY(wizard->isVisible());
        QCOMPARE(wizard->Edit1->text(), QStringLiteral("Kept"));

        QTest::mouseClick(wizard->Button5, Qt::LeftButton);
        QVERIFY(!wizard->isVisible());
        QCOMPARE(editor->prompts.questions, Strings{kAskClose});  // "Kept" is not saved
    }

    // "Edit system" (the button, a double-click in the list or on the map)
    // closes the wizard with its map and opens the file in the designer,
    // asking first about unsaved designer changes as Open does; shown again,
    // the wizard draws the map from the files as they are now.
    void editSystemOpensItsFileAndTheMapStays() {
        TMainForm& f = *editor->mainForm;
        const std::string beta = editor->scratch.path("systems/beta.sdf");
        editor->prompts.fileList({editor->scratch.path("systems/alpha.sdf"), beta});
        const auto ways = std::vector<std::function<void(TMCW*)>>{
            [](TMCW* w) {
                clickRow(w->ListBox1, 1);
                QTest::mouseClick(w->Button9, Qt::LeftButton);
            },
            [](TMCW* w) {
                const QRect row = w->ListBox1->visualItemRect(w->ListBox1->item(1));
                // A user's double-click: the first click's press and release come first.
                QTest::mouseClick(w->ListBox1->viewport(), Qt::LeftButton, {}, row.center());
                QTest::mouseDClick(w->ListBox1->viewport(), Qt::LeftButton, {}, row.center());
            },
            [](TMCW* w) {
                QVERIFY(waitUntilDrawn(w->Image1));
                const mw::PictureNode& node = w->Image1->layout().nodes.at(1);
                const QRect box = w->Image1->contentsRect();
                const double s = w->Image1->scale();
                const QPointF at(box.left() + (box.width() - w->Image1->layout().width * s) / 2 +
                                     node.centre.x * s,
                                 box.top() + (box.height() - w->Image1->layout().height * s) / 2 +
                                     node.centre.y * s);
                QTest::mouseDClick(w->Image1, Qt::LeftButton, {}, at.toPoint());
            },
        };
        bool first = true;
        for (const auto& way : ways) {
            bool closed = false;
            whenModal<TMCW>([&](TMCW* w) {
                if (first) QTest::mouseClick(w->Button1, Qt::LeftButton);
                first = false;
                way(w);
                closed = w->isHidden();
                w->reject();
            });
            f.MapCreatorWizard1->trigger();
            QVERIFY(closed);
            QVERIFY(f.designer() != nullptr);
            QCOMPARE(editor->document->filePath(), QString::fromStdString(beta));
            QCOMPARE(rows(wizard->ListBox1), QStringList({"Alpha", "Beta"}));
        }
        // Unsaved designer changes: asked as Open asks; No keeps the system.
        editor->document->clickMap(mw::Tool::Nebula, QPoint(300, 60));
        editor->prompts.questions.clear();
        editor->prompts.answer(false);
        whenModal<TMCW>([](TMCW* w) {
            clickRow(w->ListBox1, 1);
            QTest::mouseClick(w->Button9, Qt::LeftButton);
            w->reject();
        });
        f.MapCreatorWizard1->trigger();
        QCOMPARE(
            editor->prompts.questions,
            Strings{"Are you sure you want to open a new map? Your unsaved data will be lost!"});
        QVERIFY(editor->document->isModified());
        // Beta's file spoilt meanwhile: the next showing draws it as unreadable.
        editor->scratch.write("systems/beta.sdf", "");
        bool readable = true;
        whenModal<TMCW>([&](TMCW* w) {
            if (waitUntilDrawn(w->Image1)) readable = w->Image1->layout().nodes.at(1).readable;
            w->reject();
        });
        f.MapCreatorWizard1->trigger();
        QVERIFY(!readable);
    }

    // Several files from one dialog, in the order chosen; a refused one is
    // said and the rest still go in; Ctrl+Z takes the whole insert back.
    void insertTakesSeveralFilesAndUndoTakesThemBack() {
        // Shown as the menu shows it, so it is the active window the keys go to.
        whenModal<TMCW>([this](TMCW*) { insertUndoAndRedo(); });
        editor->mainForm->MapCreatorWizard1->trigger();
        QCOMPARE(wizard->ListBox1->count(), 2);
    }

  private:
    void insertUndoAndRedo() {
        // The offscreen platform activates no dialog by itself.
        QApplication::setActiveWindow(wizard);
        editor->prompts.fileList({editor->scratch.path("systems/gamma.sdf"),
                                  editor->scratch.path("systems/gamma.sdf"),
                                  editor->scratch.path("systems/alpha.sdf")});
        QTest::mouseClick(wizard->Button1, Qt::LeftButton);
        QCOMPARE(rows(wizard->ListBox1), QStringList({"Gamma", "Alpha"}));
        QCOMPARE(editor->prompts.notices, Strings{"The map alread conatins this system!"});
        QVERIFY(wizard->windowTitle().endsWith(QLatin1Char('*')));
        QTest::mouseClick(wizard->Edit1, Qt::LeftButton);
        QTest::keyClicks(wizard->Edit1, QStringLiteral("Duo"));
        // In the field, the keys are the map's: the name first, then the insert.
        QTest::keyClick(wizard->Edit1, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(wizard->Edit1->text().isEmpty());
        QTest::mouseClick(wizard->Button10, Qt::LeftButton);
        QCOMPARE(wizard->ListBox1->count(), 0);
        QVERIFY(!wizard->windowTitle().endsWith(QLatin1Char('*')));
        QTest::mouseClick(wizard->Edit1, Qt::LeftButton);
        QTest::keyClick(wizard->Edit1, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(wizard->ListBox1->count(), 2);
        QTest::keyClick(wizard->Edit1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(wizard->Edit1->text(), QStringLiteral("Duo"));
        QVERIFY(!wizard->Button11->isEnabled());
        wizard->reject();
    }

    void insertSample(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            editor->prompts.file(editor->scratch.path(std::string("systems/") + name));
            QTest::mouseClick(wizard->Button1, Qt::LeftButton);
        }
        QCOMPARE(wizard->ListBox1->count(), static_cast<int>(names.size()));
    }

    std::unique_ptr<TestEditor> editor;
    TMCW* wizard = nullptr;
};

QTEST_MAIN(WizardTest)
#include "wizard_test.moc"
