// The benchmark inputs, generated on first use into a scratch directory
// ($VK_BENCH_DIR, else a fresh directory under /tmp), each in text, binary
// and JSON form.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

struct BenchInput {
    std::string name;      // used in benchmark names, e.g. "nested_1MB"
    std::string textPath;  // INF text
    std::string binaryPath;
    std::string jsonPath;
    std::size_t textBytes = 0;
};

std::string benchScratchDir();

// Generates (once) and returns the named input: "nested_1MB", "nested_50MB",
// "flat_1000", "flat_65536", "mission".
const BenchInput& benchInput(const std::string& name);

// Names of the inputs this build can generate.
std::vector<std::string> benchInputNames();

}  // namespace bench
