// The property dialogs' wiring: a marker click opens the kind's dialog filled
// from the record, OK stores and Cancel does not, the Z dialog writes at
// once, and "Link systems" leads through the node chooser. The rules behind
// them are tested in the model.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include "designer/map_panel.h"
#include "designer/mdi_child.h"
#include "designer/object_marker.h"
#include "dialogs/asteroid_dialog.h"
#include "dialogs/jump_node_dialog.h"
#include "dialogs/micro_asteroid_dialog.h"
#include "dialogs/nebula_dialog.h"
#include "dialogs/node_list.h"
#include "dialogs/planet_dialog.h"
#include "dialogs/ship_dialog.h"
#include "dialogs/ship_help.h"
#include "dialogs/wreck_dialog.h"
#include "dialogs/z_dialog.h"
#include "name_windows/listdat.h"
#include "name_windows/planet_names.h"
#include "names/name_records.h"
#include "shell/about_box.h"
#include "shell/icons_help.h"
#include "shell/whats_new.h"
#include "system/system_file.h"
#include "ui_test_support.h"
#include "wizard/mcw.h"

using namespace mw::ui;
using namespace mw::ui::test;
using mw::ObjectKind;

namespace {

/// The text a field shows, whatever kind of field it is.
QString fieldText(QWidget* field) {
    if (auto* e = qobject_cast<QLineEdit*>(field)) return e->text();
    if (auto* c = qobject_cast<QComboBox*>(field)) return c->currentText();
    if (auto* s = qobject_cast<QSpinBox*>(field)) return s->text();
    if (auto* l = qobject_cast<QLabel*>(field)) return l->text();
    return QStringLiteral("<no field>");
}

}  // namespace

class PropertyDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        editor = std::make_unique<TestEditor>();
        designer = editor->newDesigner();
        QVERIFY(designer);
    }
    void cleanup() { editor.reset(); }

    void createdOnceAtStartUpInOrder() {
        const EditorWindows& w = editor->windows;
        const QList<QWidget*> order{w.AboutBox,
                                    w.MCW,
                                    w.dialogs.planet,
                                    w.dialogs.mas,
                                    w.dialogs.ast,
                                    w.dialogs.wrck,
                                    w.dialogs.jn,
                                    w.dialogs.sh,
                                    w.dialogs.ne,
                                    w.dialogs.magassag,
                                    w.dialogs.ship_help,
                                    w.dialogs.NodeList,
                                    w.icons,
                                    w.Planet_Names,
                                    w.LISTDAT,
                                    w.whatsnew};
        const QObjectList children = editor->mainForm->children();
        qsizetype last = -1;
        for (QWidget* window : order) {
            QVERIFY(window && window->isHidden());
            const qsizetype at = children.indexOf(window);
            QVERIFY2(at > last, qPrintable(window->objectName()));
            last = at;
        }
    }

    void aMarkerClickOpensTheKindsDialogFilledFromTheRecord_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("dialogClass");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shows");
        QTest::newRow("planet") << 0 << int(ObjectKind::Planet) << "Tplanet"
                                << "SpinEdit1"
                                << "800";
        QTest::newRow("ship") << 1 << int(ObjectKind::Ship) << "Tsh"
                              << "ComboBox1"
                              << "_H_P_CorvetteTurret";
        QTest::newRow("asteroid") << 2 << int(ObjectKind::Asteroid) << "Tast"
                                  << "SpinEdit1"
                                  << "120000";
        QTest::newRow("micro") << 3 << int(ObjectKind::MicroAsteroid) << "Tmas"
                               << "Label2"
                               << "Index : 1";
        QTest::newRow("wreck") << 4 << int(ObjectKind::Wreck) << "Twrck"
                               << "ComboBox1"
                               << "Wreck_napelemmel";
        QTest::newRow("nebula") << 5 << int(ObjectKind::Nebula) << "Tne"
                                << "ComboBox1"
                                << "";  // random; checked against the record
        QTest::newRow("jump node") << 6 << int(ObjectKind::JumpNode) << "Tjn"
                                   << "Edit1"
                                   << "0";
    }
    void aMarkerClickOpensTheKindsDialogFilledFromTheRecord() {
        QFETCH(int, button);
        QFETCH(int, kind);
        QFETCH(QString, dialogClass);
        QFETCH(QString, field);
        QFETCH(QString, shows);
        ObjectMarker* marker = place(button, QPoint(100, 300));
        QCOMPARE(int(marker->kind()), kind);
        if (shows.isEmpty())
            shows =
                QString::fromLatin1(editor->state->designer().tables().nebulae.at(1).type.str());
        mw::DesignerSnapshot before = editor->state->designer().TakeSnapshot();
        before.tables.currentObjectIndex = 1;  // the click selects it
        QString opened;
        QString shown;
        whenModal<QDialog>([&](QDialog* dialog) {
            opened = QString::fromLatin1(dialog->metaObject()->className())
                         .section(QStringLiteral("::"), -1);
            shown = fieldText(dialog->findChild<QWidget*>(field));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Button2")),
                              Qt::LeftButton);
        });
        QTest::mouseClick(marker, Qt::LeftButton);
        QCOMPARE(opened, dialogClass);
        QCOMPARE(shown, shows);
        QVERIFY(editor->state->designer().TakeSnapshot() == before);  // Cancel wrote nothing
        QVERIFY(editor->prompts.errors.empty());
    }

    void planetOkStoresWhatTheFieldsShow() {
        ObjectMarker* marker = place(0, QPoint(60, 60));
        const std::string name = editor->state->designer().tables().planets.at(1).name.str();
        const auto edit = [&](Tplanet* d) {
            d->Edit1->clear();
            QTest::keyClicks(d->Edit1, QStringLiteral("Altair and far beyond"));
            d->ComboBox1->setCurrentText(QStringLiteral("gas_giant"));
            d->SpinEdit2->setValue(5000);
        };
        whenModal<Tplanet>([&](Tplanet* d) {
            edit(d);
            QTest::mouseClick(d->Button2, Qt::LeftButton);
        });
        QTest::mouseClick(marker, Qt::LeftButton);
        QCOMPARE(editor->state->designer().tables().planets.at(1).name.str(), name);

        QStringList models;
        QString model;
        QString refilled;
        whenModal<Tplanet>([&](Tplanet* d) {
            refilled = d->Edit1->text();
            edit(d);
            for (int i = 0; i < d->ComboBox6->count(); ++i) models << d->ComboBox6->itemText(i);
            model = d->ComboBox6->currentText();
            QTest::mouseClick(d->Button1, Qt::LeftButton);
        });
        QTest::mouseClick(marker, Qt::LeftButton);
        QCOMPARE(refilled, QString::fromLatin1(name));  // the fields come from the record again
        QCOMPARE(models.size(), 9);
        QCOMPARE(model, QStringLiteral("T1"));
        const mw::PlanetRecord& p = editor->state->designer().tables().planets.at(1);
        // The field takes no more than the record holds: stored and listed alike.
        QCOMPARE(p.name.str(), std::string("Altair and far "));
        QCOMPARE(p.type.str(), std::string("gas_giant"));
        QCOMPARE(p.population, 5000);
        QCOMPARE(mw::readNameList(editor->scratch.path("list.dat")),
                 std::vector<std::string>{"Altair and far "});
    }

    void shipOkWithABadNumberStaysOpenAndWritesNothing() {
        ObjectMarker* marker = place(1, QPoint(60, 60));
        bool stayedOpen = false;
        QString numberAfterTypeChange;
        whenModal<Tsh>([&](Tsh* d) {
            d->ComboBox1->setCurrentText(QStringLiteral("_K_I_Fighter"));
            numberAfterTypeChange = d->ComboBox4->currentText();
            d->ComboBox3->setCurrentText(QStringLiteral("x"));
            d->CheckBox1->setChecked(true);
            QTest::mouseClick(d->Button1, Qt::LeftButton);
            stayedOpen = d->isVisible();
            d->ComboBox3->setCurrentText(QStringLiteral("3"));
            QTest::mouseClick(d->Button1, Qt::LeftButton);
        });
        QTest::mouseClick(marker, Qt::LeftButton);
        QCOMPARE(numberAfterTypeChange, QStringLiteral("7"));
        QVERIFY(stayedOpen);
        QCOMPARE(editor->prompts.errors,
                 std::vector<std::string>{"'x' is not a valid integer value"});
        const mw::ShipRecord& r = editor->state->designer().tables().ships.at(1);
        QCOMPARE(r.name.str(), std::string("Ship1"));
        QCOMPARE(r.type.str(), std::string("_K_I_Fighter"));
        QCOMPARE(r.rank, 3);
        QCOMPARE(r.numberOfShips, 7);
        QCOMPARE(int(r.deployed), 1);
    }

    void zIsWrittenAtOnceEvenWhenTheObjectDialogIsCancelled() {
        ObjectMarker* marker = place(4, QPoint(60, 60));
        QString afterCancel;
        whenModal<Twrck>([&](Twrck* d) {
            whenModal<Tmagassag>([&](Tmagassag* z) {
                z->Edit1->setText(QStringLiteral("12a"));
                QTest::mouseClick(z->Button1, Qt::LeftButton);  // refused, stays open
                QTest::mouseClick(z->Button2, Qt::LeftButton);
                afterCancel = z->Edit1->text();
            });
            QTest::mouseClick(d->Button3, Qt::LeftButton);
            whenModal<Tmagassag>([&](Tmagassag* z) {
                z->Edit1->setText(QStringLiteral("-2500"));
                QTest::mouseClick(z->Button1, Qt::LeftButton);
            });
            QTest::mouseClick(d->Button3, Qt::LeftButton);
            QTest::mouseClick(d->Button2, Qt::LeftButton);
        });
        QTest::mouseClick(marker, Qt::LeftButton);
        QCOMPARE(afterCancel, QStringLiteral("0"));
        QCOMPARE(editor->prompts.errors,
                 std::vector<std::string>{"'12a' is not a valid integer value"});
        QCOMPARE(editor->state->designer().tables().wrecks.at(1).z, -2500);
    }

    void linkSystemsLinksThroughTheChooserAtOnce() {
        const std::string alpha = editor->scratch.path("alpha.sdf");
        writeNodes(alpha, {{"AlphaJumpnode1", "0"}, {"AlphaJumpnode2", "BetaJumpnode1"}});
        const std::string original = vk_test::readFile(alpha);
        ObjectMarker* marker = place(6, QPoint(60, 60));
        editor->prompts.file("").file(alpha).file(alpha);
        const auto clickBox = [](QCheckBox* box) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        };
        QStringList offered;
        QString leadsTo;
        bool bothWaysAtFirst = false, openAfterNo = false;
        QString fieldAfterOk, fieldAfterBothWays;
        std::string alphaAfterOneWay;
        whenModal<Tjn>([&](Tjn* d) {
            QTest::mouseClick(d->Button4, Qt::LeftButton);  // file dialog cancelled: no chooser
            whenModal<TNodeList>([&](TNodeList* chooser) {
                for (int i = 0; i < chooser->ComboBox1->count(); ++i)
                    offered << chooser->ComboBox1->itemText(i);
                chooser->ComboBox1->setCurrentIndex(2);
                leadsTo = chooser->Label2->text();
                // Both ways: AlphaJumpnode2 leads elsewhere; No keeps the chooser open.
                bothWaysAtFirst = chooser->CheckBox1->isChecked();
                QTest::mouseClick(chooser->Button1, Qt::LeftButton);
                openAfterNo = chooser->isVisible();
                clickBox(chooser->CheckBox1);
                QTest::mouseClick(chooser->Button1, Qt::LeftButton);
            });
            QTest::mouseClick(d->Button4, Qt::LeftButton);
            fieldAfterOk = d->Edit1->text();
            alphaAfterOneWay = vk_test::readFile(alpha);
            // Both ways to the free node: Alpha's file leads back here.
            whenModal<TNodeList>([&](TNodeList* chooser) {
                clickBox(chooser->CheckBox1);
                chooser->ComboBox1->setCurrentIndex(1);
                QTest::mouseClick(chooser->Button1, Qt::LeftButton);
            });
            QTest::mouseClick(d->Button4, Qt::LeftButton);
            fieldAfterBothWays = d->Edit1->text();
            QTest::mouseClick(d->Button2, Qt::LeftButton);
        });
        QTest::mouseClick(marker, Qt::LeftButton);
        QCOMPARE(editor->prompts.dialogs.size(), 3u);
        QCOMPARE(offered, (QStringList{"0", "AlphaJumpnode1", "AlphaJumpnode2"}));
        QCOMPARE(leadsTo, QStringLiteral("BetaJumpnode1"));
        QVERIFY(bothWaysAtFirst && openAfterNo);
        QCOMPARE(editor->prompts.questions.size(), 1u);
        QCOMPARE(fieldAfterOk, QStringLiteral("AlphaJumpnode2"));
        QCOMPARE(alphaAfterOneWay, original);
        QCOMPARE(fieldAfterBothWays, QStringLiteral("AlphaJumpnode1"));
        // The chooser's OK wrote it; cancelling the node's dialog kept it.
        const std::string ownId = editor->state->designer().tables().jumpNodes.at(1).nodeId.str();
        QCOMPARE(editor->state->designer().tables().jumpNodes.at(1).leadsTo.str(),
                 std::string("AlphaJumpnode1"));
        // Alpha's first node (record 1: the header is record 0) leads back here:
        // its leads-to is a length byte at offset 46 of the 568-byte record.
        const std::string linked = vk_test::readFile(alpha);
        QCOMPARE(linked.substr(568 + 47, static_cast<unsigned char>(linked[568 + 46])), ownId);
        // One undo step takes back both.
        QVERIFY(editor->document->undo());
        QCOMPARE(vk_test::readFile(alpha), original);
        QCOMPARE(editor->state->designer().tables().jumpNodes.at(1).leadsTo.str(),
                 std::string("AlphaJumpnode2"));
        QVERIFY(editor->prompts.errors.empty());
    }

    void textFieldsHoldNoMoreThanTheirRecordField() {
        const mw::ui::PropertyDialogs& d = editor->windows.dialogs;
        const QList<QPair<QWidget*, int>> limits{
            {d.planet->Edit1, 15},     {d.planet->ComboBox1, 20},   {d.planet->ComboBox2, 45},
            {d.planet->ComboBox3, 20}, {d.planet->ComboBox4, 15},   {d.planet->ComboBox6, 20},
            {d.sh->ComboBox1, 30},     {d.sh->ComboBox2, 30},       {d.jn->Edit1, 125},
            {d.wrck->ComboBox1, 20},   {d.NodeList->ComboBox1, 125}};
        for (const auto& [field, capacity] : limits) {
            auto* line = qobject_cast<QLineEdit*>(field);
            if (auto* combo = qobject_cast<QComboBox*>(field)) line = combo->lineEdit();
            QVERIFY(line);
            QCOMPARE(line->maxLength(), capacity);
        }
        QCOMPARE(d.wrck->SpinEdit1->minimum(), 0);
        QCOMPARE(d.wrck->SpinEdit1->maximum(), 100000);
    }

  private:
    /// Places an object with the tool button at the pixel; returns its marker.
    ObjectMarker* place(int button, QPoint pixel) {
        QTest::mouseClick(designer->SpeedButton[button], Qt::LeftButton);
        QTest::mouseClick(designer->mapPanel(), Qt::LeftButton, {}, pixel);
        const auto kind = mw::kindPlacedBy(mw::kTools[static_cast<std::size_t>(button)].tool);
        return designer->marker(*kind, 1);
    }

    /// A design file whose jump nodes have these ids and leads-tos.
    static void writeNodes(const std::string& path,
                           const std::vector<std::pair<std::string, std::string>>& nodes) {
        auto system = std::make_unique<mw::SystemModel>();
        for (const auto& [id, leadsTo] : nodes) {
            mw::JumpNodeRecord& r =
                system->jumpNodes.at(system->AllocateIndex(ObjectKind::JumpNode));
            r.nodeId = id;
            r.leadsTo = leadsTo;
            r.deleted = 0;
        }
        mw::SaveSystem(path, "Alpha", "Sun", "Background1", "0.7", *system);
    }

    std::unique_ptr<TestEditor> editor;
    TMDIChild* designer = nullptr;
};

QTEST_MAIN(PropertyDialogsTest)
#include "property_dialogs_test.moc"
