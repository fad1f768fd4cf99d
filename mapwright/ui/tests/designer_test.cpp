// The designer window's wiring: the cursor readout, clicks on the map with
// every tool, marker clicks, the file commands with their questions, and a
// placed, saved and reopened system checked with `mapwright show`.
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

#include "designer/map_panel.h"
#include "designer/mdi_child.h"
#include "designer/object_marker.h"
#include "shell/icons_help.h"
#include "ui_test_support.h"
#include "widgets/text.h"

using namespace mw::ui;
using namespace mw::ui::test;
using mw::ObjectKind;
using Strings = std::vector<std::string>;

class DesignerTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        editor = std::make_unique<TestEditor>();
        designer = editor->newDesigner();
        QVERIFY(designer);
        panel = designer->mapPanel();
    }
    void cleanup() { editor.reset(); }

    void layoutAndCaption() {
        QCOMPARE(designer->size(), QSize(712, 499));
        QCOMPARE(panel->geometry(), QRect(216, 4, 493, 493));
        QCOMPARE(designer->Button3->size(), QSize(193, 25));
        QCOMPARE(designer->Label9->text(), QStringLiteral("XXXXXX"));
        // The caption timer's first tick shows the drawn system name.
        QTRY_VERIFY(!designer->Timer1->isActive());
        QCOMPARE(designer->windowTitle(), designer->Edit1->text() + QStringLiteral(" system"));
    }

    void cursorReadout_data() {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::newRow("bottom left") << QPoint(0, 492) << "199594"
                                     << "-200000";
        QTest::newRow("centre") << QPoint(247, 247) << "0"
                                << "0";
        QTest::newRow("off centre") << QPoint(123, 369) << "99797"
                                    << "-100405";
    }
    void cursorReadout() {
        QFETCH(QPoint, pixel);
        QTest::mouseMove(panel, pixel);
        QTEST(designer->Label9->text(), "x");
        QTEST(designer->Label10->text(), "y");
    }

    void clickPlacesTheToolsObject_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::newRow("planet") << 0 << int(ObjectKind::Planet) << "P";
        QTest::newRow("ship") << 1 << int(ObjectKind::Ship) << "S";
        QTest::newRow("asteroid") << 2 << int(ObjectKind::Asteroid) << "as";
        QTest::newRow("micro") << 3 << int(ObjectKind::MicroAsteroid) << "ma";
        QTest::newRow("wreck") << 4 << int(ObjectKind::Wreck) << "W";
        QTest::newRow("nebula") << 5 << int(ObjectKind::Nebula) << "N";
        QTest::newRow("jump node") << 6 << int(ObjectKind::JumpNode) << "J";
    }
    void clickPlacesTheToolsObject() {
        QFETCH(int, button);
        QFETCH(int, kind);
        QTest::mouseClick(designer->SpeedButton[button], Qt::LeftButton);
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(100, 300));
        QCOMPARE(designer->markers().size(), 1);
        ObjectMarker* m = designer->markers().first();
        QCOMPARE(int(m->kind()), kind);
        QCOMPARE(m->tag(), 1);
        QCOMPARE(m->geometry(), QRect(92, 292, 16, 16));
        QTEST(m->text(), "caption");
        const mw::MarkerView view = editor->state->designer().marker(m->object());
        QCOMPARE(m->toolTip().toStdString(), view.hint);
        QVERIFY(editor->prompts.errors.empty());
    }

    void clicksOnTheSunOrWithDeleteDoNotPlace() {
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(247, 247));
        QVERIFY(designer->markers().isEmpty());
        QTest::mouseClick(designer->SpeedButton[7], Qt::LeftButton);
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(247, 247));
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(40, 40));
        QCOMPARE(editor->prompts.notices, Strings(2, "You can't delete the NOTHING! :D"));
        QVERIFY(designer->markers().isEmpty());
    }

    void markerClicks() {
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(60, 60));
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(80, 80));
        // With a placing tool a marker click selects its object and places
        // nothing (the planet's dialog it opens is closed).
        closeNextModal();
        QTest::mouseClick(designer->marker(ObjectKind::Planet, 2), Qt::LeftButton);
        const mw::SystemModel& tables = editor->state->designer().tables();
        QCOMPARE(tables.currentObjectIndex, 2);
        QCOMPARE(designer->markers().size(), 2);
        // With the delete tool it goes, from the map and from the tables.
        QTest::mouseClick(designer->SpeedButton[7], Qt::LeftButton);
        QTest::mouseClick(designer->marker(ObjectKind::Planet, 1), Qt::LeftButton);
        QCOMPARE(designer->markers().size(), 1);
        QVERIFY(designer->marker(ObjectKind::Planet, 1) == nullptr);
        QVERIFY(!tables.IsLive(ObjectKind::Planet, 1));
        QVERIFY(tables.IsLive(ObjectKind::Planet, 2));
    }

    void typingTheSunNameRenamesAtEveryKey() {
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(60, 60));  // a planet circling the sun
        designer->Edit1->clear();
        QTest::keyClicks(designer->Edit1, QStringLiteral("Vega"));
        QCOMPARE(designer->windowTitle(), QStringLiteral("Vega system*"));
        QCOMPARE(editor->state->designer().tables().planets.at(1).orbitsAround.view(), "Vega");
        QTest::keyClick(designer->Edit1, Qt::Key_Backspace);
        QCOMPARE(designer->windowTitle(), QStringLiteral("Veg system*"));
    }

    void typingAWordIsOneStep() {
        const QString drawn = designer->Edit1->text();
        designer->Edit1->selectAll();
        QTest::keyClicks(designer->Edit1, QStringLiteral("New Vega"));
        QUndoStack* steps = editor->document->undoStack();
        QCOMPARE(steps->count(), 2);
        QCOMPARE(editor->mainForm->EditUndo1->text(), QStringLiteral("&Undo change sun name"));
        editor->mainForm->EditUndo1->trigger();
        QCOMPARE(designer->Edit1->text(), QStringLiteral("New "));
        editor->mainForm->EditUndo1->trigger();
        QCOMPARE(designer->Edit1->text(), drawn);
        QCOMPARE(designer->windowTitle(), drawn + QStringLiteral(" system"));
    }

    void undoAndRedoFollowTheMapAndTheCaption() {
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(60, 60));
        const QString name = fromModel(editor->state->designer().tables().planets.at(1).name.str());
        TMainForm& f = *editor->mainForm;
        QCOMPARE(f.EditUndo1->text(), QStringLiteral("&Undo place planet ") + name);
        QVERIFY(designer->windowTitle().endsWith(QStringLiteral(" system*")));
        editor->prompts.file(editor->scratch.path("saved.sdf"));
        QTest::mouseClick(designer->Button3, Qt::LeftButton);  // Save as
        QVERIFY(!designer->windowTitle().endsWith(QLatin1Char('*')));

        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(80, 80));
        QCOMPARE(designer->markers().size(), 2);
        QVERIFY(designer->windowTitle().endsWith(QLatin1Char('*')));
        QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);  // back to the saved state
        QCOMPARE(designer->markers().size(), 1);
        QVERIFY(!designer->windowTitle().endsWith(QLatin1Char('*')));
        QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(designer->markers().isEmpty());
        QVERIFY(designer->windowTitle().endsWith(QLatin1Char('*')));
        QTest::keyClick(&f, Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(designer->markers().size(), 2);
        QVERIFY(editor->state->designer().tables().IsLive(ObjectKind::Planet, 2));
        QVERIFY(!f.EditRedo1->isEnabled());
    }

    void draggingAMarkerMovesItsObject() {
        QTest::mouseClick(designer->SpeedButton[1], Qt::LeftButton);  // ship
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(60, 60));
        const mw::SystemModel& tables = editor->state->designer().tables();
        const auto drag = [&](QPoint to) {
            ObjectMarker* m = designer->marker(ObjectKind::Ship, 1);
            const QPoint centre(8, 8);
            QTest::mousePress(m, Qt::LeftButton, {}, centre);
            QTest::mouseMove(m, centre + QPoint(12, 0));
            QTest::mouseMove(m, to - m->pos());
            QTest::mouseRelease(m, Qt::LeftButton, {}, to - m->pos());
            QCoreApplication::processEvents();
        };
        // On the sun and outside the panel nothing moves, and no dialog opens.
        for (const QPoint to : {QPoint(247, 247), QPoint(-5, 100), QPoint(100, 600)}) {
            drag(to);
            QCOMPARE(designer->marker(ObjectKind::Ship, 1)->pixel(), QPoint(60, 60));
        }
        QCOMPARE(editor->document->undoStack()->count(), 1);

        drag(QPoint(369, 123));
        QCOMPARE(designer->Label9->text(), QString::number(mw::WorldFromPixel(123)));
        QCOMPARE(designer->marker(ObjectKind::Ship, 1)->pixel(), QPoint(369, 123));
        QCOMPARE(tables.ships.at(1).x, mw::WorldFromPixel(123));
        QCOMPARE(tables.ships.at(1).y, mw::WorldFromPixel(369));
        QCOMPARE(editor->mainForm->EditUndo1->text(), QStringLiteral("&Undo move ship 1"));
        editor->mainForm->EditUndo1->trigger();
        QCOMPARE(designer->marker(ObjectKind::Ship, 1)->pixel(), QPoint(60, 60));
        QCOMPARE(tables.ships.at(1).marker, (mw::MarkerPos{60, 60}));
    }

    void noQuestionWhileNothingChanged() {
        QTest::mouseClick(designer->Button1, Qt::LeftButton);  // Open: straight to the dialog
        QCOMPARE(editor->prompts.dialogs, std::vector<mw::FileDialog>{mw::FileDialog::OpenSystem});
        QTest::mouseClick(designer->Button5, Qt::LeftButton);  // Close
        QVERIFY(editor->mainForm->designer() == nullptr);
        QVERIFY(editor->prompts.questions.empty());
    }

    void placeSaveClearOpenRoundTrip() {
        const QList<QPair<int, QPoint>> clicks{
            {0, {100, 300}}, {1, {400, 60}}, {3, {10, 480}}, {6, {250, 20}}};
        for (const auto& [button, pixel] : clicks) {
            QTest::mouseClick(designer->SpeedButton[button], Qt::LeftButton);
            QTest::mouseMove(panel, pixel);
            QTest::mouseClick(panel, Qt::LeftButton, {}, pixel);
        }
        designer->ComboBox1->setEditText(QStringLiteral("Bluesun"));
        const std::string file = editor->scratch.path("round.sdf");
        editor->prompts.file(file);
        QTest::mouseClick(designer->Button3, Qt::LeftButton);
        QCOMPARE(editor->prompts.dialogs.back(), mw::FileDialog::SaveSystem);

        editor->prompts.answer(false).answer(true);
        QTest::mouseClick(designer->Button2, Qt::LeftButton);
        QCOMPARE(designer->markers().size(), 4);  // No keeps everything
        QTest::mouseClick(designer->Button2, Qt::LeftButton);
        QVERIFY(designer->markers().isEmpty());
        QCOMPARE(editor->prompts.questions, Strings(2, "Are you sure you want to clear this map?"));

        editor->prompts.answer(true).file(file);
        QTest::mouseClick(designer->Button1, Qt::LeftButton);
        QCOMPARE(designer->markers().size(), 4);
        QCOMPARE(designer->ComboBox1->currentText(), QStringLiteral("Bluesun"));
        for (const auto& [button, pixel] : clicks) {
            bool found = false;
            for (ObjectMarker* m : designer->markers()) found |= m->pixel() == pixel;
            QVERIFY2(
                found,
                qPrintable(QStringLiteral("no marker at %1,%2").arg(pixel.x()).arg(pixel.y())));
        }

        // The saved file, read by the headless command, holds the world
        // positions of the clicked pixels (X from the row, Y from the column).
        const vk_test::RunResult show = vk_test::runProgram(VK_MAPWRIGHT, {"show", file});
        QCOMPARE(show.status, 0);
        const QJsonObject system =
            QJsonDocument::fromJson(QByteArray::fromStdString(show.out)).object();
        const QStringList lists{"planets", "ships", "", "micro_asteroids", "", "", "jump_nodes"};
        for (const auto& [button, pixel] : clicks) {
            const QJsonObject o = system[lists[button]].toArray().at(0).toObject();
            QCOMPARE(o["x"].toInt(), mw::WorldFromPixel(pixel.y()));
            QCOMPARE(o["y"].toInt(), mw::WorldFromPixel(pixel.x()));
            QCOMPARE(o["marker_x"].toInt(), pixel.x());
        }
        QVERIFY(editor->prompts.errors.empty());
    }

    void aFailedOpenLeavesTheSystemAsItWas() {
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(60, 60));
        const QString name = designer->Edit1->text();
        const std::string sample = vk_test::readFile(VK_SOURCE_DIR "/data/samples/sample.sdf");
        const std::string damaged =
            editor->scratch.write("damaged.sdf", sample.substr(0, 568 * 3 + 100));
        editor->prompts.answer(true).file(damaged);
        QTest::mouseClick(designer->Button1, Qt::LeftButton);
        QCOMPARE(editor->prompts.errors.size(), 1u);
        QVERIFY(editor->prompts.errors[0].find("damaged.sdf") != std::string::npos);
        QCOMPARE(designer->markers().size(), 1);
        QCOMPARE(designer->Edit1->text(), name);
        QVERIFY(editor->state->designer().tables().IsLive(ObjectKind::Planet, 1));
    }

    void the1001stObjectIsRefused() {
        QTest::mouseClick(designer->SpeedButton[3], Qt::LeftButton);
        for (int i = 0; i < 1000; ++i)
            QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(10 + i % 400, 10 + i / 400));
        QCOMPARE(designer->markers().size(), 1000);
        QVERIFY(editor->prompts.notices.empty());
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(300, 300));
        QCOMPARE(designer->markers().size(), 1000);
        QCOMPARE(editor->prompts.notices.size() + editor->prompts.errors.size(), 1u);
    }

    void closeAsksAndResets() {
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(60, 60));
        editor->prompts.answer(false).answer(true);
        QTest::mouseClick(designer->Button5, Qt::LeftButton);
        QCOMPARE(editor->mainForm->designer(), designer);
        QTest::mouseClick(designer->Button5, Qt::LeftButton);
        QCOMPARE(
            editor->prompts.questions.back(),
            std::string(
                "Are you sure you want to close this window? (Your unsaved datas will be lost)"));
        QVERIFY(editor->mainForm->designer() == nullptr);
        QVERIFY(!editor->state->designer().tables().IsLive(ObjectKind::Planet, 1));
    }

    void helpShowsTheIconsWindow() {
        QTest::mouseClick(designer->Button4, Qt::LeftButton);
        QVERIFY(editor->windows.icons->isVisible());
    }

  private:
    std::unique_ptr<TestEditor> editor;
    TMDIChild* designer = nullptr;
    MapPanel* panel = nullptr;
};

QTEST_MAIN(DesignerTest)
#include "designer_test.moc"
