#include "monkey_walk.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <set>
#include <tuple>

#include "designer/map_panel.h"
#include "designer/mdi_child.h"
#include "designer/object_marker.h"
#include "dialogs/node_list.h"
#include "dialogs/object_dialog.h"
#include "dialogs/ship_help.h"
#include "dialogs/z_dialog.h"
#include "map/project_file.h"
#include "shell/recent_files_menu.h"
#include "system/sdf_record.h"
#include "ui_test_support.h"
#include "widgets/text.h"
#include "wizard/mcw.h"
#include "wizard/mcw_check.h"
#include "wizard/tab_control.h"

namespace mw::ui::test {

namespace {

/// While alive, acts once on the first modal window `accept` takes, as soon
/// as it is up; gone with the action that may open it, so a window that
/// never came is not waited for later.
class ModalAct {
  public:
    ModalAct(std::function<bool(QWidget*)> accept, std::function<void(QWidget*)> act) {
        QObject::connect(&timer_, &QTimer::timeout, [this, accept, act] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible() || !accept(modal)) return;
            // Stopped first: the act may wait in windows of its own.
            timer_.stop();
            act(modal);
        });
        timer_.start(0);
    }

  private:
    QTimer timer_;
};

/// Design file bytes with every jump node's own id blanked.
std::string withoutNodeIds(const std::string& bytes) {
    std::string out;
    for (std::size_t at = 0; at + kSdfRecordSize <= bytes.size(); at += kSdfRecordSize) {
        SdfRecord r = SdfRecord::decode(reinterpret_cast<const std::uint8_t*>(bytes.data() + at));
        if (r.tag == sdf_tag::kJumpNode) r.textA = "";
        const SdfRecord::Bytes encoded = r.encode();
        out.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
    }
    out.append(bytes.substr(bytes.size() - bytes.size() % kSdfRecordSize));
    return out;
}

/// Where two saved systems first differ, for the failure message.
std::string firstDifference(const std::string& a, const std::string& b,
                            std::size_t recordSize = kSdfRecordSize) {
    std::size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size()) +
           ", first difference in record " + std::to_string(at / recordSize) + " at byte " +
           std::to_string(at % recordSize);
}

/// A project file's systems, for the failure message.
std::string systemList(const std::string& bytes) {
    const MapProjectRecord r = DecodeProject(reinterpret_cast<const std::uint8_t*>(bytes.data()));
    std::string list;
    for (const SystemSlot& slot : r.systems)
        if (!slot.empty())
            list += "[" + slot.systemName.str() + " @ " + slot.designFile.str() + "]";
    return list;
}

using MarkerKey = std::tuple<int, int, int, int, std::string, std::string>;

MarkerKey keyOf(const MarkerView& view) {
    return {int(view.kind), view.index, view.pixel.x, view.pixel.y, view.caption, view.hint};
}

