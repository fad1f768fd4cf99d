// The designer from the keyboard: undo wherever the focus is, the tool keys,
// the map's cursor and its markers, and a system placed from the keyboard
// written byte for byte as the mouse would have written it.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

#include "designer/map_panel.h"
#include "designer/mdi_child.h"
#include "designer/object_marker.h"
#include "system/world_coordinates.h"
#include "ui_test_support.h"

using namespace mw::ui;
using namespace mw::ui::test;
using mw::ObjectKind;

namespace {

// Nothing is placed on the sun's pixel: a click there only gives the map the keyboard.
const QPoint kSun(247, 247);

struct Editor {
    std::unique_ptr<TestEditor> editor = std::make_unique<TestEditor>();
    TMDIChild* designer = editor->newDesigner();
    MapPanel* panel = designer->mapPanel();

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    const mw::SystemModel& tables() const { return editor->state->designer().tables(); }
    /// Saves the system under `name` in the scratch folder and gives its bytes back.
    std::string save(const char* name) {
        editor->prompts.file(editor->scratch.path(name));
        QTest::mouseClick(designer->Button3, Qt::LeftButton);
        return vk_test::readFile(editor->scratch.path(name));
    }
};

}  // namespace

class DesignerKeysTest : public QObject {
    Q_OBJECT

