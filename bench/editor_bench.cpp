// The editor's windows, offscreen: opening a design file with 1000 objects of
// every kind (7000 markers) into a designer window, one change of that system
// recorded as an undo step and taken back, the object list following one change, its save and its
// autosave, and start-up to a shown main window, in this process and as a whole new process.
//
//   vk_editor_bench [benchmark flags]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QUndoStack>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

#include "app/editor_app.h"
#include "designer/mdi_child.h"
#include "document/editor_context.h"
#include "document/system_document.h"
#include "objects_panel/object_filter_model.h"
#include "objects_panel/object_list_model.h"
#include "recovery/recovery_file.h"
#include "shell/editor_windows.h"
#include "shell/main_form.h"
#include "system/system_file.h"
#include "system/system_model.h"
#include "test_support.h"

namespace {

using namespace mw;
using namespace mw::ui;
namespace fs = std::filesystem;

constexpr int kPerKind = 1000;

/// Yes to every question, the big file to every file dialog.
class AnsweringPrompts : public Prompts {
  public:
    explicit AnsweringPrompts(std::string file) : file_(std::move(file)) {}
    void notice(const std::string& text) override {
        std::fprintf(stderr, "notice: %s\n", text.c_str());
    }
    void error(const std::string& text) override {
        std::fprintf(stderr, "error: %s\n", text.c_str());
    }
    bool ask(const std::string&) override { return true; }
    std::string chooseFile(FileDialog) override { return file_; }

  private:
    std::string file_;
};

/// A working folder with main.ond and a design file holding kPerKind objects
/// of every kind at random pixels of the map.
struct Inputs {
    vk_test::ScratchDir dir{"vk-editor-bench"};
    std::string bigFile = dir.path("big.sdf");

    Inputs() {
        const fs::path bin = QCoreApplication::applicationDirPath().toStdString();
        dir.write("main.ond", vk_test::readFile(bin / "main.ond"));
        auto model = std::make_unique<SystemModel>();
        model->ResetTables();
        model->currentSystemName = "Big";
        std::mt19937 random(1);
        std::uniform_int_distribution<int> pixel(0, 492);
        for (int k = 0; k < kObjectKindCount; ++k) {
            const auto kind = static_cast<ObjectKind>(k);
            for (int i = 0; i < kPerKind; ++i) {
                const int index = model->AllocateIndex(kind);
                const MarkerPos at{pixel(random), pixel(random)};
                const std::string name = "N" + std::to_string(index);
                model->withTable(kind, [&](auto& table) {
                    auto& r = table.at(index);
                    r = {};
                    r.marker = at;
                    r.x = WorldFromPixel(at.y);
                    r.y = WorldFromPixel(at.x);
                    if constexpr (requires { r.name; }) r.name = name;
                    if constexpr (requires { r.type; }) r.type = "type";
                    if constexpr (requires { r.leadsTo; }) r.leadsTo = "0";
                });
            }
        }
        SaveSystem(bigFile, "Big", "Sun", "Background1", "0.7", *model);
    }
};

Inputs& inputs() {
    static Inputs in;
    return in;
}

/// The editor as main builds it, with answering prompts, and one designer window.
struct OpenEditor {
    EditorState state{inputs().dir.root(), 1};
    AnsweringPrompts prompts{inputs().bigFile};
    SystemDocument document{state.designer(), prompts};
    EditorContext context{state, document, prompts, ProgramFiles()};
    TMainForm mainForm{context};
    TMDIChild* designer = nullptr;

