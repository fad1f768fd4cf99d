// The walk's answers to the modal windows, whichever opens: the property
// dialogs, the Z dialog, the node chooser and the map creator wizard. What
// they change goes into the walk's records.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "designer/mdi_child.h"
#include "dialogs/jump_node_dialog.h"
#include "dialogs/node_list.h"
#include "dialogs/object_dialog.h"
#include "dialogs/planet_dialog.h"
#include "dialogs/ship_dialog.h"
#include "dialogs/ship_help.h"
#include "dialogs/z_dialog.h"
#include "monkey_support.h"
#include "monkey_walk.h"
#include "ui_test_support.h"
#include "wizard/mcw.h"
#include "wizard/mcw_check.h"
#include "wizard/tab_control.h"

namespace mw::ui::test {

namespace {

// The question before a project file replaces an unsaved map.
const char kAskLoadOver[] =
    "Are you sure you want to load another map? Your unsaved data will be lost!";
// The question before Close, Escape or the close box puts an unsaved map away.
const char kAskClose[] =
    "Are you sure you want to close this window? (Your unsaved datas will be lost)";

QString keyText(ObjectDialog* dialog) {
    if (auto* planet = qobject_cast<Tplanet*>(dialog)) return planet->Edit1->text();
    if (auto* node = qobject_cast<Tjn*>(dialog)) return node->Edit1->text();
    return dialog->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->currentText();
}

/// What an object dialog's fields show, in the order the record takes it;
/// false when a number among them is no whole number.
bool dialogValues(ObjectDialog* dialog, std::vector<std::string>& texts,
                  std::vector<std::int32_t>& numbers) {
    bool whole = true;
    const auto number = [&](std::optional<std::int32_t> n) {
        whole = whole && n.has_value();
        numbers.push_back(n.value_or(0));
    };
    const auto text = [](const QComboBox* combo) { return latin1(combo->currentText()); };
    if (auto* p = qobject_cast<Tplanet*>(dialog)) {
        texts = {latin1(p->Edit1->text()), text(p->ComboBox1), text(p->ComboBox6),
                 text(p->ComboBox2),       text(p->ComboBox3), text(p->ComboBox4)};
        number(numberShown(p->SpinEdit1));
        number(numberShown(p->SpinEdit2));
    } else if (auto* s = qobject_cast<Tsh*>(dialog)) {
        texts = {text(s->ComboBox1), text(s->ComboBox2)};
        number(files::parseWhole(text(s->ComboBox3)));
        number(files::parseWhole(text(s->ComboBox4)));
        numbers.push_back(s->CheckBox1->isChecked() ? 1 : 0);
    } else if (auto* j = qobject_cast<Tjn*>(dialog)) {
        texts = {latin1(j->Edit1->text())};
    } else {
        texts = {text(dialog->findChild<QComboBox*>(QStringLiteral("ComboBox1")))};
        if (auto* spin = dialog->findChild<QSpinBox*>(QStringLiteral("SpinEdit1")))
            number(numberShown(spin));
    }
    return whole;
}

files::ProjectEmpire empireShown(const TMCW* w) {
    const auto n = [](const QSpinBox* spin) { return numberShown(spin).value_or(INT32_MIN); };
    return {latin1(w->Edit3->text()),
            latin1(w->ComboBox2->currentText()),
            latin1(w->ComboBox3->currentText()),
            latin1(w->ComboBox4->currentText()),
            latin1(w->ComboBox5->currentText()),
            n(w->SpinEdit1),
            n(w->SpinEdit2),
            n(w->SpinEdit3),
            n(w->SpinEdit4)};
}

}  // namespace

void MonkeyWalk::press(QWidget* button, std::optional<QPoint> at) {
    const ModalAct answer(
        [this](QWidget* w) {
            return std::find(handling_.begin(), handling_.end(), w) == handling_.end();
        },
        [this](QWidget* w) { handleModal(w); });
    QTest::mouseClick(button, Qt::LeftButton, {}, at.value_or(button->rect().center()));
}

void MonkeyWalk::handleModal(QWidget* modal) {
    QPointer<QWidget> guard(modal);
    handling_.push_back(modal);
    if (auto* dialog = qobject_cast<ObjectDialog*>(modal)) {
        fillObjectDialog(dialog);
    } else if (auto* z = qobject_cast<Tmagassag*>(modal)) {
        answerZ(z);
    } else if (auto* nodes = qobject_cast<TNodeList*>(modal)) {
        answerNodeList(nodes);
    } else if (auto* help = qobject_cast<Tship_help*>(modal)) {
        count("dialog: ship help");
        QTest::mouseClick(help->Button1, Qt::LeftButton);
    } else if (auto* check = qobject_cast<TMCWcheck*>(modal)) {
        count("wizard: check list");
        QTest::mouseClick(check->Button1, Qt::LeftButton);
    } else if (auto* wizard = qobject_cast<TMCW*>(modal)) {
        // The map is kept from the last showing; a recent project file replaces
        // it, after a question when it is unsaved.
        const std::vector<std::string>& asked = editor_->prompts.questions;
        const bool askedFirst =
            std::find(asked.begin(), asked.end(), std::string(kAskLoadOver)) != asked.end();
        if (!projectToShow_.empty() && (!askedFirst || answered(0)))
            project_.load(projectToShow_, vk_test::readFile(projectToShow_));
        // The wizard fails its writes step by step, and each step starts with
        // no message: a fault armed for the action that showed it ends here.
        if (faultFired(true, "before the wizard") && editor_->prompts.errors.empty() &&
            faults_.step() != FileStep::SyncFolder)
            fail("a write failed (" + faults_.label() + ") before the wizard showed, and the " +
                 "user was not told");
        for (int i = uniform(1, 12); i > 0 && !failed(); --i) wizardStep(wizard);
        queueAnswers();
        // Close asks only while the map is unsaved: No keeps the window up.
        const bool unsaved = wizard->windowTitle().endsWith(QLatin1Char('*'));
        const auto closeAsks = [&asked] {
            return std::count(asked.begin(), asked.end(), kAskClose);
        };
        for (const bool yes : {chance(0.7), true}) {
            const auto before = closeAsks();
            editor_->prompts.answerQueue.push_front(yes);
            press(wizard->Button5);
            if ((closeAsks() > before) != unsaved)
                fail(unsaved ? "Close of an unsaved map asked nothing"
                             : "Close of a saved map asked");
            if (wizard->isVisible() == (yes || !unsaved))
                fail("Close answered " + std::string(yes ? "Yes" : "No") +
                     (wizard->isVisible() ? " kept the wizard up" : " closed the wizard"));
            if (failed()) break;
            count(yes || !unsaved ? "wizard: Close" : "wizard: Close answered No");
            if (!wizard->isVisible()) break;
        }
    } else {
        fail("an unexpected modal window: " + className(modal));
    }
    handling_.pop_back();
    // Whatever the answers, the window must not stay up: the walk goes on.
    if (auto* dialog = qobject_cast<QDialog*>(guard.data()); dialog && dialog->isVisible()) {
        if (!failed() && !qobject_cast<ObjectDialog*>(dialog))
            fail(className(dialog) + " stayed open");
        dialog->QDialog::reject();  // whatever it would ask first
    }
}

void MonkeyWalk::fillObjectDialog(ObjectDialog* dialog) {
    const std::string name = "dialog: " + className(dialog);
    if (!dialogObject_) return fail(name + " opened for no marker the walk clicked");
    const int kind = int(dialogObject_->kind), index = dialogObject_->index;
    if (const std::string wrong = oracle_.seen(kind, index, latin1(keyText(dialog)));
        !wrong.empty() && oracle_.known())
        fail(wrong);
    fillFields(dialog);
    if (chance(0.25)) {
        count("dialog: Set 'Z' coordinate");
        press(dialog->Button3);
    }
    if (auto* extra = dialog->findChild<QPushButton*>(QStringLiteral("Button4"));
        extra && chance(0.2)) {
        editor_->prompts.files[FileDialog::LinkSystems] = pickSystemFile(false);
        count(name + " Button4");
        press(extra);
    }
    if (chance(0.2)) fillFields(dialog);
    const int how = uniform(0, 9);
    if (how < 6) {
        note(name + " OK");
        std::vector<std::string> texts;
        std::vector<std::int32_t> numbers;
        const bool whole = dialogValues(dialog, texts, numbers);
        QTest::mouseClick(dialog->Button1, Qt::LeftButton);
        if (!dialog->isVisible()) {
            if (!whole) fail(name + " OK took a number that is no whole number");
            oracle_.confirm(kind, index, texts, numbers);
            synced();
            return count(name + " OK");
        }
        count(name + " OK refused");
        if (whole && editor_->prompts.errors.empty())
            fail(name + " OK refused its values without a word");
        QTest::mouseClick(dialog->Button2, Qt::LeftButton);
    } else if (how < 9) {
        note(name + " Cancel");
        QTest::mouseClick(dialog->Button2, Qt::LeftButton);
        count(name + " Cancel");
    } else {
        note(name + " Escape");
        QTest::keyClick(dialog, Qt::Key_Escape);
        count(name + " Escape");
    }
}

void MonkeyWalk::fillFields(QDialog* dialog) {
    // Without a dialog: the designer's sun type, background and scale, which
    // change the system as they are typed.
    QList<QWidget*> fields;
    std::function<void()> changed;
    if (dialog) {
        fields = dialog->findChildren<QWidget*>();
    } else {
        fields = {designer_->ComboBox1, designer_->ComboBox2, designer_->Edit2};
        changed = [this] { sunFieldsTyped(); };
    }
    for (QWidget* field : fields) {
        if (!field->isVisibleTo(field->window()) || !field->isEnabled() || !chance(0.4)) continue;
        if (auto* check = qobject_cast<QCheckBox*>(field)) {
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
        } else if (auto* spin = qobject_cast<QSpinBox*>(field)) {
            if (chance(0.5)) {
                spin->setValue(uniform(spin->minimum(), spin->maximum()));
            } else {
                spin->selectAll();
                typeText(spin, randomText());
            }
        } else if (auto* combo = qobject_cast<QComboBox*>(field)) {
            if (combo->isEditable() && chance(0.5)) {
                combo->lineEdit()->selectAll();
                typeText(combo->lineEdit(), randomText(), changed);
            } else if (combo->count() > 0) {
                combo->setCurrentIndex(uniform(0, combo->count() - 1));
                if (changed) changed();
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            if (qobject_cast<QComboBox*>(edit->parentWidget()) ||
                qobject_cast<QAbstractSpinBox*>(edit->parentWidget()))
                continue;
            edit->selectAll();
            typeText(edit, randomText(), changed);
        }
    }
}

void MonkeyWalk::answerZ(QDialog* dialog) {
    auto* z = static_cast<Tmagassag*>(dialog);
    z->Edit1->selectAll();
    typeText(z->Edit1, chance(0.7) ? std::to_string(uniform(-100000, 100000)) : randomText());
    if (chance(0.7)) {
        const std::string typed = latin1(z->Edit1->text());
        const std::optional<std::int32_t> value = files::parseWhole(typed);
        QTest::mouseClick(z->Button1, Qt::LeftButton);
        if (!z->isVisible()) {
            if (!value) fail("the Z dialog took '" + typed + "', no whole number");
            if (value && dialogObject_) {
                oracle_.setZ(int(dialogObject_->kind), dialogObject_->index, *value);
                synced();
            }
            return count("dialog: Z OK");
        }
        if (value) fail("the Z dialog refused the whole number '" + typed + "'");
        count("dialog: Z OK refused");
    }
    QTest::mouseClick(z->Button2, Qt::LeftButton);
    count("dialog: Z Cancel");
}

void MonkeyWalk::answerNodeList(QDialog* dialog) {
    auto* nodes = static_cast<TNodeList*>(dialog);
    if (nodes->ComboBox1->count() > 0)
        nodes->ComboBox1->setCurrentIndex(uniform(0, nodes->ComboBox1->count() - 1));
    bool ok = chance(0.7);
    const std::string chosen = latin1(nodes->ComboBox1->currentText());
    // The walk's record covers the open system only: links stay one way.
    nodes->CheckBox1->setChecked(false);
    QTest::mouseClick(ok ? nodes->Button1 : nodes->Button2, Qt::LeftButton);
    if (ok && nodes->isVisible()) {
        // A node id no leads-to can hold is refused; the chooser stays open.
        if (chosen.size() <= 20) fail("node chooser refused " + chosen);
        QTest::mouseClick(nodes->Button2, Qt::LeftButton);
        ok = false;
    }
    count(ok ? "dialog: node chooser OK" : "dialog: node chooser Cancel");
    if (!ok || !dialogObject_ || dialogObject_->kind != ObjectKind::JumpNode) return;
    // The node leads there at once, whatever becomes of its dialog.
    oracle_.setLeadsTo(dialogObject_->index, chosen);
    synced();
}

void MonkeyWalk::wizardStep(TMCW* wizard) {
    clearPrompts();
    const int step = uniform(0, 9);
    std::string path;           // the file of an insert, a save or a load
    std::vector<int> selected;  // the rows a remove takes
    std::string kept;           // the project file before a save
    const std::optional<FolderBytes> before = armFault();
    switch (step) {
        case 0:
        case 1:
            path = pickSystemFile(false);
            editor_->prompts.files[FileDialog::InsertSystem] = path;
            note("wizard insert '" + path + "'");
            press(wizard->Button1);
            count("wizard: Insert");
            break;
        case 2: {
            QListWidget* list = wizard->ListBox1;
            for (int i = uniform(0, 3); i > 0 && list->count() > 0; --i) {
                QListWidgetItem* item = list->item(uniform(0, list->count() - 1));
                QTest::mouseClick(list->viewport(), Qt::LeftButton,
                                  chance(0.5) ? Qt::ControlModifier : Qt::NoModifier,
                                  list->visualItemRect(item).center());
            }
            for (int row = 0; row < list->count(); ++row)
                if (list->item(row)->isSelected()) selected.push_back(row);
            note("wizard remove");
            press(wizard->Button2);
            count("wizard: Remove");
            break;
        }
        case 3: {
            QComboBox* counts = wizard->ComboBox1;
            static const char* const kCounts[] = {"2", "4", "8", "3", "0", "", "16"};
            const std::string text = kCounts[uniform(0, 6)];
            note("wizard empire count '" + text + "'");
            queueAnswers();
            if (chance(0.5) && counts->count() > 0) {
                counts->setCurrentIndex(uniform(0, counts->count() - 1));
            } else {
                counts->lineEdit()->selectAll();
                typeText(counts->lineEdit(), text);
            }
            count("wizard: empire count");
            break;
        }
        case 4:
            queueAnswers();
            path = pickProjectFile(true);
            kept = vk_test::readFile(path);
            editor_->prompts.files[FileDialog::SaveProject] = path;
            editor_->prompts.files[FileDialog::SaveInfSource] =
                chance(0.7) ? editor_->scratch.path("projects/mission.inf") : std::string();
            note("wizard save map '" + path + "'");
            press(wizard->Button4);
            count("wizard: Save map");
            break;
        case 5:
            queueAnswers();
            path = pickProjectFile(false);
            editor_->prompts.files[FileDialog::LoadProject] = path;
            note("wizard load map '" + path + "'");
            press(wizard->Button7);
            count("wizard: Load map");
            break;
        case 6:
            note("wizard check map");
            press(wizard->Button8);
            count("wizard: Check map");
            break;
        case 7:
            queueAnswers();
            note("wizard clear");
            press(wizard->Button3);
            count("wizard: Clear");
            break;
        case 8: {
            QLineEdit* edit = chance(0.5) ? wizard->Edit1 : wizard->Edit2;
            note("wizard map text");
            edit->selectAll();
            typeText(edit, randomText());
            count("wizard: map name or description");
            break;
        }
        default: {
            TabControl* tabs = wizard->TabControl1;
            if (tabs->count() > 0)
                QTest::mouseClick(tabs, Qt::LeftButton, {},
                                  tabs->tabRect(uniform(0, tabs->count() - 1)).center());
            note("wizard empire fields");
            for (QWidget* control : std::initializer_list<QWidget*>{
                     wizard->Edit3, wizard->ComboBox2, wizard->ComboBox3, wizard->SpinEdit1,
                     wizard->ComboBox4, wizard->ComboBox5, wizard->SpinEdit2, wizard->SpinEdit3,
                     wizard->SpinEdit4}) {
                if (!chance(0.3)) continue;
                if (auto* spin = qobject_cast<QSpinBox*>(control))
                    spin->setValue(uniform(spin->minimum(), spin->maximum()));
                else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->count())
                    combo->setCurrentIndex(uniform(0, combo->count() - 1));
                else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                    edit->selectAll();
                    typeText(edit, randomText());
                }
            }
            count("wizard: empire tab and fields");
        }
    }
    static const char* const kSteps[] = {"Insert",    "Insert",       "Remove",    "empire count",
                                         "Save map",  "Load map",     "Check map", "Clear",
                                         "map texts", "empire fields"};
    const bool fired = faultFired(before.has_value(), std::string("wizard ") + kSteps[step]);
    wizardObserved(wizard, step, path, selected, kept);
    if (fired) checkFault(*before, false);
}

