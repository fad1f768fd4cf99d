// The map picture of a map of ten systems with 1000 jump nodes each (10,000
// nodes, every kind of link and stub): its stages as the check command runs
// them, the whole `mapwright check --picture` process (beside another build
// of it for a before/after), and the wizard's Load map and Remove of that map
// with the longest time its window could not answer.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "check/checked_map.h"
#include "check/map_check.h"
#include "check/map_graph.h"
#include "document/editor_context.h"
#include "document/system_document.h"
#include "jump_map_input.h"
#include "map/design_file_lookup.h"
#include "map/project_file.h"
#include "map_picture/map_picture.h"
#include "shell/editor_windows.h"
#include "shell/main_form.h"
#include "test_support.h"
#include "wizard/map_picture_view.h"
#include "wizard/mcw.h"

extern char** environ;

namespace {

using namespace mw;
using namespace mw::ui;

constexpr int kSystems = 10;
constexpr int kNodes = 1000;

struct JumpMap {
    vk_test::ScratchDir dir{"vk-picture-bench"};
    std::string project = bench::writeJumpMap(dir.path("map"), kSystems, kNodes);
    MapProjectRecord record = ReadProjectFile(project);
    std::filesystem::path folder = ProjectFolder(project);
};

JumpMap& jumpMap() {
    static JumpMap map;
    return map;
}

// The design files read and checked, and the picture's graph of them.
void map_picture_graph(benchmark::State& state) {
    const JumpMap& m = jumpMap();
    for (auto _ : state) benchmark::DoNotOptimize(BuildMapGraph(m.record, m.folder));
}
BENCHMARK(map_picture_graph)->Unit(benchmark::kMillisecond)->MinTime(2);

// The graph laid out with the picture's font.
void map_picture_layout(benchmark::State& state) {
    const MapGraph graph = BuildMapGraph(jumpMap().record, jumpMap().folder);
    for (auto _ : state) benchmark::DoNotOptimize(layoutMapPicture(graph));
    state.counters["stubs"] = static_cast<double>(graph.stubs.size());
    state.counters["links"] = static_cast<double>(graph.links.size());
}
BENCHMARK(map_picture_layout)->Unit(benchmark::kMillisecond)->MinTime(2);

// The layout painted at its own size and encoded as PNG.
void map_picture_png(benchmark::State& state) {
    const MapPictureLayout layout =
        layoutMapPicture(BuildMapGraph(jumpMap().record, jumpMap().folder));
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeMapPicture(layout, PictureFormat::Png, QString()));
}
BENCHMARK(map_picture_png)->Unit(benchmark::kMillisecond)->MinTime(2);