/// Types the text key by key; a character with no key of its own comes as
/// its text alone, as an input method sends it.
void typeText(QWidget* field, const std::string& utf8) {
    for (const QChar c : QString::fromStdString(utf8)) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
            QTest::keyClick(field, char(c.unicode()));
        else
            for (QTest::KeyAction action : {QTest::Press, QTest::Release})
                QTest::sendKeyEvent(action, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

/// The markers in kind and index order: the window keeps them in a hash,
/// whose order changes from run to run, and a seed must replay the walk.
QList<ObjectMarker*> sortedMarkers(const TMDIChild* designer) {
    QList<ObjectMarker*> markers = designer->markers();
    std::sort(markers.begin(), markers.end(), [](const ObjectMarker* a, const ObjectMarker* b) {
        return std::pair(int(a->kind()), a->tag()) < std::pair(int(b->kind()), b->tag());
    });
    return markers;
}

QString className(const QObject* o) {
    return QString::fromLatin1(o->metaObject()->className()).section(QStringLiteral("::"), -1);
}

const std::vector<std::string> kWords{
    "Vega",  "Sol",        "St. John's", "Alpha Centauri", "a,b.c", "  ",    "é",   "Őrség",
    "€uro",  "日本",       "%1 %s",      "\"quoted\"",     "-0",    "+5",    "1e3", "0x10",
    "12345", "2147483647", "2147483648", "-2147483649",    "-17",   "swamp", "0",   "T1"};

}  // namespace

MonkeyWalk::MonkeyWalk(std::uint64_t seed)
    : seed_(seed),
      rng_(seed),
      settings_(std::make_unique<QSettings>(
          settingsFolder_.filePath(QStringLiteral("mapwright.conf")), QSettings::IniFormat)),
      editor_(std::make_unique<TestEditor>()) {
    editor_->mainForm->setRecentFiles(*settings_);
    vk_test::ScratchDir& s = editor_->scratch;
    const std::string sample = vk_test::readFile(VK_SOURCE_DIR "/data/samples/sample.sdf");
    s.write("samples/sample.sdf", sample);
    s.write("samples/damaged.sdf", sample.substr(0, kSdfRecordSize * 2 + 100));
    s.write("samples/empty.sdf", "");
    for (const char* name : {"alpha.sdf", "beta.sdf", "gamma.sdf", "sample.vmpf"})
        s.write(std::string("samples/map/") + name,
                vk_test::readFile(std::string(VK_SOURCE_DIR "/data/samples/map/") + name));
    s.write("samples/short.vmpf", "VMPF");
    std::filesystem::create_directories(s.path("files"));
    std::filesystem::create_directories(s.path("projects"));
    std::filesystem::create_directories(s.path("check"));
    stackWatch_ = QObject::connect(editor_->document->undoStack(), &QUndoStack::indexChanged,
                                   [this](int index) { stepTaken(index); });
}

MonkeyWalk::~MonkeyWalk() {
    // The stack empties as the editor goes; the walk is no longer listening.
    QObject::disconnect(stackWatch_);
}

void MonkeyWalk::run(int actions) {
    for (int i = 0; i < actions && !failed(); ++i) {
        clearPrompts();
        ensureDesigner();
        if (!designer_) return fail("the New command made no designer window");
        before_ = systemState();
        stackMoved_ = false;
        undoing_ = false;
        startedOver_ = false;
        // How often each action comes, per thousand.
        static constexpr std::pair<int, void (MonkeyWalk::*)()> kActions[] = {
            {80, &MonkeyWalk::chooseTool},    {250, &MonkeyWalk::clickPixel},
            {120, &MonkeyWalk::clickMarker},  {70, &MonkeyWalk::typeSunName},
            {50, &MonkeyWalk::editSunFields}, {20, &MonkeyWalk::clearMap},
            {60, &MonkeyWalk::saveAs},        {40, &MonkeyWalk::save},
            {60, &MonkeyWalk::open},          {20, &MonkeyWalk::closeDesigner},
            {20, &MonkeyWalk::mainOpen},      {90, &MonkeyWalk::undoRedo},
            {60, &MonkeyWalk::dragMarker},    {40, &MonkeyWalk::wizardSession},
            {20, &MonkeyWalk::openRecent}};
        int r = uniform(0, 999);
        for (const auto& [perMille, act] : kActions) {
            if (r < perMille) {
                (this->*act)();
                break;
            }
            r -= perMille;
        }
        // What the action left for later (markers it removed, the caption timer).
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        checkWindow();
        checkSteps();
        ++done_;
    }
}

std::string MonkeyWalk::failure() const {
    if (failure_.empty()) return {};
    std::string text = "seed " + std::to_string(seed_) + ", action " + std::to_string(done_ + 1) +
                       ": " + failure_ + "\nthe actions before it:";
    for (const std::string& line : recent_) text += "\n  " + line;
    return text;
}

// --- the designer ---

void MonkeyWalk::ensureDesigner() {
    // A window made while the open flag is still set (the main window's Open
    // answered No) opens a file at once; cancelled, it closes again.
    for (int tries = 0; tries < 2 && !editor_->mainForm->designer(); ++tries) {
        note("new designer window");
        editor_->newDesigner();
        count("designer: New");
        // A new system: the undo stack starts again.
        steps_.clear();
        steps_[editor_->document->undoStack()->index()] = systemState();
    }
    designer_ = editor_->mainForm->designer();
    panel_ = designer_ ? designer_->mapPanel() : nullptr;
}

void MonkeyWalk::chooseTool() {
    const int button = uniform(0, 7);
    note("tool " + std::to_string(button));
    QTest::mouseClick(designer_->SpeedButton[button], Qt::LeftButton);
    count("designer: choose tool");
}

void MonkeyWalk::clickPixel() {
    QPoint pixel(uniform(0, MapPanel::kSize - 1), uniform(0, MapPanel::kSize - 1));
    const QList<ObjectMarker*> markers = sortedMarkers(designer_);
    const int aim = uniform(0, 9);
    if (aim == 0)
        pixel = QPoint(246 + uniform(0, 1), 246 + uniform(0, 1));  // the sun
    else if (aim < 3 && !markers.isEmpty())
        pixel = markers[uniform(0, int(markers.size()) - 1)]->pixel() +
                QPoint(uniform(-10, 10), uniform(-10, 10));
    pixel = QPoint(std::clamp(pixel.x(), 0, MapPanel::kSize - 1),
                   std::clamp(pixel.y(), 0, MapPanel::kSize - 1));
    note("click " + std::to_string(pixel.x()) + "," + std::to_string(pixel.y()) + " tool " +
         std::to_string(int(designer_->tool())));
    QTest::mouseMove(panel_, pixel);
    // A click goes to what is under the pointer: a marker there takes it.
    QWidget* under = panel_->childAt(pixel);
    if (auto* marker = qobject_cast<ObjectMarker*>(under)) {
        count("designer: click on a marker");
        return press(marker, marker->mapFrom(panel_, pixel));
    }
    count("designer: click on the map");
    QTest::mouseClick(panel_, Qt::LeftButton, {}, pixel);
}

void MonkeyWalk::clickMarker() {
    const QList<ObjectMarker*> markers = sortedMarkers(designer_);
    if (markers.isEmpty()) return clickPixel();
    ObjectMarker* marker = markers[uniform(0, int(markers.size()) - 1)];
    note("marker " + objectLabel(marker->object()) + " tool " +
         std::to_string(int(designer_->tool())));
    count(designer_->tool() == Tool::Delete ? "designer: delete a marker"
                                            : "designer: open a marker's dialog");
    press(marker);
}

void MonkeyWalk::typeSunName() {
    QLineEdit* edit = designer_->Edit1;
    const int how = uniform(0, 2);
    const std::string text = randomText();
    note("sun name " + std::to_string(how) + " '" + text + "'");
    // Clicked into first, as a user does: the field keeps the keyboard afterwards.
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
    if (how == 0) {
        edit->selectAll();
        typeText(edit, text);
    } else if (how == 1) {
        edit->end(false);
        typeText(edit, text);
    } else {
        edit->end(false);
        for (int i = uniform(1, 6); i > 0; --i) QTest::keyClick(edit, Qt::Key_Backspace);
    }
    count("designer: type the sun name");
}

void MonkeyWalk::editSunFields() {
    note("sun fields");
    fillFields(nullptr);
    count("designer: sun type, background, scale");
}

void MonkeyWalk::clearMap() {
    queueAnswers();
    note("clear map");
    QTest::mouseClick(designer_->Button2, Qt::LeftButton);
    count("designer: Clear map");
}

void MonkeyWalk::dragMarker() {
    const QList<ObjectMarker*> markers = sortedMarkers(designer_);
    if (markers.isEmpty()) return clickPixel();
    ObjectMarker* marker = markers[uniform(0, int(markers.size()) - 1)];
    QPoint to(uniform(-30, MapPanel::kSize + 30), uniform(-30, MapPanel::kSize + 30));
    if (chance(0.1)) to = QPoint(246 + uniform(0, 1), 246 + uniform(0, 1));  // the sun
    note("drag " + objectLabel(marker->object()) + " to " + std::to_string(to.x()) + "," +
         std::to_string(to.y()));
    const QPoint from = marker->rect().center();
    const QPoint start = marker->pixel();
    // A short way is a click, which opens the object's dialog.
    const ModalAct answer([this](QWidget* w) { return handling_.empty() && w; },
                          [this](QWidget* w) { handleModal(w); });
    QTest::mousePress(marker, Qt::LeftButton, {}, from);
    // On the way the marker follows the mouse: each point is taken where it stands then.
    const QPoint half = (from + marker->mapFrom(panel_, to)) / 2;
    QTest::mouseMove(marker, half);
    QTest::mouseMove(marker, marker->mapFrom(panel_, to));
    const ObjectRef object = marker->object();
    QTest::mouseRelease(marker, Qt::LeftButton, {}, marker->mapFrom(panel_, to));
    count("designer: drag a marker");
    const bool onMap = (to - start).manhattanLength() >= QApplication::startDragDistance() &&
                       QRect(0, 0, MapPanel::kSize, MapPanel::kSize).contains(to) &&
                       !(WorldFromPixel(to.x()) == 0 && WorldFromPixel(to.y()) == 0);
    if (!onMap) return;
    const MarkerView moved = editor_->state->designer().marker(object);
    if (moved.pixel != MarkerPos{to.x(), to.y()})
        fail("a marker dropped at " + std::to_string(to.x()) + "," + std::to_string(to.y()) +
             " stands at " + std::to_string(moved.pixel.x) + "," + std::to_string(moved.pixel.y));
}

void MonkeyWalk::undoRedo() {
    TMainForm& f = *editor_->mainForm;
    // Shortcuts reach only the active window.
    QApplication::setActiveWindow(&f);
    for (int i = uniform(1, 4); i > 0; --i) {
        const bool redo = chance(0.4);
        note(redo ? "redo" : "undo");
        // A shortcut goes to the field with the keyboard, which takes it for
        // its own undo: that is an edit of the field, a new step, not an undo.
        QWidget* keys = QApplication::focusWidget();
        if (!keys || keys->window() != &f) keys = &f;
        const bool field = qobject_cast<QLineEdit*>(keys) != nullptr;
        const int how = uniform(0, 2);
        undoing_ = how == 0 || !field;
        if (!undoing_) count("designer: undo or redo of the text field");
        switch (how) {
            case 0:
                (redo ? f.EditRedo1 : f.EditUndo1)->trigger();
                break;
            case 1:
                QTest::keyClick(keys, redo ? Qt::Key_Y : Qt::Key_Z, Qt::ControlModifier);
                break;
            default:
                QTest::keyClick(
                    keys, Qt::Key_Z,
                    redo ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
        }
        count(redo ? "designer: redo" : "designer: undo");
    }
}

void MonkeyWalk::save() {
    SystemDocument& document = *editor_->document;
    editor_->prompts.files[FileDialog::SaveSystem] = pickSystemFile(true);
    const int how = uniform(0, 2);
    note(how == 2 ? "Save As..." : "Save");
    if (how == 0) {
        QApplication::setActiveWindow(editor_->mainForm.get());
        QTest::keyClick(editor_->mainForm.get(), Qt::Key_S, Qt::ControlModifier);
    } else {
        (how == 1 ? editor_->mainForm->FileSave1 : editor_->mainForm->FileSaveAs1)->trigger();
    }
    count(how == 2 ? "main window: Save As" : "main window: Save");
    if (!editor_->prompts.errors.empty() || document.isModified()) return;
    const std::string path = toModel(document.filePath());
    if (!path.empty() && std::filesystem::exists(path)) rememberSave(path);
}

void MonkeyWalk::saveAs() {
    std::string path = pickSystemFile(true);
    editor_->prompts.files[FileDialog::SaveSystem] = path;
    note("save as '" + path + "'");
    QTest::mouseClick(designer_->Button3, Qt::LeftButton);
    count("designer: Save as");
    if (path.empty() || !editor_->prompts.errors.empty()) return;
    if (!std::filesystem::path(path).has_extension()) path += ".sdf";
    rememberSave(path);
}

std::string MonkeyWalk::prepareOpen(const std::string& what) {
    queueAnswers();
    const std::string path = pickSystemFile(false);
    editor_->prompts.files[FileDialog::OpenSystem] = path;
    note(what + " '" + path + "'");
    startedOver_ = true;
    return path;
}

void MonkeyWalk::open() {
    const std::string path = prepareOpen("open");
    QTest::mouseClick(designer_->Button1, Qt::LeftButton);
    count("designer: Open");
    checkOpened(path);
}

void MonkeyWalk::closeDesigner() {
    queueAnswers();
    note("close");
    startedOver_ = true;
    QTest::mouseClick(designer_->Button5, Qt::LeftButton);
    count("designer: Close");
}

void MonkeyWalk::mainOpen() {
    const std::string path = prepareOpen("main window Open");
    editor_->mainForm->FileOpen1->trigger();
    count("main window: Open");
    if (editor_->mainForm->designer()) {
        editor_->mainForm->resize(1000, 720);
        checkOpened(path);
    }
}

void MonkeyWalk::openRecent() {
    RecentFilesMenu& recent = *editor_->mainForm->recentFiles();
    recent.refresh();
    const QList<QAction*>& entries = recent.entries();
    if (entries.isEmpty()) return mainOpen();
    QAction* entry = entries[uniform(0, int(entries.size()) - 1)];
    queueAnswers();
    note("recent file '" + toModel(entry->data().toString()) + "' " + toModel(entry->text()));
    startedOver_ = true;
    // A design file opens in the designer, a project file in the wizard.
    const ModalAct answer([this](QWidget* w) { return handling_.empty() && w; },
                          [this](QWidget* w) { handleModal(w); });
    entry->trigger();
    count("main window: a recent file");
    if (editor_->mainForm->designer()) editor_->mainForm->resize(1000, 720);
}

void MonkeyWalk::wizardSession() {
    note("wizard");
    count("wizard: shown");
    const ModalAct answer([](QWidget* w) { return qobject_cast<TMCW*>(w) != nullptr; },
                          [this](QWidget* w) { handleModal(w); });
    editor_->mainForm->MapCreatorWizard1->trigger();
}

// --- the modal windows ---

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
        for (int i = uniform(1, 12); i > 0 && !failed(); --i) wizardStep(wizard);
        queueAnswers();
        editor_->prompts.answerQueue.push_front(true);
        press(wizard->Button5);
        count("wizard: Close");
    } else {
        fail("an unexpected modal window: " + className(modal).toStdString());
    }
    handling_.pop_back();
    // Whatever the answers, the window must not stay up: the walk goes on.
    if (auto* dialog = qobject_cast<QDialog*>(guard.data()); dialog && dialog->isVisible()) {
        if (!failed() && !qobject_cast<ObjectDialog*>(dialog))
            fail(className(dialog).toStdString() + " stayed open");
        dialog->reject();
    }
}

