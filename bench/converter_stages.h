// Registers the converter's stages and the baselines for every benchmark input.
#pragma once

namespace bench {

void registerConverterBenchmarks();

}  // namespace bench
