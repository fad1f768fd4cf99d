#include "monkey_walk.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>
#include <algorithm>
#include <filesystem>

#include "designer/map_panel.h"
#include "designer/mdi_child.h"
#include "designer/object_marker.h"
#include "monkey_support.h"
#include "shell/recent_files_menu.h"
#include "shell/recovery_keeper.h"
#include "ui_test_support.h"
#include "widgets/text.h"
#include "wizard/mcw.h"

namespace mw::ui::test {

namespace {

/// The markers in kind and index order: the window keeps them in a hash,
/// whose order changes from run to run, and a seed must replay the walk.
QList<ObjectMarker*> sortedMarkers(const TMDIChild* designer) {
    QList<ObjectMarker*> markers = designer->markers();
    std::sort(markers.begin(), markers.end(), [](const ObjectMarker* a, const ObjectMarker* b) {
        return std::pair(int(a->kind()), a->tag()) < std::pair(int(b->kind()), b->tag());
    });
    return markers;
}

const std::vector<std::string> kWords{
    "Vega",  "Sol",        "St. John's", "Alpha Centauri", "a,b.c", "  ",    "é",   "Őrség",
    "€uro",  "日本",       "%1 %s",      "\"quoted\"",     "-0",    "+5",    "1e3", "0x10",
    "12345", "2147483647", "2147483648", "-2147483649",    "-17",   "swamp", "0",   "T1"};

/// The kind each placing tool places, in the order of the tools.
constexpr int kToolKinds[] = {kPlanet, kShip,   kAsteroid, kMicroAsteroid,
                              kWreck,  kNebula, kJumpNode};

std::string databaseBytes() {
    return vk_test::readFile(QDir(QCoreApplication::applicationDirPath())
                                 .filePath(QStringLiteral("main.ond"))
                                 .toStdString());
}

}  // namespace

MonkeyWalk::MonkeyWalk(std::uint64_t seed, double faultRate)
    : seed_(seed),
      faultRate_(faultRate),
      rng_(seed),
      settings_(std::make_unique<QSettings>(
          settingsFolder_.filePath(QStringLiteral("mapwright.conf")), QSettings::IniFormat)),
      editor_(std::make_unique<TestEditor>()),
      oracle_(files::planetNames(databaseBytes(), 'U')) {
    editor_->mainForm->setRecentFiles(*settings_);
    vk_test::ScratchDir& s = editor_->scratch;
    const std::string sample = vk_test::readFile(VK_SOURCE_DIR "/data/samples/sample.sdf");
    s.write("samples/sample.sdf", sample);
    s.write("samples/damaged.sdf", sample.substr(0, files::kDesignRecordSize * 2 + 100));
    s.write("samples/empty.sdf", "");
    for (const char* name : {"alpha.sdf", "beta.sdf", "gamma.sdf", "sample.vmpf"})
        s.write(std::string("samples/map/") + name,
                vk_test::readFile(std::string(VK_SOURCE_DIR "/data/samples/map/") + name));
    s.write("samples/short.vmpf", "VMPF");
    for (const char* folder : {"files", "projects", "check", "state"})
        std::filesystem::create_directories(s.path(folder));
    keeper_ = std::make_unique<RecoveryKeeper>(*editor_->document, editor_->state->map(),
                                               RecoveryFiles(s.path("state")), editor_->prompts,
                                               std::chrono::hours(1));
    stackWatch_ = QObject::connect(editor_->document->undoStack(), &QUndoStack::indexChanged,
                                   [this](int index) { stepTaken(index); });
    QObject::connect(editor_->document.get(), &SystemDocument::modifiedChanged,
                     [this](bool modified) { cleanInAction_ = cleanInAction_ || !modified; });
    QObject::connect(editor_->document.get(), &SystemDocument::fileUsed,
                     [this](const QString& path) { fileUsed_ = toModel(path); });
}

MonkeyWalk::~MonkeyWalk() {
    // The stack empties as the editor goes; the walk is no longer listening.
    QObject::disconnect(stackWatch_);
    keeper_.reset();
}

void MonkeyWalk::run(int actions) {
    for (int i = 0; i < actions && !failed(); ++i) {
        clearPrompts();
        ensureDesigner();
        if (!designer_) return fail("the New command made no designer window");
        before_ = systemState();
        modifiedBefore_ = editor_->document->isModified();
        pathBefore_ = toModel(editor_->document->filePath());
        stackMoved_ = false;
        undoing_ = false;
        startedOver_ = false;
        cleanInAction_ = false;
        saving_ = false;
        fileUsed_.clear();
        dialogObject_.reset();
        // How often each action comes, per thousand.
        static constexpr struct {
            int perMille;
            void (MonkeyWalk::*act)();
            const char* name;
        } kActions[] = {{80, &MonkeyWalk::chooseTool, "choose tool"},
                        {220, &MonkeyWalk::clickPixel, "click the map"},
                        {120, &MonkeyWalk::clickMarker, "click a marker"},
                        {70, &MonkeyWalk::typeSunName, "type the sun name"},
                        {50, &MonkeyWalk::editSunFields, "sun fields"},
                        {20, &MonkeyWalk::clearMap, "Clear map"},
                        {60, &MonkeyWalk::saveAs, "Save as"},
                        {40, &MonkeyWalk::save, "Save"},
                        {60, &MonkeyWalk::open, "Open"},
                        {20, &MonkeyWalk::closeDesigner, "Close"},
                        {20, &MonkeyWalk::mainOpen, "main window Open"},
                        {90, &MonkeyWalk::undoRedo, "undo and redo"},
                        {60, &MonkeyWalk::dragMarker, "drag a marker"},
                        {40, &MonkeyWalk::wizardSession, "wizard"},
                        {20, &MonkeyWalk::openRecent, "a recent file"},
                        {30, &MonkeyWalk::autosave, "autosave"}};
        int r = uniform(0, 999);
        auto act = kActions[0].act;
        const char* name = kActions[0].name;
        for (const auto& a : kActions) {
            act = a.act, name = a.name;
            if (r < a.perMille) break;
            r -= a.perMille;
        }
        // The wizard fails its writes step by step, inside its window.
        const std::optional<FolderBytes> before =
            act == &MonkeyWalk::wizardSession ? std::nullopt : armFault();
        (this->*act)();
        // What the action left for later (markers it removed, the caption timer).
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        usedListLeftAsTold();
        const bool fired = faultFired(before.has_value(), name);
        observeFiles();
        checkWindow();
        checkSteps();
        checkOracle();
        if (fired) checkFault(*before, act == &MonkeyWalk::autosave);
        ++done_;
    }
}

std::string MonkeyWalk::failure() const {
    if (failure_.empty()) return {};
    std::string text = "seed " + std::to_string(seed_) + ", action " + std::to_string(failedAt_) +
                       ": " + failure_ + "\nthe actions before it:";
    for (const std::string& line : recent_) text += "\n  " + line;
    if (!errorsAtFailure_.empty()) text += "\nthe errors shown in it:";
    for (const std::string& line : errorsAtFailure_) text += "\n  " + line;
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
        if (TMDIChild* d = editor_->mainForm->designer())
            oracle_.newSystem(latin1(d->Edit1->text()), usedOnDisk());
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
    const Tool tool = designer_->tool();
    note("click " + std::to_string(pixel.x()) + "," + std::to_string(pixel.y()) + " tool " +
         std::to_string(int(tool)));
    QTest::mouseMove(panel_, pixel);
    // A click goes to what is under the pointer: a marker there takes it.
    QWidget* under = panel_->childAt(pixel);
    if (auto* marker = qobject_cast<ObjectMarker*>(under)) {
        count("designer: click on a marker");
        return markerAction(marker, marker->mapFrom(panel_, pixel));
    }
    count("designer: click on the map");
    QTest::mouseClick(panel_, Qt::LeftButton, {}, pixel);
    if (tool == Tool::Delete) return;
    const int kind = kToolKinds[int(tool)];
    const std::optional<int> index = oracle_.placement(kind, pixel.x(), pixel.y());
    if (!index) return;
    if (!designer_->marker(ObjectKind(kind), *index)) {
        if (editor_->prompts.errors.empty())
            fail("a click with tool " + std::to_string(int(tool)) + " placed nothing, silently");
        return;
    }
    // The name drawn: the last of the used-name list, the new planet's index being the highest.
    const std::vector<std::string> used = usedOnDisk();
    const std::string drawn = kind == kPlanet && !used.empty() ? used.back() : std::string();
    if (const std::string wrong = oracle_.place(kind, pixel.x(), pixel.y(), drawn); !wrong.empty())
        fail(wrong);
    synced();
}

void MonkeyWalk::clickMarker() {
    const QList<ObjectMarker*> markers = sortedMarkers(designer_);
    if (markers.isEmpty()) return clickPixel();
    ObjectMarker* marker = markers[uniform(0, int(markers.size()) - 1)];
    note("marker " + objectLabel(marker->object()) + " tool " +
         std::to_string(int(designer_->tool())));
    count(designer_->tool() == Tool::Delete ? "designer: delete a marker"
                                            : "designer: open a marker's dialog");
    markerAction(marker);
}

void MonkeyWalk::markerAction(ObjectMarker* marker, std::optional<QPoint> at) {
    const ObjectRef object = marker->object();
    dialogObject_ = object;
    const bool deleting = designer_->tool() == Tool::Delete;
    press(marker, at);
    if (deleting) clickedToDelete(object);
}

void MonkeyWalk::clickedToDelete(ObjectRef object) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (designer_->marker(object.kind, object.index)) {
        if (editor_->prompts.errors.empty()) fail("a delete removed nothing, silently");
        return;
    }
    oracle_.remove(int(object.kind), object.index);
    synced();
}