void MonkeyWalk::fillObjectDialog(ObjectDialog* dialog) {
    const std::string name = "dialog: " + className(dialog).toStdString();
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
        QTest::mouseClick(dialog->Button1, Qt::LeftButton);
        if (!dialog->isVisible()) return count(name + " OK");
        count(name + " OK refused");
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
    // Without a dialog: the designer's sun type, background and scale.
    QList<QWidget*> fields;
    if (dialog)
        fields = dialog->findChildren<QWidget*>();
    else
        fields = {designer_->ComboBox1, designer_->ComboBox2, designer_->Edit2};
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
                typeText(combo->lineEdit(), randomText());
            } else if (combo->count() > 0) {
                combo->setCurrentIndex(uniform(0, combo->count() - 1));
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            if (qobject_cast<QComboBox*>(edit->parentWidget()) ||
                qobject_cast<QAbstractSpinBox*>(edit->parentWidget()))
                continue;
            edit->selectAll();
            typeText(edit, randomText());
        }
    }
}

void MonkeyWalk::answerZ(QDialog* dialog) {
    auto* z = static_cast<Tmagassag*>(dialog);
    z->Edit1->selectAll();
    typeText(z->Edit1, chance(0.7) ? std::to_string(uniform(-100000, 100000)) : randomText());
    if (chance(0.7)) {
        QTest::mouseClick(z->Button1, Qt::LeftButton);
        if (!z->isVisible()) return count("dialog: Z OK");
        count("dialog: Z OK refused");
    }
    QTest::mouseClick(z->Button2, Qt::LeftButton);
    count("dialog: Z Cancel");
}

