#include "ratio_reporter.h"

#include <unistd.h>

#include <cstdio>

namespace bench {
namespace {

std::string stageOf(const std::string& name) {
    return name.substr(0, name.find('/'));
}
std::string inputOf(const std::string& name) {
    const std::size_t slash = name.find('/');
    if (slash == std::string::npos) return {};
    const std::size_t end = name.find('/', slash + 1);
    return name.substr(slash + 1, end == std::string::npos ? std::string::npos : end - slash - 1);
}

}  // namespace

RatioReporter::RatioReporter()
    : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration || run.iterations == 0 || run.error_occurred)
            continue;
        const std::string name = run.benchmark_name();
        const std::string key = stageOf(name) + "/" + inputOf(name);
        if (stageOf(name) == "process") {
            for (const auto& [counter, value] : run.counters)
                process_[inputOf(name)][counter] = value;
            continue;
        }
        // CPU time (user and system) of the one thread: on a machine shared
        // with other work it is steadier than wall time, and with a warm file
        // cache the kernel's I/O work is counted in it.
        seconds_[key] = run.cpu_accumulated_time / static_cast<double>(run.iterations);
        wall_[key] = run.real_accumulated_time / static_cast<double>(run.iterations);
        auto cpu = run.counters.find("process_cpu_ms");
        if (cpu != run.counters.end()) processSeconds_[key] = cpu->second.value / 1000.0;
        auto bytes = run.counters.find("text_bytes");
        if (bytes != run.counters.end()) bytes_[key] = bytes->second.value;
    }
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    auto have = [&](const std::string& k) { return seconds_.count(k) != 0; };
    std::printf(
        "\nRatios (time of the first over time of the second; below 1 means the first is "
        "faster)\n");
    std::map<std::string, bool> inputs;
    for (const auto& [key, s] : seconds_) inputs[key.substr(key.find('/') + 1)] = true;
    const char* stages[] = {"text_to_tree", "tree_to_binary",    "binary_to_tree",
                            "tree_to_text", "convert_to_binary", "convert_to_text"};
    for (const auto& [input, unused] : inputs) {
        (void)unused;
        const std::string floor = "io_floor/" + input;
        for (const char* stage : stages) {
            const std::string k = std::string(stage) + "/" + input;
            if (!have(k)) continue;
            std::printf("  %-40s vs io_floor:        %7.2f\n", k.c_str(),
                        seconds_[k] / (have(floor) ? seconds_[floor] : 0));
        }
        const std::string toBin = "convert_to_binary/" + input, toText = "convert_to_text/" + input;
        const std::string jsonBoth = "json_parse_write/" + input, jsonWrite = "json_write/" + input;
        if (have(toBin) && have(jsonBoth))
            std::printf("  %-40s vs json_parse_write: %7.2f  (target <= 0.5)\n", toBin.c_str(),
                        seconds_[toBin] / seconds_[jsonBoth]);
        if (have(toText) && have(jsonWrite))
            std::printf("  %-40s vs json_write:       %7.2f  (target <= 0.75)\n", toText.c_str(),
                        seconds_[toText] / seconds_[jsonWrite]);
        // The walk waits for the disk, which CPU time does not show: wall
        // time too. Its CPU time is the whole process's (it runs threads).
        for (const char* walkStage : {"tree_convert_to_binary", "tree_convert_to_binary_j2"}) {
            const std::string walk = std::string(walkStage) + "/" + input;
            if (!have(walk)) continue;
            for (const std::string& base : {floor, "io_floor_synced/" + input}) {
                if (!have(base)) continue;
                std::printf("  %-40s vs %-18s CPU %6.2f, wall %6.2f  (target <= 2.0)\n",
                            walk.c_str(), stageOf(base).c_str(),
                            processSeconds_[walk] / processSeconds_[base],
                            wall_[walk] / wall_[base]);
            }
        }
    }
    auto perByte = [&](const std::string& k) { return seconds_[k] / bytes_[k]; };
    std::printf("\nGrowth (cost per MB or per string, large over small; target <= 1.2)\n");
    for (const char* stage : stages) {
        const std::string big = std::string(stage) + "/nested_50MB",
                          small = std::string(stage) + "/nested_1MB";
        if (have(big) && have(small) && bytes_[big] > 0 && bytes_[small] > 0)
            std::printf("  %-24s per MB, 50 MB over 1 MB:        %6.2f\n", stage,
                        perByte(big) / perByte(small));
        const std::string big2 = std::string(stage) + "/numbers_20MB",
                          small2 = std::string(stage) + "/numbers_2MB";
        if (have(big2) && have(small2) && bytes_[big2] > 0 && bytes_[small2] > 0)
            std::printf("  %-24s per MB, numbers 20 MB over 2 MB: %6.2f\n", stage,
                        perByte(big2) / perByte(small2));
        const std::string many = std::string(stage) + "/flat_65536",
                          few = std::string(stage) + "/flat_1000";
        if (have(many) && have(few))
            std::printf("  %-24s per string, 65536 over 1000:    %6.2f\n", stage,
                        (seconds_[many] / 65536.0) / (seconds_[few] / 1000.0));
    }
    printProcessRatios();
    std::fflush(stdout);
}

void RatioReporter::printProcessRatios() {
    if (process_.empty()) return;
    std::printf(
        "\nWhole processes (minimum CPU time of the rounds; RapidJSON's own measure of its "
        "work)\n");
    for (const char* who : {"infconv", "before"}) {
        for (const auto& [input, c] : process_) {
            const auto at = [&c = c](const std::string& k) {
                auto it = c.find(k);
                return it == c.end() ? 0.0 : it->second;
            };
            const std::string p = who;
            const double startup = at(p + "_startup_cpu_ms");
            if (at(p + "_to_binary_cpu_ms") == 0) continue;
            const double textMB = at("text_bytes") / (1024.0 * 1024.0);
            std::printf(
                "  %-7s %-13s to binary / RapidJSON parse+write: %5.2f (target <= 0.5); "
                "without start-up %5.2f; peak over start-up %.2fx the text (target <= 2)\n",
                who, input.c_str(), at(p + "_to_binary_cpu_ms") / at("json_parse_write_cpu_ms"),
                (at(p + "_to_binary_cpu_ms") - startup) / at("json_parse_write_cpu_ms"),
                (at(p + "_to_binary_peak_MB") - at(p + "_startup_peak_MB")) / textMB);
            std::printf(
                "  %-7s %-13s to text   / RapidJSON write:       %5.2f; "
                "without start-up %5.2f (target <= 0.5); peak over start-up %.2fx the text\n",
                who, input.c_str(), at(p + "_to_text_cpu_ms") / at("json_write_cpu_ms"),
                (at(p + "_to_text_cpu_ms") - startup) / at("json_write_cpu_ms"),
                (at(p + "_to_text_peak_MB") - at(p + "_startup_peak_MB")) / textMB);
        }
        const auto small = process_.find("numbers_2MB"), big = process_.find("numbers_20MB");
        if (small == process_.end() || big == process_.end()) continue;
        for (const char* way : {"_to_binary_cpu_ms", "_to_text_cpu_ms"}) {
            const std::string k = std::string(who) + way;
            if (!small->second.count(k) || !big->second.count(k)) continue;
            const double perSmall = small->second[k] / small->second["text_bytes"];
            const double perBig = big->second[k] / big->second["text_bytes"];
            std::printf("  %-7s per MB, 20 MB over 2 MB, %-16s %5.2f (target <= 1.2)\n", who,
                        way + 1, perBig / perSmall);
        }
    }
}

}  // namespace bench
