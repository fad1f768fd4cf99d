// The "Objects" panel beside the designer, used as a map maker would: the
// list checked against a plain record of what was placed where, through
// clicks on the map, undo, a drag, the list's selection, Return and Delete.
#include "objects_panel/objects_panel.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableView>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>
#include <map>

#include "designer/map_panel.h"
#include "designer/mdi_child.h"
#include "designer/object_marker.h"
#include "system/world_coordinates.h"
#include "ui_test_support.h"

using namespace mw::ui;
using namespace mw::ui::test;
using mw::ObjectKind;

namespace {

// The tool buttons, in the order of the tool panel.
enum Button { PlanetTool = 0, ShipTool = 1, WreckTool = 4 };

// What the user did: each object's kind and index as the list names them,
// and the pixel it stands on.
using Placed = std::map<QString, QPoint>;

}  // namespace

class ObjectsPanelTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEditor> editor;
    TMDIChild* designer = nullptr;
    ObjectsPanel* objects = nullptr;
    QTableView* table = nullptr;

    void place(Button tool, QPoint pixel) {
        QTest::mouseClick(designer->SpeedButton[tool], Qt::LeftButton);
        QTest::mouseClick(designer->mapPanel(), Qt::LeftButton, {}, pixel);
    }

    /// The list as shown, "Kind #" -> world X, Y (as the cursor readout shows a pixel).
    std::map<QString, QPair<QString, QString>> listed() const {
        std::map<QString, QPair<QString, QString>> rows;
        const QAbstractItemModel* m = table->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            const auto cell = [&](int c) { return m->index(r, c).data().toString(); };
            rows[cell(0) + QLatin1Char(' ') + cell(1)] = {cell(3), cell(4)};
        }
        return rows;
    }
    static std::map<QString, QPair<QString, QString>> expected(const Placed& placed) {
        std::map<QString, QPair<QString, QString>> rows;
        for (const auto& [name, p] : placed)
            rows[name] = {QString::number(mw::WorldFromPixel(p.y())),
                          QString::number(mw::WorldFromPixel(p.x()))};
        return rows;
    }

    /// A real click on the row that shows the object.
    void clickRow(const QString& kind, const QString& index) {
        const QAbstractItemModel* m = table->model();
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->index(r, 0).data() == kind && m->index(r, 1).data() == index) {
                const QModelIndex at = m->index(r, 2);
                table->scrollTo(at);
                QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                                  table->visualRect(at).center());
                return;
            }
        QFAIL(qPrintable(QStringLiteral("no row for %1 %2").arg(kind, index)));
    }

  private slots:
    void init() {
        editor = std::make_unique<TestEditor>();
        designer = editor->newDesigner();
        objects = editor->mainForm->objectsPanel();
        objects->show();  // the test screen is too narrow for it to start shown
        editor->mainForm->resize(1320, 720);
        QCoreApplication::processEvents();
        table = objects->table();
        // Clicks land on what shows: all of the designer and the list must.
        const QMdiSubWindow* sub = editor->mainForm->clientArea()->subWindowList().value(0);
        QVERIFY(editor->mainForm->clientArea()->viewport()->rect().contains(sub->geometry()));
        QVERIFY(table->isVisible());
    }
    void cleanup() { editor.reset(); }

    void listFollowsPlacingUndoRedoAndDragging() {
        Placed placed;
        place(ShipTool, {60, 60});
        placed[QStringLiteral("Ship 1")] = {60, 60};
        place(PlanetTool, {300, 100});
        placed[QStringLiteral("Planet 1")] = {300, 100};
        place(WreckTool, {400, 400});
        placed[QStringLiteral("Wreck 1")] = {400, 400};
        QCOMPARE(listed(), expected(placed));

        editor->mainForm->EditUndo1->trigger();
        Placed undone = placed;
        undone.erase(QStringLiteral("Wreck 1"));
        QCOMPARE(listed(), expected(undone));
        editor->mainForm->EditRedo1->trigger();
        QCOMPARE(listed(), expected(placed));

        // The ship dragged across the map.
        ObjectMarker* ship = designer->marker(ObjectKind::Ship, 1);
        const QPoint to(369, 123), centre(8, 8);
        QTest::mousePress(ship, Qt::LeftButton, {}, centre);
        QTest::mouseMove(ship, centre + QPoint(12, 0));
        QTest::mouseMove(ship, to - ship->pos());
        QTest::mouseRelease(ship, Qt::LeftButton, {}, to - ship->pos());
        placed[QStringLiteral("Ship 1")] = to;
        QCOMPARE(listed(), expected(placed));

        // The filter keeps the rows with every word typed.
        QTest::keyClicks(objects->filterField(), QStringLiteral("wreck"));
        QCOMPARE(table->model()->rowCount(), 1);
        objects->filterField()->clear();
        QCOMPARE(table->model()->rowCount(), 3);
    }

    void selectionFollowsTheMapAndRowsOpenAndDelete() {
        place(ShipTool, {60, 60});
        place(ShipTool, {64, 60});  // covers most of the first one
        place(PlanetTool, {300, 100});
        QCoreApplication::processEvents();

        // A row chosen: its marker is highlighted and drawn over the one covering it.
        clickRow(QStringLiteral("Ship"), QStringLiteral("1"));
        ObjectMarker* first = designer->marker(ObjectKind::Ship, 1);
        QVERIFY(first->isHighlighted());
        QCOMPARE(designer->mapPanel()->childAt(QPoint(58, 60)), first);

        // A marker clicked on the map: its row becomes the current one.
        QTest::mouseClick(designer->SpeedButton[PlanetTool], Qt::LeftButton);
        QString dialog;
        onModal([](QWidget* w) { return qobject_cast<QDialog*>(w) != nullptr; },
                [&](QWidget* w) {
                    dialog = w->objectName();
                    w->close();
                });
        QTest::mouseClick(designer->marker(ObjectKind::Planet, 1), Qt::LeftButton);
        QCOMPARE(dialog, QStringLiteral("planet"));
        QCOMPARE(objects->currentObject(), (mw::ObjectRef{ObjectKind::Planet, 1}));
        QVERIFY(!first->isHighlighted());

        // Return on a row opens that object's dialog.
        clickRow(QStringLiteral("Ship"), QStringLiteral("2"));
        dialog.clear();
        onModal([](QWidget* w) { return qobject_cast<QDialog*>(w) != nullptr; },
                [&](QWidget* w) {
                    dialog = w->objectName();
                    w->close();
                });
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(dialog, QStringLiteral("sh"));

        // Delete on a row deletes the covered ship, in one step that undo takes back.
        const int steps = editor->document->undoStack()->count();
        clickRow(QStringLiteral("Ship"), QStringLiteral("1"));
        QTest::keyClick(table, Qt::Key_Delete);
        QVERIFY(!editor->state->designer().tables().IsLive(ObjectKind::Ship, 1));
        QCOMPARE(editor->document->undoStack()->count(), steps + 1);
        QCOMPARE(table->model()->rowCount(), 2);
        editor->mainForm->EditUndo1->trigger();
        QCOMPARE(table->model()->rowCount(), 3);

        // Window > Objects hides the list and shows it again.
        editor->mainForm->ShowObjects1->trigger();
        QVERIFY(objects->isHidden());
        editor->mainForm->ShowObjects1->trigger();
        QVERIFY(objects->isVisible());
    }
};

QTEST_MAIN(ObjectsPanelTest)
#include "objects_panel_test.moc"