void MonkeyWalk::answerNodeList(QDialog* dialog) {
    auto* nodes = static_cast<TNodeList*>(dialog);
    if (nodes->ComboBox1->count() > 0)
        nodes->ComboBox1->setCurrentIndex(uniform(0, nodes->ComboBox1->count() - 1));
    const bool ok = chance(0.7);
    QTest::mouseClick(ok ? nodes->Button1 : nodes->Button2, Qt::LeftButton);
    count(ok ? "dialog: node chooser OK" : "dialog: node chooser Cancel");
}

void MonkeyWalk::wizardStep(TMCW* wizard) {
    clearPrompts();
    MapProject& project = editor_->state->project();
    switch (uniform(0, 9)) {
        case 0:
        case 1: {
            const std::string path = pickSystemFile(false);
            editor_->prompts.files[FileDialog::InsertSystem] = path;
            note("wizard insert '" + path + "'");
            press(wizard->Button1);
            return count("wizard: Insert");
        }
        case 2: {
            QListWidget* list = wizard->ListBox1;
            for (int i = uniform(0, 3); i > 0 && list->count() > 0; --i) {
                QListWidgetItem* item = list->item(uniform(0, list->count() - 1));
                QTest::mouseClick(list->viewport(), Qt::LeftButton,
                                  chance(0.5) ? Qt::ControlModifier : Qt::NoModifier,
                                  list->visualItemRect(item).center());
            }
            note("wizard remove");
            press(wizard->Button2);
            return count("wizard: Remove");
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
            return count("wizard: empire count");
        }
        case 4: {
            queueAnswers();
            const std::string path = pickProjectFile(true);
            editor_->prompts.files[FileDialog::SaveProject] = path;
            editor_->prompts.files[FileDialog::SaveInfSource] =
                chance(0.7) ? editor_->scratch.path("projects/mission.inf") : std::string();
            note("wizard save map '" + path + "'");
            press(wizard->Button4);
            count("wizard: Save map");
            if (path.empty() || !asked(FileDialog::SaveProject)) return;
            // An error shown (a map the check refuses, a mission not written)
            // does not mean the project file was not written.
            const std::string bytes = vk_test::readFile(path);
            const ProjectBytes expected = EncodeProject(BuildProjectRecord(project));
            if (bytes == std::string(expected.begin(), expected.end()))
                savedProjects_[path] = bytes;
            else if (editor_->prompts.errors.empty())
                fail("the project file saved is not the map on screen");
            else if (savedProjects_.count(path) && savedProjects_[path] != bytes)
                fail("a project save that failed changed the file");
            return;
        }
        case 5: {
            queueAnswers();
            const std::string path = pickProjectFile(false);
            editor_->prompts.files[FileDialog::LoadProject] = path;
            note("wizard load map '" + path + "'");
            press(wizard->Button7);
            count("wizard: Load map");
            return checkProjectLoaded(path);
        }
        case 6:
            note("wizard check map");
            press(wizard->Button8);
            return count("wizard: Check map");
        case 7:
            queueAnswers();
            note("wizard clear");
            press(wizard->Button3);
            return count("wizard: Clear");
        case 8: {
            QLineEdit* edit = chance(0.5) ? wizard->Edit1 : wizard->Edit2;
            note("wizard map text");
            edit->selectAll();
            typeText(edit, randomText());
            return count("wizard: map name or description");
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
            return count("wizard: empire tab and fields");
        }
    }
}

