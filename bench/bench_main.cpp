// Runs the converter benchmarks and prints the ratios after the figures.
// Quiet the converter's error channel first: a benchmark input that fails to
// load must be reported as a skipped benchmark, not end the process.
#include <benchmark/benchmark.h>

#include "converter_stages.h"
#include "log.h"
#include "ratio_reporter.h"

int main(int argc, char** argv) {
    createLogChannels();
    if (ErrorLog) ErrorLog->errorBox = false;
    bench::registerConverterBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
