// The wizard's "Map check" window mends what it safely can: a fix button on
// each such row writes the design file and checks the map again. The fix, and
// a link dragged in the map picture, are steps of the wizard's history: its
// Undo and Redo (buttons and keys, and the check window's Undo) take them
// back and make them again, only over files that hold what the step left.
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "project/map_project.h"
#include "system/sdf_record.h"
#include "ui_test_support.h"
#include "wizard/map_picture_view.h"
#include "wizard/mcw.h"
#include "wizard/mcw_check.h"

using namespace mw::ui;
using namespace mw::ui::test;

namespace {

const std::string kSampleMap = VK_SOURCE_DIR "/data/samples/map/";

// A design file of a sun and jump nodes (id, leads to).
std::string writeSystem(TestEditor& editor, const std::string& sun,
                        const std::vector<std::pair<std::string, std::string>>& nodes) {
    mw::SdfRecord header;
    header.tag = mw::sdf_tag::kSun;
    header.name = sun;
    std::string bytes;
    const auto add = [&bytes](const mw::SdfRecord& r) {
        const auto b = r.encode();
        bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
    };
    add(header);
    for (const auto& [id, leadsTo] : nodes) {
        mw::SdfRecord node;
        node.tag = mw::sdf_tag::kJumpNode;
        node.textA = id;
        node.name = leadsTo;
        add(node);
    }
    return editor.scratch.write(sun + ".sdf", bytes);
}

// The leads-to of record `record` (the header is 0): a length byte at offset
// 46 of the 568-byte record, then the characters.
std::string leadsToAt(const std::string& path, std::size_t record) {
    const std::string bytes = vk_test::readFile(path);
    const std::size_t at = record * 568 + 46;
    return at < bytes.size() ? bytes.substr(at + 1, static_cast<unsigned char>(bytes[at])) : "";
}

QStringList column(const QTableWidget* list, int column) {
    QStringList texts;
    for (int row = 0; row < list->rowCount(); ++row)
        texts.append(list->item(row, column) ? list->item(row, column)->text() : QString());
    return texts;
}

}  // namespace

class MapLinksTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        editor = std::make_unique<TestEditor>();
        check = editor->windows.MCW->MCWcheck;
    }
    void cleanup() { editor.reset(); }

    void aFixButtonMendsItsProblemAndTheWizardUndoesIt() {
        // Alpha and Gamma without Beta: their nodes leading to Beta lead nowhere.
        TMCW* wizard = editor->windows.MCW;
        mw::MapProject& map = editor->state->project();
        for (const char* name : {"alpha.sdf", "gamma.sdf"}) {
            const std::string path =
                editor->scratch.write(name, vk_test::readFile(kSampleMap + name));
            mw::SystemSlot& slot = map.systems[static_cast<std::size_t>(map.systemCount++)];
            slot.systemName = name[0] == 'a' ? "Alpha" : "Gamma";
            slot.designFile = path;
        }
        map.kept = mw::BuildProjectRecord(map);  // as if loaded: no "*"
        const std::string alpha = editor->scratch.path("alpha.sdf");
        const std::string original = vk_test::readFile(alpha);
        QStringList kinds, fixes, afterFix, afterUndo;
        bool undoBefore = true;
        QString undoTip;
        std::string fixedFile;
        whenModal<TMCWcheck>([&](TMCWcheck* w) {
            kinds = column(w->ListView1, TMCWcheck::MessageColumn);
            for (int row = 0; row < w->ListView1->rowCount(); ++row) {
                auto* b =
                    qobject_cast<QPushButton*>(w->ListView1->cellWidget(row, TMCWcheck::FixColumn));
                fixes.append(b ? b->text() : QString());
            }
            undoBefore = w->Button2->isEnabled();
            const auto clickFix = [&] {
                const int first = static_cast<int>(fixes.indexOf(QStringLiteral("Set to 0")));
                auto* button = w->ListView1->cellWidget(first, TMCWcheck::FixColumn);
                QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
            };
            clickFix();
            afterFix = column(w->ListView1, TMCWcheck::MessageColumn);
            fixedFile = vk_test::readFile(alpha);
            undoTip = w->Button2->toolTip();
            QTest::mouseClick(w->Button2, Qt::LeftButton);
            afterUndo = column(w->ListView1, TMCWcheck::MessageColumn);
            clickFix();  // again, for the wizard to undo
            QTest::mouseClick(w->Button1, Qt::LeftButton);
        });
        wizard->show();
        wizard->showProject();
        QTest::mouseClick(wizard->Button8, Qt::LeftButton);
        QVERIFY(fixes.contains(QStringLiteral("Set to 0")));
        QVERIFY(!undoBefore);
        QCOMPARE(undoTip, QStringLiteral("Undo Set to 0"));
        QCOMPARE(afterFix.size(), kinds.size() - 1);
        QVERIFY(fixedFile != original);
        QCOMPARE(afterUndo, kinds);
        QCOMPARE(vk_test::readFile(alpha), fixedFile);
        // The wizard's keys: Ctrl+Z takes the fix back, Ctrl+Y makes it again.
        QApplication::setActiveWindow(wizard);  // the offscreen platform activates no dialog
        QTest::keyClick(wizard, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(vk_test::readFile(alpha), original);
        QTest::keyClick(wizard, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(vk_test::readFile(alpha), fixedFile);
        QVERIFY(!wizard->windowTitle().endsWith(QLatin1Char('*')));  // the map itself is as it was
        QVERIFY(editor->prompts.errors.empty());
        wizard->hide();
    }

    void aDragInThePictureLinksBothFilesOrSaysWhyNot() {
        TMCW* wizard = editor->windows.MCW;
        wizard->show();
        mw::MapProject& map = editor->state->project();
        const std::vector<std::string> paths{
            writeSystem(*editor, "Alpha", {{"AlphaJumpnode1", "0"}}),
            writeSystem(*editor, "Beta", {{"BetaJumpnode1", "0"}}),
            writeSystem(*editor, "Gamma", {})};
        for (const std::string& path : paths) {
            mw::SystemSlot& slot = map.systems[static_cast<std::size_t>(map.systemCount++)];
            slot.systemName = path.substr(path.rfind('/') + 1, path.size() - path.rfind('/') - 5);
            slot.designFile = path;
        }
        wizard->showProject();
        MapPictureView* picture = wizard->Image1;
        const auto drag = [picture](std::size_t from, std::size_t to) {
            QVERIFY(waitUntilDrawn(picture));
            QTest::mousePress(picture, Qt::LeftButton, {}, picture->systemCentre(from));
            QTest::mouseMove(picture,
                             (picture->systemCentre(from) + picture->systemCentre(to)) / 2);
            QTest::mouseMove(picture, picture->systemCentre(to));
            QTest::mouseRelease(picture, Qt::LeftButton, {}, picture->systemCentre(to));
        };
        drag(0, 1);
        QCOMPARE(leadsToAt(paths[0], 1), std::string("BetaJumpnode1"));
        QCOMPARE(leadsToAt(paths[1], 1), std::string("AlphaJumpnode1"));
        QVERIFY(waitUntilDrawn(picture));
        QCOMPARE(picture->layout().lines.size(), 1u);
        QVERIFY(editor->prompts.errors.empty());
        // Undo and Redo take both files back and make them again.
        const std::string alphaLinked = vk_test::readFile(paths[0]);
        const std::string betaLinked = vk_test::readFile(paths[1]);
        QCOMPARE(wizard->Button10->toolTip(), QStringLiteral("Undo Link Alpha and Beta"));
        QTest::mouseClick(wizard->Button10, Qt::LeftButton);
        QCOMPARE(leadsToAt(paths[0], 1), std::string("0"));
        QCOMPARE(leadsToAt(paths[1], 1), std::string("0"));
        QVERIFY(waitUntilDrawn(picture));
        QCOMPARE(picture->layout().lines.size(), 0u);
        QTest::mouseClick(wizard->Button11, Qt::LeftButton);
        QCOMPARE(vk_test::readFile(paths[0]), alphaLinked);
        QCOMPARE(vk_test::readFile(paths[1]), betaLinked);
        QVERIFY(waitUntilDrawn(picture));
        QCOMPARE(picture->layout().lines.size(), 1u);
        // Gamma has no jump node: no link, and the message says so.
        const std::string beta = vk_test::readFile(paths[1]);
        drag(2, 1);
        QCOMPARE(editor->prompts.errors.size(), 1u);
        QVERIFY(editor->prompts.errors[0].find("\"Gamma\" has no free jump node") !=
                std::string::npos);
        QCOMPARE(vk_test::readFile(paths[1]), beta);
        wizard->hide();
    }

  private:
    std::unique_ptr<TestEditor> editor;
    TMCWcheck* check = nullptr;
};

QTEST_MAIN(MapLinksTest)
#include "map_links_test.moc"