// --- the answers ---

void MonkeyWalk::queueAnswers() {
    for (int i = 0; i < 6; ++i) editor_->prompts.answer(chance(0.7));
}

void MonkeyWalk::clearPrompts() {
    vk_test::ScriptedPrompts& p = editor_->prompts;
    if (!p.errors.empty()) count("(an error was shown)");
    p.answerQueue.clear();
    p.fileQueue.clear();
    p.files.clear();
    p.notices.clear();
    p.errors.clear();
    p.questions.clear();
    p.dialogs.clear();
}

std::string MonkeyWalk::pickSystemFile(bool forSaving) {
    const vk_test::ScratchDir& s = editor_->scratch;
    const int r = uniform(0, 99);
    if (r < 10) return {};  // cancelled
    if (forSaving) {
        if (r < 15) return s.path("files/noext" + std::to_string(uniform(0, 1)));
        if (r < 19) return s.path("no such folder/x.sdf");
        if (r < 21) return s.path("files");  // a folder
        return s.path("files/s" + std::to_string(uniform(0, 4)) + ".sdf");
    }
    if (r < 70 && !savedSystems_.empty()) return anyOf(savedSystems_);
    static const char* const kOthers[] = {"samples/sample.sdf",   "samples/damaged.sdf",
                                          "samples/empty.sdf",    "samples/map/alpha.sdf",
                                          "samples/map/beta.sdf", "samples/map/gamma.sdf",
                                          "samples/missing.sdf",  "samples/map/sample.vmpf"};
    return s.path(kOthers[uniform(0, 7)]);
}

