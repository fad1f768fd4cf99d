// The long random walk (scripts/monkey): walks of a few hundred actions, one
// seed after another from the first, until the time is up or one fails. A
// failing seed replays alone: `mapwright_monkey_walk 0 SEED`.
//   mapwright_monkey_walk [SECONDS [SEED [FAULT_PERCENT]]]
// FAULT_PERCENT: how many actions in a hundred run with a write that fails
// (20 unless given; 0 walks without faults).
#include <QApplication>
#include <QElapsedTimer>
#include <chrono>
#include <cstdio>
#include <string>

#include "monkey_walk.h"

namespace {
constexpr int kActionsPerWalk = 400;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::stod(argv[1]) : 60;
    const std::uint64_t first =
        argc > 2 ? std::stoull(argv[2])
                 : std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count()) %
                       1000000007u;
    const double faults = argc > 3 ? std::stod(argv[3]) / 100 : mw::ui::test::kDefaultFaultRate;
    std::printf("monkey: %g seconds from seed %llu, %d actions a walk, faults in %g%% of them\n",
                seconds, static_cast<unsigned long long>(first), kActionsPerWalk, faults * 100);
    QElapsedTimer clock;
    clock.start();
    mw::ui::test::ActionCounts total;
    long actions = 0;
    int walks = 0;
    std::uint64_t seed = first;
    do {
        mw::ui::test::MonkeyWalk walk(seed, faults);
        walk.run(kActionsPerWalk);
        actions += walk.actionsDone();
        ++walks;
        for (const auto& [kind, n] : walk.counts()) total[kind] += n;
        std::printf("walk seed %llu: %d actions, %.0f s in\n",
                    static_cast<unsigned long long>(seed), walk.actionsDone(),
                    clock.elapsed() / 1000.0);
        std::fflush(stdout);
        if (walk.failed()) {
            std::printf("FAILED: %s\n", walk.failure().c_str());
            return 1;
        }
        ++seed;
    } while (clock.elapsed() < seconds * 1000);
    std::printf("monkey: %ld actions in %d walks (seeds %llu..%llu), %.0f s, no failure\n", actions,
                walks, static_cast<unsigned long long>(first),
                static_cast<unsigned long long>(seed - 1), clock.elapsed() / 1000.0);
    for (const auto& [kind, n] : total) std::printf("%8ld  %s\n", n, kind.c_str());
    return 0;
}
