// bench_datagen SHAPE OUT: writes one benchmark input.
//   SHAPE: nested:BYTES | flat:STRINGS | tree:FILES (OUT is a directory) | mission
//          | jumpmap:NODES (ten systems of NODES jump nodes each; OUT is a directory)
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "inf_data_generator.h"
#include "jump_map_input.h"
#include "mission_input.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(
            stderr,
            "usage: bench_datagen "
            "nested:BYTES|numbers:BYTES|flat:STRINGS|tree:FILES|mission|jumpmap:NODES OUT\n");
        return 2;
    }
    const std::string shape = argv[1], out = argv[2];
    const std::size_t colon = shape.find(':');
    const std::string kind = shape.substr(0, colon);
    const std::size_t amount =
        colon == std::string::npos ? 0 : std::strtoull(shape.c_str() + colon + 1, nullptr, 10);
    try {
        if (kind == "nested")
            bench::writeFile(out, bench::nestedInfText(amount));
        else if (kind == "numbers")
            bench::writeFile(out, bench::nestedInfText(amount, true));
        else if (kind == "flat")
            bench::writeFile(out, bench::flatInfText(amount));
        else if (kind == "tree")
            bench::writeIncludeTree(out, amount);
        else if (kind == "mission" && bench::missionInputAvailable())
            bench::writeFile(out, bench::missionInfText(out + ".systems"));
        else if (kind == "jumpmap" && bench::jumpMapInputAvailable())
            std::printf("%s\n", bench::writeJumpMap(out, 10, static_cast<int>(amount)).c_str());
        else {
            std::fprintf(stderr, "bench_datagen: unknown or unavailable shape %s\n", shape.c_str());
            return 2;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_datagen: %s\n", e.what());
        return 1;
    }
    return 0;
}