std::string MonkeyWalk::pickProjectFile(bool forSaving) {
    const vk_test::ScratchDir& s = editor_->scratch;
    const int r = uniform(0, 99);
    if (r < 10) return {};
    if (forSaving) {
        if (r < 15) return s.path("no such folder/p.vmpf");
        return s.path("projects/p" + std::to_string(uniform(0, 2)) + ".vmpf");
    }
    if (r < 65 && !savedProjects_.empty()) return anyOf(savedProjects_);
    static const char* const kOthers[] = {"samples/map/sample.vmpf", "samples/short.vmpf",
                                          "samples/sample.sdf", "projects/missing.vmpf"};
    return s.path(kOthers[uniform(0, 3)]);
}

std::string MonkeyWalk::anyOf(const std::map<std::string, std::string>& saved) {
    auto it = saved.begin();
    std::advance(it, uniform(0, int(saved.size()) - 1));
    return it->first;
}

std::string MonkeyWalk::randomText() {
    switch (uniform(0, 5)) {
        case 0:
            return {};
        case 1:
            return kWords[static_cast<std::size_t>(uniform(0, int(kWords.size()) - 1))];
        case 2:
            return std::to_string(uniform(-1000000, 1000000));
        case 3: {
            std::string long_;
            for (int i = uniform(20, 160); i > 0; --i) long_ += char('a' + uniform(0, 25));
            return long_;
        }
        default: {
            std::string word;
            for (int i = uniform(1, 12); i > 0; --i)
                word += char(uniform(0, 3) == 0 ? 'A' + uniform(0, 25) : 'a' + uniform(0, 25));
            return word;
        }
    }
}

