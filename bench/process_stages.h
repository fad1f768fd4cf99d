// Registers the whole-process comparison of the converter with RapidJSON
// ("process/numbers_2MB", "process/numbers_20MB").
#pragma once

namespace bench {

void registerProcessBenchmarks();

}  // namespace bench
