// The converter as a map maker runs it: whole `infconv` processes on fresh
// copies of the number-heavy inputs, interleaved with a RapidJSON program
// that reads, parses, writes and syncs the same tree as JSON. Each figure is
// the minimum over the rounds, so a busy moment of a shared machine only
// costs a round, not the figure.
#include "process_stages.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_inputs.h"
#include "clean_spawner.h"
#include "exceptions.h"
#include "inf_data_generator.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

struct Usage {
    double cpuMs = 0;  // user + system of the whole process, or what it measured itself
    double sysMs = 0;
    double faults = 0;  // minor and major page faults
    double peakMB = 0;  // the process's peak resident size
};

double milliseconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

Usage runProcess(const std::vector<std::string>& args, const std::string& outFile) {
    const rusage usage = CleanSpawner::instance().run(args, outFile);
    Usage u;
    u.sysMs = milliseconds(usage.ru_stime);
    u.cpuMs = milliseconds(usage.ru_utime) + u.sysMs;
    u.faults = static_cast<double>(usage.ru_minflt + usage.ru_majflt);
    u.peakMB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return u;
}

// One kind of run of the comparison: the command for a fresh copy of the input.
struct RunKind {
    std::string name;
    std::string program;
    std::string mode;   // "b", "t", "h" for infconv; "parse-write", "write" for RapidJSON
    bool json = false;  // the program reports its own CPU time on standard output
};

class ProcessComparison {
  public:
    ProcessComparison(const BenchInput& input, std::vector<RunKind> kinds)
        : input_(input), kinds_(std::move(kinds)), work_(benchScratchDir() + "/process_work") {
        fs::create_directories(work_);
    }
    ~ProcessComparison() {
        std::error_code ec;
        fs::remove_all(work_, ec);
    }

    void round() {
        for (const RunKind& kind : kinds_) keepMinimum(kind.name, runOnce(kind));
    }
    const std::map<std::string, Usage>& minima() const { return minima_; }

  private:
    Usage runOnce(const RunKind& kind) {
        const std::string serial = std::to_string(++serial_);
        const std::string out = work_ + "/stdout." + serial;
        std::vector<std::string> args{kind.program};
        if (kind.json) {
            args.insert(args.end(), {kind.mode, input_.jsonPath, work_ + "/json." + serial});
        } else if (kind.mode == "h") {
            args.push_back("-h");
        } else {
            // A fresh copy each time, made before the process starts.
            const std::string copy = work_ + "/" + input_.name + "." + serial;
            fs::copy_file(kind.mode == "b" ? input_.textPath : input_.binaryPath, copy);
            if (kind.mode == "t") args.push_back("-t");
            args.push_back(copy);
        }
        Usage usage = runProcess(args, out);
        if (kind.json) usage.cpuMs = std::strtod(readFile(out).c_str(), nullptr) / 1000.0;
        return usage;
    }

    void keepMinimum(const std::string& name, const Usage& u) {
        auto [it, fresh] = minima_.emplace(name, u);
        if (fresh) return;
        Usage& m = it->second;
        m.cpuMs = std::min(m.cpuMs, u.cpuMs);
        m.sysMs = std::min(m.sysMs, u.sysMs);
        m.faults = std::min(m.faults, u.faults);
        m.peakMB = std::min(m.peakMB, u.peakMB);
    }

    const BenchInput& input_;
    std::vector<RunKind> kinds_;
    std::string work_;
    int serial_ = 0;
    std::map<std::string, Usage> minima_;
};

std::vector<RunKind> runKinds() {
    std::vector<RunKind> kinds;
    auto addInfconv = [&kinds](const std::string& prefix, const std::string& program) {
        kinds.push_back({prefix + "to_binary", program, "b"});
        kinds.push_back({prefix + "to_text", program, "t"});
        kinds.push_back({prefix + "startup", program, "h"});
    };
    const char* own = std::getenv("VK_BENCH_INFCONV");
    addInfconv("infconv_", own && *own ? own : VK_INFCONV_PATH);
    // Another build of the converter, run in the same rounds for a before/after.
    if (const char* before = std::getenv("VK_BENCH_INFCONV_BEFORE"); before && *before)
        addInfconv("before_", before);
    kinds.push_back({"json_parse_write", VK_JSON_SYNC_PATH, "parse-write", true});
    kinds.push_back({"json_write", VK_JSON_SYNC_PATH, "write", true});
    return kinds;
}

int rounds() {
    const char* text = std::getenv("VK_PROCESS_ROUNDS");
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : 9;
}

void runComparison(benchmark::State& state, const std::string& inputName) {
    const BenchInput& input = benchInput(inputName);
    ProcessComparison comparison(input, runKinds());
    for (auto _ : state) {
        for (int r = 0; r < rounds(); ++r) comparison.round();
    }
    state.counters["text_bytes"] = static_cast<double>(input.textBytes);
    for (const auto& [name, u] : comparison.minima()) {
        state.counters[name + "_cpu_ms"] = u.cpuMs;
        state.counters[name + "_sys_ms"] = u.sysMs;
        state.counters[name + "_faults"] = u.faults;
        state.counters[name + "_peak_MB"] = u.peakMB;
    }
}

}  // namespace

void registerProcessBenchmarks() {
    CleanSpawner::instance();  // forked now, while the benchmark is small
    for (const char* name : {"numbers_2MB", "numbers_20MB"}) {
        benchmark::RegisterBenchmark((std::string("process/") + name).c_str(),
                                     [name](benchmark::State& state) {
                                         try {
                                             runComparison(state, name);
                                         } catch (cException* e) {
                                             state.SkipWithError(e->message().c_str());
                                             delete e;
                                         } catch (const std::exception& e) {
                                             state.SkipWithError(e.what());
                                         }
                                     })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1);
    }
}

}  // namespace bench