void MonkeyWalk::typeSunName() {
    QLineEdit* edit = designer_->Edit1;
    const int how = uniform(0, 2);
    const std::string text = randomText();
    note("sun name " + std::to_string(how) + " '" + text + "'");
    // Clicked into first, as a user does: the field keeps the keyboard afterwards.
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
    const auto typed = [this] { sunFieldsTyped(); };
    if (how == 0) {
        edit->selectAll();
        typeText(edit, text, typed);
    } else if (how == 1) {
        edit->end(false);
        typeText(edit, text, typed);
    } else {
        edit->end(false);
        for (int i = uniform(1, 6); i > 0; --i) {
            QTest::keyClick(edit, Qt::Key_Backspace);
            typed();
        }
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
    if (!editor_->prompts.questions.empty() && answered(0) && editor_->prompts.errors.empty()) {
        oracle_.clearMap();
        synced();
    }
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
    // A drag is the hand's way from where it pressed, not from the marker's pixel.
    const bool far =
        (marker->mapFrom(panel_, to) - from).manhattanLength() >= QApplication::startDragDistance();
    const ObjectRef object = marker->object();
    dialogObject_ = object;
    // A short way is a click, which opens the object's dialog or deletes it.
    const ModalAct answer([this](QWidget* w) { return handling_.empty() && w; },
                          [this](QWidget* w) { handleModal(w); });
    QTest::mousePress(marker, Qt::LeftButton, {}, from);
    // On the way the marker follows the mouse: each point is taken where it stands then.
    const QPoint half = (from + marker->mapFrom(panel_, to)) / 2;
    QTest::mouseMove(marker, half);
    QTest::mouseMove(marker, marker->mapFrom(panel_, to));
    QTest::mouseRelease(marker, Qt::LeftButton, {}, marker->mapFrom(panel_, to));
    count("designer: drag a marker");
    if (!far && designer_->tool() == Tool::Delete) return clickedToDelete(object);
    const bool onMap = far && QRect(0, 0, MapPanel::kSize, MapPanel::kSize).contains(to) &&
                       !(to.x() == 247 && to.y() == 247);
    // Only a live object moves; the map must show it where it was dropped.
    if (!onMap || !oracle_.live(int(object.kind), object.index)) return;
    oracle_.move(int(object.kind), object.index, to.x(), to.y());
    synced();
}

void MonkeyWalk::undoRedo() {
    TMainForm& f = *editor_->mainForm;
    QUndoStack& stack = *editor_->document->undoStack();
    // Shortcuts reach only the active window.
    QApplication::setActiveWindow(&f);
    for (int i = uniform(1, 4); i > 0; --i) {
        const bool redo = chance(0.4);
        note(redo ? "redo" : "undo");
        // A shortcut goes to the widget with the keyboard; the designer's
        // fields leave undo and redo to the system's steps.
        QWidget* keys = QApplication::focusWidget();
        if (!keys || keys->window() != &f) keys = &f;
        const int how = uniform(0, 2);
        undoing_ = true;
        if (how > 0 && qobject_cast<QLineEdit*>(keys))
            count("designer: undo or redo, a field with the keyboard");
        const int index = stack.index();
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
        if (stack.index() != index) oracle_.movedTo(stack.index());
        if (!oracle_.known()) count("(the record lost at an undo or redo)");
    }
}

void MonkeyWalk::save() {
    editor_->prompts.files[FileDialog::SaveSystem] = pickSystemFile(true);
    const int how = uniform(0, 2);
    note(how == 2 ? "Save As..." : "Save");
    saving_ = true;
    if (how == 0) {
        QApplication::setActiveWindow(editor_->mainForm.get());
        QTest::keyClick(editor_->mainForm.get(), Qt::Key_S, Qt::ControlModifier);
    } else {
        (how == 1 ? editor_->mainForm->FileSave1 : editor_->mainForm->FileSaveAs1)->trigger();
    }
    count(how == 2 ? "main window: Save As" : "main window: Save");
}

void MonkeyWalk::saveAs() {
    const std::string path = pickSystemFile(true);
    editor_->prompts.files[FileDialog::SaveSystem] = path;
    note("save as '" + path + "'");
    saving_ = true;
    QTest::mouseClick(designer_->Button3, Qt::LeftButton);
    count("designer: Save as");
}

std::string MonkeyWalk::prepareOpen(const std::string& what) {
    queueAnswers();
    std::string path = pickSystemFile(false);
    editor_->prompts.files[FileDialog::OpenSystem] = path;
    note(what + " '" + path + "'");
    startedOver_ = true;
    return path;
}

void MonkeyWalk::open() {
    prepareOpen("open");
    QTest::mouseClick(designer_->Button1, Qt::LeftButton);
    count("designer: Open");
}

void MonkeyWalk::closeDesigner() {
    queueAnswers();
    note("close");
    startedOver_ = true;
    QTest::mouseClick(designer_->Button5, Qt::LeftButton);
    count("designer: Close");
}

void MonkeyWalk::mainOpen() {
    prepareOpen("main window Open");
    editor_->mainForm->FileOpen1->trigger();
    count("main window: Open");
    if (editor_->mainForm->designer()) editor_->mainForm->resize(1000, 720);
}

void MonkeyWalk::openRecent() {
    RecentFilesMenu& recent = *editor_->mainForm->recentFiles();
    recent.refresh();
    const QList<QAction*>& entries = recent.entries();
    if (entries.isEmpty()) return mainOpen();
    QAction* entry = entries[uniform(0, int(entries.size()) - 1)];
    queueAnswers();
    const std::string path = toModel(entry->data().toString());
    note("recent file '" + path + "' " + toModel(entry->text()));
    startedOver_ = true;
    if (QString::fromStdString(path).endsWith(QLatin1String(".vmpf"))) projectToShow_ = path;
    // A design file opens in the designer, a project file in the wizard.
    const ModalAct answer([this](QWidget* w) { return handling_.empty() && w; },
                          [this](QWidget* w) { handleModal(w); });
    entry->trigger();
    count("main window: a recent file");
    projectToShow_.clear();
    if (editor_->mainForm->designer()) editor_->mainForm->resize(1000, 720);
}

void MonkeyWalk::wizardSession() {
    note("wizard");
    count("wizard: shown");
    const ModalAct answer([](QWidget* w) { return qobject_cast<TMCW*>(w) != nullptr; },
                          [this](QWidget* w) { handleModal(w); });
    editor_->mainForm->MapCreatorWizard1->trigger();
}

void MonkeyWalk::autosave() {
    note("autosave");
    keeper_->autosave();
    count("recovery: autosave");
}

// --- the answers ---

void MonkeyWalk::queueAnswers() {
    for (int i = 0; i < 6; ++i) {
        const bool yes = chance(0.7);
        editor_->prompts.answer(yes);
        answersGiven_.push_back(yes);
    }
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
    answersGiven_.clear();
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

bool MonkeyWalk::answered(std::size_t n) const {
    return n < answersGiven_.size() && answersGiven_[n];
}

void MonkeyWalk::fail(const std::string& what) {
    if (!failure_.empty()) return;
    failure_ = what;
    failedAt_ = done_ + 1;
    errorsAtFailure_ = editor_->prompts.errors;
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
