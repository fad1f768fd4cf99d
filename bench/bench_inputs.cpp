#include "bench_inputs.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>

#include "inf_analyzer.h"
#include "inf_data_generator.h"
#include "json_baseline.h"
#include "mission_input.h"

namespace bench {

std::string benchScratchDir() {
    static const std::string dir = [] {
        if (const char* env = std::getenv("VK_BENCH_DIR"); env && *env) {
            std::filesystem::create_directories(env);
            return std::string(env);
        }
        std::string pattern = "/tmp/vk-bench-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a scratch directory in /tmp");
        return pattern;
    }();
    return dir;
}

std::vector<std::string> benchInputNames() {
    std::vector<std::string> names = {"nested_1MB",   "nested_50MB", "numbers_2MB",
                                      "numbers_20MB", "flat_1000",   "flat_65536"};
    if (missionInputAvailable()) names.push_back("mission");
    return names;
}

const BenchInput& benchInput(const std::string& name) {
    static std::map<std::string, BenchInput> made;
    if (auto it = made.find(name); it != made.end()) return it->second;

    std::string text;
    if (name == "nested_1MB")
        text = nestedInfText(std::size_t{1} << 20);
    else if (name == "nested_50MB")
        text = nestedInfText(std::size_t{50} << 20);
    else if (name == "numbers_2MB")
        text = nestedInfText(std::size_t{2} << 20, true);
    else if (name == "numbers_20MB")
        text = nestedInfText(std::size_t{20} << 20, true);
    else if (name == "flat_1000")
        text = flatInfText(1000);
    else if (name == "flat_65536")
        text = flatInfText(65536);
    else if (name == "mission")
        text = missionInfText(benchScratchDir() + "/mission_src");
    else
        throw std::runtime_error("unknown benchmark input " + name);

    BenchInput input;
    input.name = name;
    const std::string base = benchScratchDir() + "/" + name;
    input.textPath = base + ".txt";
    input.binaryPath = base + ".bin";
    input.jsonPath = base + ".json";
    input.textBytes = text.size();
    writeFile(input.textPath, text);
    {
        InfAnalyzer analyzer(input.textPath);
        analyzer.writeBinaryInf(input.binaryPath, false);
        writeFile(input.jsonPath, treeToJson(*analyzer.getRoot()));
    }
    return made.emplace(name, std::move(input)).first->second;
}

}  // namespace bench