// One whole process's user + system seconds; its exit status in `status`.
double runProcess(const std::vector<std::string>& args, int& status) {
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        status = -1;
        return 0;
    }
    rusage u{};
    wait4(pid, &status, 0, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// `mapwright check MAP --picture OUT.png` as a map maker runs it; with
// VK_BENCH_MAPWRIGHT_BEFORE naming another build, that one in the same
// rounds. The minimum over VK_PROCESS_ROUNDS rounds (default 3).
void check_picture_process(benchmark::State& state) {
    const JumpMap& m = jumpMap();
    std::vector<std::pair<std::string, std::string>> programs{{"this", VK_MAPWRIGHT_PATH}};
    if (const char* before = std::getenv("VK_BENCH_MAPWRIGHT_BEFORE"); before && *before)
        programs.emplace_back("before", before);
    const char* roundsText = std::getenv("VK_PROCESS_ROUNDS");
    const int rounds = std::max(1, roundsText ? std::atoi(roundsText) : 3);
    std::vector<double> best(programs.size(), 1e300);
    for (auto _ : state)
        for (int r = 0; r < rounds; ++r)
            for (std::size_t p = 0; p < programs.size(); ++p) {
                int status = 0;
                const double cpu = runProcess({programs[p].second, "check", m.project, "--picture",
                                               m.dir.path(programs[p].first + ".png")},
                                              status);
                // Warnings (1) are what this map has; 3 is a check that could not be made.
                if (!WIFEXITED(status) || WEXITSTATUS(status) > 2)
                    return state.SkipWithError(("check failed: " + programs[p].second).c_str());
                best[p] = std::min(best[p], cpu);
            }
    for (std::size_t p = 0; p < programs.size(); ++p)
        state.counters[programs[p].first + "_cpu_ms"] = best[p] * 1e3;
    if (programs.size() == 2) state.counters["before_over_this"] = best[1] / best[0];
}
BENCHMARK(check_picture_process)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

/// Yes to every question, the map's project file to every file dialog.
class MapPrompts : public Prompts {
  public:
    void notice(const std::string&) override {}
    void error(const std::string& text) override {
        std::fprintf(stderr, "error: %s\n", text.c_str());
    }
    bool ask(const std::string&) override { return true; }
    std::string chooseFile(FileDialog) override { return jumpMap().project; }
};

struct OpenWizard {
    vk_test::ScratchDir dir{"vk-picture-wizard"};
    EditorState state{dir.root(), 1};
    MapPrompts prompts;
    SystemDocument document{state.designer(), prompts};
    EditorContext context{state, document, prompts, ProgramFiles()};
    TMainForm mainForm{context};
    EditorWindows windows = createEditorWindows(mainForm, context);
    TMCW* wizard = windows.MCW;

    OpenWizard() {
        wizard->show();
        while (wizard->Image1->drawing())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
};

struct Turn {
    double untilDrawnMs = 0;
    double longestStallMs = 0;  // the longest the window's thread did not get to a 5 ms tick
};

// Runs `act` from the event loop and serves it until the picture is drawn.
Turn serveUntilDrawn(OpenWizard& w, const std::function<void()>& act) {
    QEventLoop loop;
    QElapsedTimer clock;
    double last = 0, longest = 0;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const double now = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        longest = std::max(longest, now - last);
        last = now;
    });
    QMetaObject::Connection connection;
    clock.start();
    tick.start();
    QTimer::singleShot(0, [&] {
        act();
        // Only the map the action asked for ends the turn.
        connection =
            QObject::connect(w.wizard->Image1, &MapPictureView::drawn, &loop, &QEventLoop::quit);
        if (!w.wizard->Image1->drawing()) loop.quit();
    });
    loop.exec();
    const double end = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    QObject::disconnect(connection);
    return {end, std::max(longest, end - last)};
}

void report(benchmark::State& state, const std::vector<Turn>& turns) {
    double stall = 0, worst = 0;
    for (const Turn& t : turns)
        stall += t.longestStallMs, worst = std::max(worst, t.longestStallMs);
    state.counters["longest_stall_ms"] = stall / static_cast<double>(turns.size());
    state.counters["worst_stall_ms"] = worst;
}

// The same ticks with nothing to do for as long as a Load map takes: what
// the machine's other work alone makes of the stall.
void wizard_idle(benchmark::State& state) {
    OpenWizard w;
    std::vector<Turn> turns;
    for (auto _ : state) {
        QEventLoop loop;
        const Turn t = serveUntilDrawn(w, [&] {
            QTimer::singleShot(130, &loop, &QEventLoop::quit);
            loop.exec();
        });
        state.SetIterationTime(t.untilDrawnMs / 1e3);
        turns.push_back(t);
    }
    report(state, turns);
}
BENCHMARK(wizard_idle)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2);

// "Load map" of the map: the project file read, its list shown, and the
// picture drawn (the wizard's window thread serving 5 ms ticks meanwhile).
void wizard_load_map(benchmark::State& state) {
    OpenWizard w;
    std::vector<Turn> turns;
    for (auto _ : state) {
        const Turn t = serveUntilDrawn(w, [&] { w.wizard->Button7Click(); });
        state.SetIterationTime(t.untilDrawnMs / 1e3);
        turns.push_back(t);
    }
    if (w.wizard->Image1->layout().nodes.size() != kSystems)
        state.SkipWithError("the picture does not show the map");
    report(state, turns);
}
BENCHMARK(wizard_load_map)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2);

// "Remove" of the first system, until the picture shows the other nine; the
// undo that brings it back is not timed.
void wizard_remove_system(benchmark::State& state) {
    OpenWizard w;
    serveUntilDrawn(w, [&] { w.wizard->Button7Click(); });
    std::vector<Turn> turns;
    for (auto _ : state) {
        const Turn t = serveUntilDrawn(w, [&] {
            w.wizard->ListBox1->clearSelection();
            w.wizard->ListBox1->item(0)->setSelected(true);
            w.wizard->Button2Click();
        });
        state.SetIterationTime(t.untilDrawnMs / 1e3);
        turns.push_back(t);
        if (w.wizard->Image1->layout().nodes.size() != kSystems - 1)
            return state.SkipWithError("the picture does not show the map");
        serveUntilDrawn(w, [&] { w.wizard->Button10Click(); });
    }
    report(state, turns);
}
BENCHMARK(wizard_remove_system)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2);

}  // namespace