  private slots:
    void undoAndRedoWithTheFocusInTheSunName() {
        Editor e;
        QTest::mouseClick(e.panel, Qt::LeftButton, {}, QPoint(60, 60));
        QTest::mouseClick(e.designer->Edit1, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), e.designer->Edit1);
        const QString name = e.designer->Edit1->text();
        e.key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(e.designer->markers().isEmpty());
        QCOMPARE(e.designer->Edit1->text(), name);  // the field's own undo had nothing to do
        e.key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(e.designer->markers().size(), 1);
        e.key(Qt::Key_Z, Qt::ControlModifier);
        e.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(e.designer->markers().size(), 1);
        QVERIFY(e.tables().IsLive(ObjectKind::Planet, 1));
        // Typing in the field is a step of the system, taken back the same way.
        QTest::keyClicks(e.designer->Edit1, QStringLiteral("x"));
        e.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(e.designer->Edit1->text(), name);
        QCOMPARE(e.designer->markers().size(), 1);
    }

    void toolKeysWhileTheMapHasTheFocus() {
        Editor e;
        QTest::mouseClick(e.panel, Qt::LeftButton, {}, kSun);
        QCOMPARE(QApplication::focusWidget(), e.panel);
        for (int i = 7; i >= 0; --i) {
            e.key(static_cast<Qt::Key>(Qt::Key_1 + i));
            QCOMPARE(e.designer->tool(), mw::kTools[i].tool);
            for (int b = 0; b < 8; ++b) QCOMPARE(e.designer->SpeedButton[b]->isChecked(), b == i);
            QVERIFY(
                e.designer->SpeedButton[i]->toolTip().endsWith(QStringLiteral("(%1)").arg(i + 1)));
        }
        // In a text field a digit is text.
        QTest::mouseClick(e.designer->Edit2, Qt::LeftButton);
        const QString scale = e.designer->Edit2->text();
        e.key(Qt::Key_2);
        QCOMPARE(e.designer->tool(), mw::Tool::Planet);
        QCOMPARE(e.designer->Edit2->text().size(), scale.size() + 1);
    }

    void theMapTakesTheFocusWithTab() {
        Editor e;
        e.designer->SpeedButton[7]->setFocus(Qt::OtherFocusReason);
        e.key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), e.panel);
    }

    void keyboardPlacementAtTheCursor() {
        Editor e;
        QTest::mouseClick(e.panel, Qt::LeftButton, {}, kSun);
        e.key(Qt::Key_Right, {}, 3);
        e.key(Qt::Key_Down, Qt::ShiftModifier, 2);
        e.key(Qt::Key_Up);
        const QPoint pixel(250, 266);
        QCOMPARE(e.panel->keyCursor(), pixel);
        QCOMPARE(e.designer->Label9->text(), QString::number(mw::WorldFromPixel(pixel.y())));
        QCOMPARE(e.designer->Label10->text(), QString::number(mw::WorldFromPixel(pixel.x())));
        e.key(Qt::Key_Space);
        QCOMPARE(e.designer->markers().size(), 1);
        QCOMPARE(e.designer->marker(ObjectKind::Planet, 1)->pixel(), pixel);
        QCOMPARE(e.tables().planets.at(1).x, mw::WorldFromPixel(pixel.y()));
        QCOMPARE(e.tables().planets.at(1).y, mw::WorldFromPixel(pixel.x()));
        // The cursor stays inside the map.
        e.key(Qt::Key_Left, Qt::ShiftModifier, 30);
        QCOMPARE(e.panel->keyCursor(), QPoint(0, 266));
    }

    void tabReturnAndDeleteOnMarkers() {
        Editor e;
        for (const QPoint p : {QPoint(60, 60), QPoint(80, 80)})
            QTest::mouseClick(e.panel, Qt::LeftButton, {}, p);
        QCOMPARE(QApplication::focusWidget(), e.panel);
        e.key(Qt::Key_Tab);
        QVERIFY(e.designer->marker(ObjectKind::Planet, 1)->hasKeyFocus());
        e.key(Qt::Key_Tab);
        ObjectMarker* second = e.designer->marker(ObjectKind::Planet, 2);
        QVERIFY(second->hasKeyFocus());
        QVERIFY(!e.designer->marker(ObjectKind::Planet, 1)->hasKeyFocus());
        QCOMPARE(e.designer->Label9->text(), QString::number(mw::WorldFromPixel(80)));

        QString opened;
        whenModal<QDialog>([&](QDialog* d) {
            opened = QString::fromLatin1(d->metaObject()->className());
            d->reject();
        });
        e.key(Qt::Key_Return);
        QTRY_COMPARE(opened, QStringLiteral("mw::ui::Tplanet"));
        QCOMPARE(e.tables().currentObjectIndex, 2);

        const int steps = e.editor->document->undoStack()->count();
        // The offscreen platform does not hand activation back by itself.
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QApplication::setActiveWindow(e.editor->mainForm.get());
        QTRY_COMPARE(QApplication::focusWidget(), e.panel);  // back from the dialog, on the marker
        QCOMPARE(e.panel->focusedMarker(), second);
        e.key(Qt::Key_Delete);
        QVERIFY(e.designer->marker(ObjectKind::Planet, 2) == nullptr);
        QVERIFY(!e.tables().IsLive(ObjectKind::Planet, 2));
        QCOMPARE(e.editor->document->undoStack()->count(), steps + 1);
        e.key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(e.tables().IsLive(ObjectKind::Planet, 2));
        QCOMPARE(e.designer->markers().size(), 2);

        // A click on a marker gives the map the keyboard, on that marker.
        QTest::mouseClick(e.designer->Edit1, Qt::LeftButton);
        e.designer->SpeedButton[7]->click();  // delete tool: the click deletes, no dialog
        QTest::mousePress(e.designer->marker(ObjectKind::Planet, 1), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), e.panel);
        QVERIFY(e.designer->marker(ObjectKind::Planet, 1)->hasKeyFocus());
    }

    void namesShownBesideTheMarkers() {
        Editor e;
        QTest::mouseClick(e.panel, Qt::LeftButton, {}, QPoint(60, 60));
        // The strip right of the marker (it covers 52..67), read back as pixels.
        // The map's focus frame and cursor stay out of it: the focus goes to the sun's name.
        const auto beside = [&e] {
            e.designer->Edit1->setFocus();
            return e.panel->grab().toImage().copy(70, 52, 120, 16);
        };
        const QImage plain = beside();
        QAction* toggle = e.editor->mainForm->ShowNames1;
        toggle->trigger();
        QVERIFY(beside() != plain);
        QCOMPARE(e.designer->marker(ObjectKind::Planet, 1)->label(),
                 QString::fromStdString(e.tables().planets.at(1).name.str()));
        // Not clickable: a click on the name places an object as on a bare map.
        QTest::mouseClick(e.panel, Qt::LeftButton, {}, QPoint(76, 60));
        QCOMPARE(e.designer->markers().size(), 2);
        e.key(Qt::Key_Z, Qt::ControlModifier);
        toggle->trigger();
        QCOMPARE(beside(), plain);
    }

    void keyboardAndMouseWriteTheSameBytes() {
        struct Placement {
            int tool;
            QPoint pixel;
        };
        const Placement placements[] = {
            {0, {60, 60}}, {1, {300, 120}}, {5, {247, 400}}, {6, {10, 482}}, {0, {248, 246}}};
        Editor byMouse;
        for (const Placement& p : placements) {
            QTest::mouseClick(byMouse.designer->SpeedButton[p.tool], Qt::LeftButton);
            QTest::mouseClick(byMouse.panel, Qt::LeftButton, {}, p.pixel);
        }
        const std::string mouseBytes = byMouse.save("mouse.sdf");
        byMouse.editor.reset();

        Editor byKeys;
        QTest::mouseClick(byKeys.panel, Qt::LeftButton, {}, kSun);
        for (const Placement& p : placements) {
            byKeys.key(static_cast<Qt::Key>(Qt::Key_1 + p.tool));
            const QPoint step = p.pixel - byKeys.panel->keyCursor();
            const auto walk = [&](int d, Qt::Key less, Qt::Key more) {
                byKeys.key(d < 0 ? less : more, Qt::ShiftModifier, std::abs(d) / 10);
                byKeys.key(d < 0 ? less : more, {}, std::abs(d) % 10);
            };
            walk(step.x(), Qt::Key_Left, Qt::Key_Right);
            walk(step.y(), Qt::Key_Up, Qt::Key_Down);
            byKeys.key(Qt::Key_Return);
        }
        QCOMPARE(byKeys.designer->markers().size(), 5);
        const std::string keyBytes = byKeys.save("keys.sdf");
        QVERIFY(!keyBytes.empty());
        QVERIFY(keyBytes == mouseBytes);
    }
};

QTEST_MAIN(DesignerKeysTest)
#include "designer_keys_test.moc"