void MonkeyWalk::wizardObserved(TMCW* wizard, int step, const std::string& path,
                                const std::vector<int>& selected, const std::string& kept) {
    const vk_test::ScriptedPrompts& p = editor_->prompts;
    switch (step) {
        case 0:
        case 1:
            if (!path.empty() &&
                project_.insert(path, vk_test::readFile(path)) ==
                    ProjectOracle::Insert::Unreadable &&
                p.errors.empty())
                fail("an insert of " + path + ", which cannot be read, said nothing");
            break;
        case 2:
            project_.remove(selected);
            break;
        case 3: {
            const std::string shown = latin1(wizard->ComboBox1->currentText());
            if (shown != "2" && shown != "4" && shown != "8")
                return fail("the number of empires shows '" + shown + "'");
            project_.setEmpireCount(std::stoi(shown));
            break;
        }
        case 4: {
            const std::string bytes = vk_test::readFile(path);
            const bool saved = std::any_of(p.notices.begin(), p.notices.end(), [](auto& n) {
                return n.rfind("Map saved to ", 0) == 0;
            });
            if (!saved) {
                if (bytes != kept) fail("a Save map that did not say so changed " + path);
                break;
            }
            count("(a saved map read back and compared)");
            if (const std::string wrong = project_.compareFile(bytes); !wrong.empty())
                return fail("the map saved to " + path + " is not the map made: " + wrong);
            savedProjects_[path] = bytes;
            break;
        }
        case 5:
            if (path.empty() || !asked(FileDialog::LoadProject)) break;
            // A map loaded whose design files are nowhere is told of too.
            if (!project_.load(path, vk_test::readFile(path)) && p.errors.empty())
                return fail("Load map of " + path + " read a file too short without a word");
            count("(a map loaded into the walk's record)");
            break;
        case 7:
            // Asked only while the map is unsaved.
            if (p.questions.empty() || answered(0)) project_.reset();
            break;
        case 8:
            project_.setTexts(latin1(wizard->Edit1->text()), latin1(wizard->Edit2->text()));
            break;
        case 9:
            project_.setEmpire(wizard->TabControl1->currentIndex(), empireShown(wizard));
            break;
        default:
            break;
    }
    // The window shows the map as the walk made it.
    std::vector<std::string> rows;
    rows.reserve(static_cast<std::size_t>(wizard->ListBox1->count()));
    for (int row = 0; row < wizard->ListBox1->count(); ++row)
        rows.push_back(latin1(wizard->ListBox1->item(row)->text()));
    if (rows != project_.systemNames())
        fail("the wizard lists " + std::to_string(rows.size()) + " systems, the user made " +
             std::to_string(project_.systemNames().size()) + " (or others)");
    else if (latin1(wizard->Edit1->text()) != project_.mapName() ||
             latin1(wizard->Edit2->text()) != project_.description())
        fail("the wizard shows another map name or description than the user made");
    else if (!(empireShown(wizard) == project_.empire(wizard->TabControl1->currentIndex())))
        fail("the empire tab shows other fields than the user gave empire " +
             std::to_string(wizard->TabControl1->currentIndex() + 1));
}

}  // namespace mw::ui::test
