// The designer window's wiring: the cursor readout, clicks on the map with
// every tool, marker clicks, the file commands with their questions, and a
// placed-saved-opened system checked with `mapwright show`.
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "designer/map_panel.h"
#include "designer/mdi_child.h"
#include "designer/object_marker.h"
#include "shell/icons_help.h"
#include "ui_test_support.h"

using namespace mw::ui;
using namespace mw::ui::test;
using mw::ObjectKind;

namespace {

const QString kAskClear = QStringLiteral("Are you sure you want to clear this map?");

}  // namespace

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
        QTest::newRow("bottom left") << QPoint(0, 492) << "199594" << "-200000";
        QTest::newRow("centre") << QPoint(247, 247) << "0" << "0";
        QTest::newRow("off centre") << QPoint(123, 369) << "99797" << "-100405";
    }
    void cursorReadout() {
        QFETCH(QPoint, pixel);
        QTest::mouseMove(panel, pixel);
        QTEST(designer->Label9->text(), "x");
        QTEST(designer->Label10->text(), "y");
    }

    void clickPlacesTheToolsObject_data() {
        QTest::addColumn<int>("tool");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::newRow("planet") << 0 << int(ObjectKind::Planet) << "P" << "Planet1";
        QTest::newRow("ship") << 1 << int(ObjectKind::Ship) << "S" << "Ship1";
        QTest::newRow("asteroid") << 2 << int(ObjectKind::Asteroid) << "as" << "Minable asteroid1";
        QTest::newRow("micro") << 3 << int(ObjectKind::MicroAsteroid) << "ma" << "Microasteroid1";
        QTest::newRow("wreck") << 4 << int(ObjectKind::Wreck) << "W" << "Wreckage1";
        QTest::newRow("nebula") << 5 << int(ObjectKind::Nebula) << "N" << "Nebulae1";
        QTest::newRow("jump node") << 6 << int(ObjectKind::JumpNode) << "J" << "?Jumpnode1";
    }
    void clickPlacesTheToolsObject() {
        QFETCH(int, tool);
        QFETCH(int, kind);
        QFETCH(QString, hint);
        QTest::mouseClick(designer->SpeedButton[tool], Qt::LeftButton);
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(100, 300));
        QCOMPARE(designer->markers().size(), 1);
        ObjectMarker* m = designer->markers().first();
        QCOMPARE(int(m->kind()), kind);
        QCOMPARE(m->tag(), 1);
        QCOMPARE(m->geometry(), QRect(92, 292, 16, 16));
        QTEST(m->text(), "caption");
        if (hint.startsWith(QLatin1Char('?')))  // the node id: the sun name with "_" for the blanks
            hint = designer->Edit1->text().replace(QLatin1Char(' '), QLatin1Char('_')) + hint.mid(1);
        QCOMPARE(m->toolTip(), hint);
        QVERIFY(editor->prompts.errors.isEmpty());
    }

    void clicksOnTheSunOrWithDeleteDoNotPlace() {
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(247, 247));
        QVERIFY(designer->markers().isEmpty());
        QTest::mouseClick(designer->SpeedButton[7], Qt::LeftButton);
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(247, 247));
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(40, 40));
        QCOMPARE(editor->prompts.notices, QStringList(2, QStringLiteral("You can't delete the NOTHING! :D")));
        QVERIFY(designer->markers().isEmpty());
    }

    void markerClicks() {
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(60, 60));
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(80, 80));
        ObjectMarker* second = designer->marker(ObjectKind::Planet, 2);
        // With a placing tool a marker click selects the object and places nothing.
        QTest::mouseClick(second, Qt::LeftButton);
        QCOMPARE(editor->state->model.currentObjectIndex, 2);
        QCOMPARE(designer->markers().size(), 2);
        // With the delete tool it goes, from the map and from the tables.
        QTest::mouseClick(designer->SpeedButton[7], Qt::LeftButton);
        QTest::mouseClick(designer->marker(ObjectKind::Planet, 1), Qt::LeftButton);
        QCOMPARE(designer->markers().size(), 1);
        QVERIFY(designer->marker(ObjectKind::Planet, 1) == nullptr);
        QVERIFY(!editor->state->model.isLive(ObjectKind::Planet, 1));
        QVERIFY(editor->state->model.isLive(ObjectKind::Planet, 2));
    }

    void typingTheSunNameRenamesAtEveryKey() {
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(60, 60));  // a planet circling the sun
        designer->Edit1->clear();
        QTest::keyClicks(designer->Edit1, QStringLiteral("Vega"));
        QCOMPARE(designer->windowTitle(), QStringLiteral("Vega system"));
        QCOMPARE(editor->state->model.planets.at(1).orbitsAround.view(), "Vega");
        QTest::keyClick(designer->Edit1, Qt::Key_Backspace);
        QCOMPARE(designer->windowTitle(), QStringLiteral("Veg system"));
    }

    void placeSaveClearOpenRoundTrip() {
        const QList<QPair<int, QPoint>> clicks{{0, {100, 300}}, {1, {400, 60}}, {3, {10, 480}}, {6, {250, 20}}};
        for (const auto& [tool, pixel] : clicks) {
            QTest::mouseClick(designer->SpeedButton[tool], Qt::LeftButton);
            QTest::mouseMove(panel, pixel);
            QTest::mouseClick(panel, Qt::LeftButton, {}, pixel);
        }
        designer->ComboBox1->setEditText(QStringLiteral("Bluesun"));
        const QString file = editor->path(QStringLiteral("round.sdf"));
        editor->prompts.files << file;
        QTest::mouseClick(designer->Button3, Qt::LeftButton);
        QCOMPARE(editor->prompts.dialogTitles.last(), QStringLiteral("Save current map as..."));

        editor->prompts.answers << false << true;
        QTest::mouseClick(designer->Button2, Qt::LeftButton);
        QCOMPARE(designer->markers().size(), 4);  // No keeps everything
        QTest::mouseClick(designer->Button2, Qt::LeftButton);
        QVERIFY(designer->markers().isEmpty());
        QCOMPARE(editor->prompts.questions, QStringList(2, kAskClear));

        editor->prompts.answers << true;
        editor->prompts.files << file;
        QTest::mouseClick(designer->Button1, Qt::LeftButton);
        QCOMPARE(designer->markers().size(), 4);
        QCOMPARE(designer->ComboBox1->currentText(), QStringLiteral("Bluesun"));
        for (const auto& [tool, pixel] : clicks) {
            bool found = false;
            for (ObjectMarker* m : designer->markers()) found |= m->pixel() == pixel;
            QVERIFY2(found, qPrintable(QStringLiteral("no marker at %1,%2").arg(pixel.x()).arg(pixel.y())));
        }

        // The saved file, read by the headless command, holds the world
        // positions of the clicked pixels (X from the row, Y from the column).
        QProcess show;
        show.start(QStringLiteral(VK_MAPWRIGHT), {QStringLiteral("show"), file});
        QVERIFY(show.waitForFinished(10000));
        QCOMPARE(show.exitCode(), 0);
        const QJsonObject system = QJsonDocument::fromJson(show.readAllStandardOutput()).object();
        const QStringList lists{"planets", "ships", "", "micro_asteroids", "", "", "jump_nodes"};
        for (const auto& [tool, pixel] : clicks) {
            const QJsonObject o = system[lists[tool]].toArray().at(0).toObject();
            QCOMPARE(o["x"].toInt(), mw::ui::bridge::WorldFromPixel(pixel.y()));
            QCOMPARE(o["y"].toInt(), mw::ui::bridge::WorldFromPixel(pixel.x()));
            QCOMPARE(o["marker_x"].toInt(), pixel.x());
        }
        QVERIFY(editor->prompts.errors.isEmpty());
    }

    void aFailedOpenLeavesTheSystemAsItWas() {
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(60, 60));
        const QString name = designer->Edit1->text();
        const QString damaged = editor->path(QStringLiteral("damaged.sdf"));
        QFile f(damaged);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QFile sample(QStringLiteral(VK_SOURCE_DIR "/data/samples/sample.sdf"));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        f.write(sample.readAll().left(568 * 3 + 100));  // a partial last record
        f.close();
        editor->prompts.answers << true;
        editor->prompts.files << damaged;
        QTest::mouseClick(designer->Button1, Qt::LeftButton);
        QCOMPARE(editor->prompts.errors.size(), 1);
        QVERIFY(editor->prompts.errors[0].contains(QStringLiteral("damaged.sdf")));
        QCOMPARE(designer->markers().size(), 1);
        QCOMPARE(designer->Edit1->text(), name);
        QCOMPARE(editor->state->model.count(ObjectKind::Planet), 1);
        QVERIFY(editor->state->model.isLive(ObjectKind::Planet, 1));
    }

    void the1001stObjectIsRefused() {
        QTest::mouseClick(designer->SpeedButton[3], Qt::LeftButton);
        for (int i = 0; i < 1000; ++i) QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(10 + i % 400, 10 + i / 400));
        QCOMPARE(designer->markers().size(), 1000);
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(300, 300));
        QCOMPARE(designer->markers().size(), 1000);
        QCOMPARE(editor->prompts.errors.size(), 1);
    }

    void closeAsksAndResets() {
        QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(60, 60));
        editor->prompts.answers << false << true;
        QTest::mouseClick(designer->Button5, Qt::LeftButton);
        QCOMPARE(editor->mainForm->designer(), designer);
        QTest::mouseClick(designer->Button5, Qt::LeftButton);
        QCOMPARE(editor->prompts.questions.last(),
                 QStringLiteral("Are you sure you want to close this window? (Your unsaved datas will be lost)"));
        QVERIFY(editor->mainForm->designer() == nullptr);
        QVERIFY(!editor->state->model.isLive(ObjectKind::Planet, 1));
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