int MonkeyWalk::uniform(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng_);
}

bool MonkeyWalk::chance(double p) {
    return std::bernoulli_distribution(p)(rng_);
}

// --- the invariants ---

void MonkeyWalk::checkWindow() {
    TMDIChild* designer = editor_->mainForm->designer();
    if (!designer || failed()) return;
    std::set<MarkerKey> shown, held;
    for (ObjectMarker* m : designer->markers()) {
        const ObjectRef o = m->object();
        shown.insert({int(o.kind), o.index, m->pixel().x(), m->pixel().y(), toModel(m->text()),
                      toModel(m->toolTip())});
    }
    for (const MarkerView& view : editor_->state->designer().markers()) held.insert(keyOf(view));
    if (shown != held)
        fail("the map shows " + std::to_string(shown.size()) + " markers, the model holds " +
             std::to_string(held.size()) + " (or they differ)");
    if (designer->windowTitle().endsWith(QLatin1Char('*')) != editor_->document->isModified())
        fail("the caption '" + toModel(designer->windowTitle()) + "' says " +
             (editor_->document->isModified() ? "nothing is" : "something is") +
             " unsaved, the document the opposite");
    const SystemHeader& header = editor_->state->designer().header();
    if (toModel(designer->Edit1->text()) != header.sunName)
        fail("the sun name field shows '" + toModel(designer->Edit1->text()) +
             "', the model holds '" + header.sunName + "'");
}

DesignerSnapshot MonkeyWalk::systemState() const {
    DesignerSnapshot s = editor_->state->designer().TakeSnapshot();
    s.tables.currentObjectIndex = 0;
    s.tables.zTargetKind = ObjectKind::Planet;
    s.tables.lastCursorPixel = {};
    return s;
}

namespace {
std::string whatDiffers(const DesignerSnapshot& a, const DesignerSnapshot& b) {
    std::string parts;
    if (!(a.tables == b.tables)) parts += " tables";
    if (!(a.header == b.header)) parts += " header";
    if (a.pool != b.pool) parts += " p_names.dat";
    if (a.usedList != b.usedList) parts += " list.dat";
    return parts;
}
}  // namespace

void MonkeyWalk::stepTaken(int index) {
    stackMoved_ = true;
    if (failed()) return;
    const DesignerSnapshot now = systemState();
    if (undoing_) {
        const auto it = steps_.find(index);
        if (it != steps_.end()) {
            count("(an undo or redo compared with its step)");
            if (!(it->second == now))
                return fail("undo or redo to step " + std::to_string(index) +
                            " did not bring its system back:" + whatDiffers(it->second, now));
        }
    } else if (editor_->document->undoStack()->count() == index) {
        // A new step: the steps that could have been redone are gone.
        steps_.erase(steps_.upper_bound(index), steps_.end());
    }
    steps_[index] = now;
}

