// The designer window when a name list cannot be written (the file layer
// failing as a full or failing disk would): undo and redo with Ctrl+Z / Ctrl+Y,
// and a click on the map or on a marker, leave the markers, the undo stack,
// the caption's "*" and both lists exactly as they were, and say which list
// failed. The lists are read here byte by byte, not through the model.
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>
#include <functional>

#include "common/file_faults.h"
#include "designer/map_panel.h"
#include "designer/mdi_child.h"
#include "designer/object_marker.h"
#include "ui_test_support.h"

using namespace mw::ui;
using namespace mw::ui::test;
using mw::FileFault;
using mw::FileStep;
using mw::ObjectKind;

namespace {

// Names of a list file: 121-byte records, a length byte and the characters.
QStringList namesIn(const std::string& bytes) {
    QStringList names;
    for (std::size_t at = 0; at + 121 <= bytes.size(); at += 121)
        names << QString::fromStdString(
            bytes.substr(at + 1, static_cast<unsigned char>(bytes[at])));
    return names;
}

// Faults that hit the first list, the second list after the first was
// replaced, and a disk full from the start.
const FileFault kFaults[] = {{FileStep::Create, 1, 0, ENOSPC, false},
                             {FileStep::Rename, 2, 0, EIO, false},
                             {FileStep::Write, 1, 0, ENOSPC, true}};

}  // namespace

class WriteFailuresTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        editor = std::make_unique<TestEditor>();
        designer = editor->newDesigner();
        QVERIFY(designer);
        QTest::mouseClick(designer->SpeedButton[0], Qt::LeftButton);  // the planet tool
        QTest::mouseClick(designer->mapPanel(), Qt::LeftButton, {}, QPoint(60, 60));
        QTest::mouseClick(designer->mapPanel(), Qt::LeftButton, {}, QPoint(80, 80));
        QCOMPARE(designer->markers().size(), 2);
    }
    void cleanup() { editor.reset(); }

    void undoAndRedoThatCannotWriteTheListsChangeNothing() {
        TMainForm& f = *editor->mainForm;
        for (const auto& [keyOfStep, moved] : {std::pair{Qt::Key_Z, -1}, std::pair{Qt::Key_Y, 1}}) {
            // A plain copy: older compilers cannot capture a structured binding in a lambda.
            const Qt::Key key = keyOfStep;
            const int index = editor->document->undoStack()->index();
            const int shown = designer->markers().size();
            failEachWay([&] { QTest::keyClick(&f, key, Qt::ControlModifier); });
            // Without the fault the step is made, whole.
            QTest::keyClick(&f, key, Qt::ControlModifier);
            QCOMPARE(editor->document->undoStack()->index(), index + moved);
            QCOMPARE(designer->markers().size(), shown + moved);
            QCOMPARE(namesIn(read("list.dat")), liveNames());
        }
    }

    void placingOrDeletingThatCannotWriteTheListsChangesNothing() {
        failEachWay(
            [&] { QTest::mouseClick(designer->mapPanel(), Qt::LeftButton, {}, QPoint(100, 300)); });
        QTest::mouseClick(designer->SpeedButton[7], Qt::LeftButton);  // the delete tool
        failEachWay(
            [&] { QTest::mouseClick(designer->marker(ObjectKind::Planet, 1), Qt::LeftButton); });
        // The delete made at last gives the name back once.
        const QString name = namesIn(read("list.dat")).first();
        QTest::mouseClick(designer->marker(ObjectKind::Planet, 1), Qt::LeftButton);
        QCOMPARE(designer->markers().size(), 1);
        QCOMPARE(namesIn(read("p_names.dat")).count(name), 1);
        QCOMPARE(namesIn(read("list.dat")), liveNames());
    }

  private:
    // The user's action, with each fault armed in turn: the undo stack, the
    // markers, the "*", both lists stay, and the message names a list the
    // user knows, never a scratch file.
    void failEachWay(const std::function<void()>& action) {
        const int index = editor->document->undoStack()->index();
        QList<QPoint> shown;
        for (const ObjectMarker* m : designer->markers()) shown << m->pixel();
        const std::string pool = read("p_names.dat"), used = read("list.dat");
        for (const FileFault& fault : kFaults) {
            {
                const mw::ScopedFileFault armed(fault);
                action();
                QVERIFY(armed.fired());
            }
            QCOMPARE(editor->document->undoStack()->index(), index);
            QList<QPoint> now;
            for (const ObjectMarker* m : designer->markers()) now << m->pixel();
            QCOMPARE(now, shown);
            QVERIFY(designer->windowTitle().endsWith(QLatin1Char('*')));
            QCOMPARE(read("p_names.dat"), pool);
            QCOMPARE(read("list.dat"), used);
            const std::string& message = editor->prompts.errors.back();
            QVERIFY2(message.find(editor->scratch.path("p_names.dat")) != std::string::npos ||
                         message.find(editor->scratch.path("list.dat")) != std::string::npos,
                     message.c_str());
            QVERIFY2(message.find(".tmp-") == std::string::npos, message.c_str());
        }
    }
    std::string read(const char* list) const { return editor->scratch.read(list); }
    QStringList liveNames() const {
        QStringList names;
        const mw::SystemModel& t = editor->state->designer().tables();
        for (int i = 1; i <= t.planets.count(); ++i)
            if (t.planets.at(i).deleted == 0)
                names << QString::fromStdString(t.planets.at(i).name.str());
        return names;
    }

    std::unique_ptr<TestEditor> editor;
    TMDIChild* designer = nullptr;
};

QTEST_MAIN(WriteFailuresTest)
#include "write_failures_test.moc"
