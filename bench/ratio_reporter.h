// Console output of Google Benchmark plus, at the end, the ratios the
// figures are judged by: each converter stage against the I/O floor and the
// RapidJSON baselines, and the growth of cost with size.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace bench {

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    // Colour only on a terminal, so saved output stays plain text.
    RatioReporter();
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

  private:
    void printProcessRatios();

    // Per iteration, by "stage/input".
    std::map<std::string, double> seconds_;         // CPU seconds
    std::map<std::string, double> wall_;            // real seconds
    std::map<std::string, double> processSeconds_;  // CPU seconds of all threads, where reported
    std::map<std::string, double> bytes_;           // text bytes per iteration
    // The whole-process comparison's counters, by input.
    std::map<std::string, std::map<std::string, double>> process_;
};

}  // namespace bench