void MonkeyWalk::checkSteps() {
    if (failed()) return;
    const DesignerSnapshot now = systemState();
    if (startedOver_ && editor_->document->undoStack()->count() == 0) {
        // A new system (opened, or a new window): its undo stack starts empty.
        steps_.clear();
        steps_[0] = now;
    } else if (!stackMoved_ && !(now == before_)) {
        return fail("the system changed without an undo step:" + whatDiffers(before_, now));
    }
    // With nothing unsaved the system is the file it was saved to or opened from.
    const SystemDocument& document = *editor_->document;
    const auto saved = savedSystems_.find(toModel(document.filePath()));
    if (!editor_->mainForm->designer() || document.isModified() || saved == savedSystems_.end())
        return;
    count("(nothing unsaved: compared with its file)");
    if (systemAsSaved() != saved->second)
        fail("nothing is unsaved, yet the system is not the file " + saved->first + ": " +
             firstDifference(saved->second, systemAsSaved()));
}

std::string MonkeyWalk::systemAsSaved() {
    const SystemDesigner& d = editor_->state->designer();
    const std::string path = editor_->scratch.path("check/now.sdf");
    const SystemHeader& h = d.header();
    SaveSystem(path, h.sunName, h.sunType, h.background, h.scale, d.tables());
    return withoutNodeIds(vk_test::readFile(path));
}

void MonkeyWalk::rememberSave(const std::string& path) {
    const std::string saved = withoutNodeIds(vk_test::readFile(path));
    const std::string now = systemAsSaved();
    if (saved != now)
        return fail("the file saved is not the system on screen: " + firstDifference(saved, now));
    savedSystems_[path] = saved;
}

bool MonkeyWalk::asked(FileDialog dialog) const {
    const auto& dialogs = editor_->prompts.dialogs;
    return std::find(dialogs.begin(), dialogs.end(), dialog) != dialogs.end();
}

bool MonkeyWalk::readWithoutError(FileDialog dialog) const {
    return asked(dialog) && editor_->prompts.errors.empty();
}

void MonkeyWalk::checkOpened(const std::string& path) {
    const auto saved = savedSystems_.find(path);
    if (!readWithoutError(FileDialog::OpenSystem) || saved == savedSystems_.end()) return;
    count("(a saved system reopened and compared)");
    const std::string now = systemAsSaved();
    if (now != saved->second)
        fail("the reopened system is not the one saved: " + firstDifference(saved->second, now));
}

void MonkeyWalk::checkProjectLoaded(const std::string& path) {
    const auto saved = savedProjects_.find(path);
    if (!readWithoutError(FileDialog::LoadProject) || saved == savedProjects_.end()) return;
    count("(a saved map reloaded and compared)");
    const ProjectBytes now = EncodeProject(BuildProjectRecord(editor_->state->project()));
    const std::string reloaded(now.begin(), now.end());
    if (reloaded != saved->second)
        fail("the reloaded map is not the one saved: " +
             firstDifference(saved->second, reloaded, kProjectFileSize) + "; systems saved " +
             systemList(saved->second) + ", reloaded " + systemList(reloaded));
}

void MonkeyWalk::fail(const std::string& what) {
    if (failure_.empty()) failure_ = what;
}

void MonkeyWalk::count(const std::string& kind) {
    ++counts_[kind];
}

void MonkeyWalk::note(const std::string& what) {
    std::string line = std::to_string(done_ + 1) + " " + what;
    // VK_MONKEY_TRACE=FILE writes every action there, to compare two replays of a seed.
    static FILE* trace =
        std::getenv("VK_MONKEY_TRACE") ? std::fopen(std::getenv("VK_MONKEY_TRACE"), "w") : nullptr;
    if (trace) std::fprintf(trace, "%s\n", line.c_str()), std::fflush(trace);
    recent_.push_back(std::move(line));
    if (recent_.size() > 25) recent_.pop_front();
}

}  // namespace mw::ui::test
