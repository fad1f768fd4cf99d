// The names manager in both modes as the main window opens it (list, style,
// file field, Locate, Reload, OK, Browser) and the watch window's refreshes.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "designer/map_panel.h"
#include "designer/mdi_child.h"
#include "name_windows/listdat.h"
#include "name_windows/planet_names.h"
#include "names/name_lists.h"
#include "names/name_records.h"
#include "ui_test_support.h"

using namespace mw::ui;
using namespace mw::ui::test;

namespace {

mw::TOndRecord ond(const char* name, const char* style, bool planet) {
    return {mw::FixedString<125>(name), mw::FixedString<1>(style),
            planet ? std::uint8_t{1} : std::uint8_t{0}};
}

}  // namespace

class NamesWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        editor = std::make_unique<TestEditor>();
        manager = editor->windows.Planet_Names;
        mw::writeOndFile(editor->scratch.path("main.ond"),
                         {ond("Sol", "U", false), ond("Vega", "U", true), ond("Kesh", "D", false),
                          ond("Zor", "D", true), ond("Anka", "d", true)});
        mw::writeOndFile(editor->scratch.path("other.ond"), {ond("Rigel", "H", true)});
        editor->scratch.write("p_names.dat", "");
        mw::AppendName(editor->state->nameFiles(), mw::kPoolFile, "untouched");
    }
    void cleanup() { editor.reset(); }

    void bothModesListTheirOwnNames_data() {
        QTest::addColumn<bool>("planets");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("systems") << false << "System name database" << QStringList{"Kesh", "Sol"};
        QTest::newRow("planets") << true << "Planet name database"
                                 << QStringList{"Anka", "Vega", "Zor"};
    }
    void bothModesListTheirOwnNames() {
        QFETCH(bool, planets);
        QVERIFY(manager->isHidden() && editor->windows.LISTDAT->isHidden());
        TMainForm& f = *editor->mainForm;
        QString caption, file, style;
        QStringList names;
        closeNextModal([&](QWidget*) {
            caption = manager->windowTitle();
            names = rows(manager->ListBox1);
            file = manager->Edit1->text();
            style = manager->ComboBox1->currentText();
        });
        QAction* action = planets ? f.ToolButtonPlanetNames : f.ToolButtonSystemNames;
        QTest::mouseClick(f.findChild<QToolBar*>()->widgetForAction(action), Qt::LeftButton);
        QTEST(caption, "caption");
        QTEST(names, "names");
        QCOMPARE(file, QStringLiteral("main.ond"));
        QCOMPARE(style, QStringLiteral("Uniform"));
        QCOMPARE(manager->size(), QSize(371, 242));
        QVERIFY(editor->prompts.errors.empty());
    }

    void okRebuildsThePoolOnlyWhenSomethingChanged() {
        TMainForm& f = *editor->mainForm;
        const auto pressOk = [&](std::function<void()> before) {
            closeNextModal([&](QWidget*) {
                if (before) before();
                QTest::mouseClick(manager->Button3, Qt::LeftButton);
            });
            f.SystemNamesManager1->trigger();
        };
        pressOk({});
        QCOMPARE(manager->result(), int(QDialog::Accepted));
        QCOMPARE(mw::readNameList(editor->state->nameFiles().pool()),
                 std::vector<std::string>{"untouched"});

        pressOk([&] { manager->ComboBox1->setCurrentIndex(3); });  // Darzok
        QCOMPARE(editor->state->nameSettings().systemStyle, 3);
        QCOMPARE(mw::readNameList(editor->state->nameFiles().pool()),
                 (std::vector<std::string>{"Zor", "Anka"}));

        // Cancel stores nothing.
        closeNextModal([&](QWidget*) {
            manager->ComboBox1->setCurrentIndex(1);
            QTest::mouseClick(manager->Button1, Qt::LeftButton);
        });
        f.PlanetNamesManager1->trigger();
        QCOMPARE(manager->result(), int(QDialog::Rejected));
        QCOMPARE(editor->state->nameSettings().planetStyle, 0);
    }

    void locateReloadAndUnreadableFiles() {
        manager->setMode(mw::NamesMode::Planets);
        manager->show();
        editor->prompts.file(editor->scratch.path("other.ond"));
        QTest::mouseClick(manager->SpeedButton1, Qt::LeftButton);
        QCOMPARE(editor->prompts.dialogs.back(), mw::FileDialog::LocateNameDatabase);
        QCOMPARE(manager->Edit1->text().toStdString(), editor->scratch.path("other.ond"));
        QCOMPARE(rows(manager->ListBox1), QStringList{"Rigel"});

        // Cancelled: the list is read again from the unchanged file.
        mw::writeOndFile(editor->scratch.path("other.ond"),
                         {ond("Rigel", "H", true), ond("Deneb", "K", true)});
        QTest::mouseClick(manager->SpeedButton1, Qt::LeftButton);
        QCOMPARE(rows(manager->ListBox1), QStringList({"Deneb", "Rigel"}));

        std::filesystem::remove(editor->scratch.path("other.ond"));
        QTest::mouseClick(manager->Button2, Qt::LeftButton);
        QCOMPARE(editor->prompts.errors.size(), 1u);
        QVERIFY(editor->prompts.errors[0].find("other.ond") != std::string::npos);
        QCOMPARE(rows(manager->ListBox1), QStringList({"Deneb", "Rigel"}));
        manager->hide();
    }

    void browserStartsTheNameExplorerOrSaysWhyNot() {
        // Beside the executable: a stand-in that leaves a mark in its working folder.
        vk_test::ScratchDir program("mw-program");
        const std::string script = program.write("namescout", "#!/bin/sh\ntouch namescout-ran\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        editor.reset();
        editor = std::make_unique<TestEditor>(QString::fromStdString(program.root().string()));
        QTest::mouseClick(editor->windows.Planet_Names->Button4, Qt::LeftButton);
        QTRY_VERIFY(editor->scratch.exists("namescout-ran"));

        std::filesystem::remove(script);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", "/nonexistent");
        QTest::mouseClick(editor->windows.Planet_Names->Button4, Qt::LeftButton);
        qputenv("PATH", path);
        const QString line = editor->mainForm->statusBar()->currentMessage();
        QVERIFY2(line.contains(QStringLiteral("namescout could not be started")), qPrintable(line));
    }

    void watchWindowRefreshes() {
        TMainForm& f = *editor->mainForm;
        f.VarsWatch1->trigger();  // the developer menu itself stays hidden
        TLISTDAT* watch = editor->windows.LISTDAT;
        QVERIFY(watch->isVisible());
        QVERIFY(watch->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(watch->Label1->text(), QStringLiteral("XXXX record(s)"));
        QTest::mouseClick(watch->Button4, Qt::LeftButton);
        QCOMPARE(watch->Label1->text(), QStringLiteral("0 record(s)"));

        TMDIChild* designer = editor->newDesigner();
        QTest::mouseClick(designer->mapPanel(), Qt::LeftButton, {}, QPoint(60, 60));
        QTest::mouseClick(designer->mapPanel(), Qt::LeftButton, {}, QPoint(90, 90));
        const auto planets = mw::LivePlanetNames(editor->state->designer().tables());
        QTest::mouseClick(watch->Button4, Qt::LeftButton);
        QCOMPARE(watch->Label1->text(), QStringLiteral("2 record(s)"));
        QCOMPARE(watch->ListBox1->item(1)->text().toStdString(), planets[1]);
        QTest::mouseClick(watch->Button1, Qt::LeftButton);
        QCOMPARE(watch->ListBox1->count(), 2);
        QTest::mouseClick(watch->Button3, Qt::LeftButton);
        QCOMPARE(std::size_t(watch->ListBox1->count()),
                 mw::CountNames(editor->state->nameFiles(), mw::kPoolFile));

        std::filesystem::remove(editor->state->nameFiles().usedList());
        QTest::mouseClick(watch->Button1, Qt::LeftButton);
        QCOMPARE(editor->prompts.errors.size(), 1u);
        QVERIFY(editor->prompts.errors[0].find("list.dat") != std::string::npos);
        QTest::mouseClick(watch->Button2, Qt::LeftButton);
        QVERIFY(watch->isHidden());
    }

  private:
    std::unique_ptr<TestEditor> editor;
    TPlanet_Names* manager = nullptr;
};

QTEST_MAIN(NamesWindowsTest)
#include "names_windows_test.moc"