    OpenEditor() {
        createEditorWindows(mainForm, context);
        mainForm.resize(1000, 720);
        mainForm.show();
        mainForm.FileNew1->trigger();
        designer = mainForm.designer();
        QApplication::processEvents();
    }
};

void settle() {
    // Markers taken off the map are deleted later, by the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

void clear(OpenEditor& editor) {
    editor.designer->Button2Click();  // "Clear map", answered Yes
    settle();
}

// "Open" on a designer window: the file read into a scratch system, swapped
// in, the name pool refilled and one marker made for each of the 7000 objects.
void open_7000_markers(benchmark::State& state) {
    OpenEditor editor;
    for (auto _ : state) {
        editor.designer->Button1Click();
        state.PauseTiming();
        if (editor.designer->markers().size() != qsizetype{kPerKind} * kObjectKindCount)
            state.SkipWithError("the markers are not all there");
        clear(editor);
        state.ResumeTiming();
    }
}
BENCHMARK(open_7000_markers)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// The same, then the map panel drawn once with all its markers.
void open_and_paint_7000_markers(benchmark::State& state) {
    OpenEditor editor;
    for (auto _ : state) {
        editor.designer->Button1Click();
        benchmark::DoNotOptimize(editor.designer->grab());
        state.PauseTiming();
        clear(editor);
        state.ResumeTiming();
    }
}
BENCHMARK(open_and_paint_7000_markers)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// One marker dragged in the 7000-object system: the move with its undo step
// (the system's state before and after, and what differs), then the undo.
void move_one_of_7000_then_undo(benchmark::State& state) {
    OpenEditor editor;
    editor.designer->Button1Click();
    settle();
    int i = 0;
    for (auto _ : state) {
        editor.document.moveMarker({ObjectKind::Ship, 1 + i % kPerKind}, QPoint(100 + i % 300, 40));
        editor.document.undo();
        settle();
        ++i;
    }
    // Each move was one step, and each undo took it back.
    if (editor.document.undoStack()->count() != 1 || editor.document.undoStack()->index() != 0)
        state.SkipWithError("a move was not recorded");
}
BENCHMARK(move_one_of_7000_then_undo)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// One change of the 7000-object system as the "Objects" list takes it: the
// tables read again and only the moved ship's row handed to the table,
// which keeps the rows sorted by X, so the row also moves in the sorted view.
void object_list_follows_one_change_of_7000(benchmark::State& state) {
    OpenEditor editor;
    editor.designer->Button1Click();
    settle();
    const SystemModel& tables = editor.document.designer().tables();
    ObjectListModel rows;
    ObjectFilterModel shown(rows);
    shown.sort(static_cast<int>(ObjectColumn::X));
    rows.sync(tables);
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        editor.document.moveMarker({ObjectKind::Ship, 1 + i % kPerKind}, QPoint(100 + i % 300, 40));
        state.ResumeTiming();
        rows.sync(tables);
        ++i;
    }
    if (shown.rowCount() != kPerKind * kObjectKindCount)
        state.SkipWithError("the list does not hold every object");
}
BENCHMARK(object_list_follows_one_change_of_7000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2);

// The 7000-object system written as "Save" writes it, the baseline of the
// autosave below.
void save_7000_objects(benchmark::State& state) {
    OpenEditor editor;
    editor.designer->Button1Click();
    const SystemDesigner& d = editor.document.designer();
    const std::string target = inputs().dir.path("saved.sdf");
    for (auto _ : state)
        SaveSystem(target, d.header().sunName, d.header().sunType, d.header().background,
                   d.header().scale, d.tables());
}
BENCHMARK(save_7000_objects)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// The autosave of the same system: the recovery file and its info, which
// the editor writes every 60 s while the system has unsaved changes.
void autosave_7000_objects(benchmark::State& state) {
    OpenEditor editor;
    editor.designer->Button1Click();
    const SystemDesigner& d = editor.document.designer();
    const RecoveryFiles files(inputs().dir.root() / "state");
    for (auto _ : state) files.write(d.header(), d.tables(), {inputs().bigFile, 1});
}
BENCHMARK(autosave_7000_objects)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

void waitUntilExposed(QWidget& window) {
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QApplication::processEvents();
}

// From nothing to a shown main window, in a running application: the editor
// state, the main window and the shell windows.
void startup_in_process(benchmark::State& state) {
    for (auto _ : state) {
        auto editor = std::make_unique<Editor>(inputs().dir.root());
        editor->show();
        waitUntilExposed(editor->mainForm());
        state.PauseTiming();
        editor.reset();
        settle();
        state.ResumeTiming();
    }
}
BENCHMARK(startup_in_process)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// The whole program start: a new process that loads Qt, makes the application
// and the editor, shows the main window and ends as soon as it is shown.
void startup_process(benchmark::State& state) {
    const QString self = QCoreApplication::applicationFilePath();
    const QString work = QString::fromStdString(inputs().dir.root().string());
    for (auto _ : state) {
        const int status = QProcess::execute(self, {QStringLiteral("--startup-child"), work});
        if (status != 0) state.SkipWithError("the child did not start");
    }
}
BENCHMARK(startup_process)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

int startupChild(int argc, char** argv) {
    QApplication app(argc, argv);
    applyEditorLook();
    Editor editor{fs::path(argv[2])};
    editor.show();
    waitUntilExposed(editor.mainForm());
    return 0;
}

// The offscreen platform says so for every window it cannot size or raise.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    if (message.startsWith(QLatin1String("QStandardPaths:"))) return;
    if (type != QtDebugMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
    // No display needed; a caller may still choose another platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietOffscreenNotes);
    if (argc == 3 && std::string(argv[1]) == "--startup-child") return startupChild(argc, argv);
    QApplication app(argc, argv);
    applyEditorLook();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
