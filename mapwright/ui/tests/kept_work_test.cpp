// Work is never dropped without a word: the main window's Open answered No or
// cancelled, a sun name longer than the file keeps, the wizard's map kept
// between showings and asked about when unsaved, the toolbar's Exit, and text a field cannot store.
// Driven as a user drives the windows: keys, and clicks at the pixels where
// the controls stand.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include "designer/map_panel.h"
#include "designer/mdi_child.h"
#include "ui_test_support.h"
#include "wizard/mcw.h"

using namespace mw::ui;
using namespace mw::ui::test;
using Strings = std::vector<std::string>;

namespace {

const std::string kSample = VK_SOURCE_DIR "/data/samples/sample.sdf";
const std::string kSampleMap = VK_SOURCE_DIR "/data/samples/map/sample.vmpf";

const std::string kAskOpenNew =
    "Are you sure you want to open a new map? Your unsaved data will be lost!";
const std::string kAskOpenAnother =
    "Are you sure you want to open an another map? Your unsaved data will be lost!";
const std::string kAskQuitMenu =
    "Are you sure you want to quit? (Your unsaved datas will be lost!)";

// The designer's command buttons, 193 x 25 from (8, 9) of the panel at (0, 320), 33 apart.
QPoint commandButton(int row) {
    return {8 + 193 / 2, 320 + 9 + row * 33 + 25 / 2};
}

// A click at a pixel of the window, delivered to the control that stands there.
void clickAt(QWidget* window, QPoint pixel) {
    QWidget* target = window->childAt(pixel);
    QVERIFY2(target, "nothing at the pixel");
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, pixel));
}

// A length-prefixed text of a design file, read as the file stores it.
std::string storedText(const std::string& bytes, std::size_t offset) {
    const auto length = static_cast<unsigned char>(bytes.at(offset));
    return bytes.substr(offset + 1, length);
}

}  // namespace

class KeptWorkTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { editor = std::make_unique<TestEditor>(); }
    void cleanup() { editor.reset(); }

    // No to Ctrl+O's question: the designer's own Open then asks its own
    // question, and cancelling its dialog keeps the window and the system.
    void openAnsweredNoKeepsTheDesignersOwnOpen() {
        TMainForm& f = *editor->mainForm;
        TMDIChild* designer = editor->newDesigner();
        QTest::mouseClick(designer->mapPanel(), Qt::LeftButton, {}, QPoint(60, 60));
        editor->prompts.answer(false);
        QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
        editor->prompts.answer(true);  // its dialog is then cancelled
        clickAt(designer, commandButton(0));
        QCOMPARE(editor->prompts.questions, (Strings{kAskOpenNew, kAskOpenAnother}));
        QCOMPARE(editor->prompts.dialogs, std::vector<mw::FileDialog>{mw::FileDialog::OpenSystem});
        QCOMPARE(f.designer(), designer);
        QCOMPARE(designer->markers().size(), 1);
        QVERIFY(designer->windowTitle().endsWith(QLatin1Char('*')));
    }

    // Ctrl+O with the system unchanged: Cancel, or a file that cannot be
    // read, leaves the window and its system as they were.
    void openCancelledOrFailedKeepsTheWindow() {
        TMainForm& f = *editor->mainForm;
        TMDIChild* designer = editor->newDesigner();
        const QString sun = designer->Edit1->text();
        QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);  // the dialog is cancelled
        editor->prompts.file(editor->scratch.write("short.sdf", "sun"));
        QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.designer(), designer);
        QCOMPARE(designer->Edit1->text(), sun);
        QCOMPARE(editor->prompts.dialogs.size(), 2u);
        QCOMPARE(editor->prompts.errors.size(), 1u);
        QVERIFY(editor->prompts.errors[0].find("short.sdf") != std::string::npos);
        QVERIFY(editor->prompts.questions.empty());

        // Without a designer window, one is made for the file: after a failed
        // read it holds a system of its own, and its caption names that one.
        f.FileClose1->trigger();
        editor->prompts.file(editor->scratch.path("short.sdf"));
        QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
        QVERIFY(f.designer());
        QCOMPARE(f.designer()->windowTitle(), f.designer()->Edit1->text() + " system");
        // A file that can be read replaces the system in the open window.
        editor->prompts.file(kSample);
        TMDIChild* open = f.designer();
        QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.designer(), open);
        QCOMPARE(open->windowTitle(), QStringLiteral("Sol system"));
        QCOMPARE(open->markers().size(), 9);
    }

    // The sun name takes what the file keeps, so the field, the planets'
    // orbits and the file agree.
    void sunNameTakesWhatTheFileKeeps() {
        TMDIChild* designer = editor->newDesigner();
        designer->Edit1->selectAll();
        QTest::keyClicks(designer->Edit1, QStringLiteral("Alpha Centauri Prime Extra"));
        QTest::mouseClick(designer->mapPanel(), Qt::LeftButton, {}, QPoint(60, 60));
        editor->prompts.file(editor->scratch.path("alpha.sdf"));
        clickAt(designer, commandButton(2));  // Save as
        const std::string bytes = editor->scratch.read("alpha.sdf");
        QCOMPARE(bytes.size(), 2 * std::size_t(568));
        QCOMPARE(storedText(bytes, 46), std::string("Alpha Centauri Prime"));  // the sun's name
        QCOMPARE(storedText(bytes, 568 + 328), std::string("Alpha Centauri Prime"));  // orbits
        QCOMPARE(designer->Edit1->text(), QStringLiteral("Alpha Centauri Prime"));
        QCOMPARE(designer->windowTitle(), QStringLiteral("Alpha Centauri Prime system"));
    }

    // The wizard's map is a document kept for the whole run: Escape, the close
    // box and Close ask only while it is unsaved (No keeps the window up, Yes
    // closes it with the map kept), its "*" follows what the user did since
    // the last load or save, and only then do Load map, Clear and Exit ask.
    // The oracle is the plain record below.
    void wizardKeepsItsMapAndAsksOnlyWhenUnsaved() {
        TMCW* wizard = editor->windows.MCW;
        TMainForm& f = *editor->mainForm;
        const auto closeBy = [wizard](const char* how) {
            if (std::string(how) == "escape")
                QTest::keyClick(wizard, Qt::Key_Escape);
            else if (std::string(how) == "close box")
                wizard->close();
            else
                QTest::mouseClick(wizard->Button5, Qt::LeftButton);
        };
        const auto starred = [wizard] { return wizard->windowTitle().endsWith(QLatin1Char('*')); };
        const char* const ways[] = {"escape", "close box", "button"};
        for (const char* how : ways) {  // a new map: nothing to lose, nothing asked
            wizard->show();
            closeBy(how);
            QVERIFY2(wizard->isHidden(), how);
        }
        QVERIFY(editor->prompts.questions.empty());
        wizard->show();
        QTest::keyClicks(wizard->Edit1, QStringLiteral("Kept"));
        QVERIFY(starred());
        for (const char* how : ways) {
            editor->prompts.answer(false);
            closeBy(how);
            QVERIFY2(wizard->isVisible(), how);
            editor->prompts.answer(true);
            closeBy(how);
            QVERIFY2(wizard->isHidden(), how);
            wizard->show();
            QCOMPARE(wizard->Edit1->text(), QStringLiteral("Kept"));
            QVERIFY2(starred(), how);
        }
        QCOMPARE(editor->prompts.questions, Strings(6, std::string(mw::wizard_text::kAskClose)));
        editor->prompts.questions.clear();
        const QString typed = QStringLiteral("Kept");

        // Unsaved: Load map asks; No keeps the map, Yes loads (no "*").
        wizard->show();
        editor->prompts.answer(false);
        QTest::mouseClick(wizard->Button7, Qt::LeftButton);
        QCOMPARE(wizard->Edit1->text(), typed);
        editor->prompts.answer(true).file(kSampleMap);
        QTest::mouseClick(wizard->Button7, Qt::LeftButton);
        QVERIFY(!starred());
        QCOMPARE(editor->prompts.questions, Strings(2, std::string(mw::wizard_text::kAskLoadOver)));
        // Saved (as loaded): Clear and Load map ask nothing; Clear itself is a change.
        editor->prompts.questions.clear();
        QTest::mouseClick(wizard->Button3, Qt::LeftButton);
        QCOMPARE(wizard->ListBox1->count(), 0);
        QVERIFY(starred());
        QVERIFY(editor->prompts.questions.empty());
        // Unsaved now: Exit asks its question once, No keeps everything.
        editor->prompts.answer(true);
        closeBy("escape");
        editor->prompts.questions.clear();
        editor->prompts.answer(false);
        f.FileExit1->trigger();
        QVERIFY(f.isVisible());
        QCOMPARE(editor->prompts.questions, Strings{kAskQuitMenu});
        // Undone back to the loaded map: nothing unsaved, Exit asks nothing.
        wizard->show();
        QApplication::setActiveWindow(wizard);  // the offscreen platform activates no dialog
        QTest::keyClick(wizard, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!starred());
        QCOMPARE(wizard->ListBox1->count(), 3);
        closeBy("escape");
        editor->prompts.questions.clear();
        QVERIFY(editor->state->ConfirmQuit(mw::EditorState::QuitCommand::Toolbar, editor->prompts));
        QVERIFY(editor->prompts.questions.empty());
    }

    // Yes to the toolbar Exit's question ends the program: no second question.
    void toolbarExitAsksOnce() {
        editor = std::make_unique<TestEditor>(std::nullopt, TestEditor::Ending::Real);
        TMainForm& f = *editor->mainForm;
        TMDIChild* designer = editor->newDesigner();
        QTest::mouseClick(designer->mapPanel(), Qt::LeftButton, {}, QPoint(60, 60));
        editor->prompts.answer(true);  // a second question would be answered No
        QWidget* exit = f.findChild<QToolBar*>()->widgetForAction(f.ToolButtonExit);
        QTimer::singleShot(0, exit, [exit] { QTest::mouseClick(exit, Qt::LeftButton); });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        watchdog.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(editor->prompts.questions,
                 Strings{"Are you sure you want to quit? (Your unsaved datas will be lost)"});
    }

    // Every field refuses, as it is typed or pasted, what the files cannot
    // store; every number field emptied counts as 0.
    void fieldsKeepToWhatCanBeStored() {
        editor->newDesigner();
        QList<QLineEdit*> edits = editor->mainForm->findChildren<QLineEdit*>();
        QVERIFY(edits.size() > 30);
        for (QLineEdit* edit : edits) {
            if (edit->isReadOnly()) continue;
            edit->setText(QStringLiteral("12"));
            const QString before = edit->text();  // what its field made of it
            edit->end(false);
            QKeyEvent omega(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                            QStringLiteral("\u03A9"));
            QApplication::sendEvent(edit, &omega);
            QApplication::clipboard()->setText(QStringLiteral("3\u20AC"));
            edit->paste();
            QVERIFY2(edit->text() == before,
                     qPrintable(edit->parentWidget()->objectName() + QLatin1Char('/') +
                                edit->objectName() + QStringLiteral(": ") + edit->text()));
        }
        const QList<QSpinBox*> numbers = editor->mainForm->findChildren<QSpinBox*>();
        QVERIFY(numbers.size() >= 8);  // planet 2, asteroid, wreck, wizard 4
        for (QSpinBox* number : numbers) {
            number->setValue(7);
            number->selectAll();
            QTest::keyClick(number, Qt::Key_Backspace);
            QVERIFY2(number->value() == 0, qPrintable(number->objectName()));
        }
    }

  private:
    std::unique_ptr<TestEditor> editor;
};

QTEST_MAIN(KeptWorkTest)
#include "kept_work_test.moc"
