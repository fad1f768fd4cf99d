// Converts every INF file of the directory tree below the current directory,
// skipping files that other INF files include and files whose includes are
// missing.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_set>
#include <vector>

class cTreeConverter {
public:
    // Output goes to `out` (standard output in the program).
    explicit cTreeConverter(std::FILE* out = stdout);

    // Scans the tree, converts it and prints the statistics line.
    // File errors of a conversion leave as cException pointers.
    void run(bool toBinary);

private:
    struct FoundFile {
        std::string lowered;   // printed and compared
        std::string realPath;  // opened
    };

    void scanDirectory();
    void handleInfFile(const std::string& dirName, const std::string& name, std::int64_t size);
    void convertAll(bool toBinary);

    std::FILE* out_;
    std::unordered_set<std::string> includes_;
    std::vector<FoundFile> toConvert_;
    std::vector<std::string> bad_;
    std::int64_t dirs_ = 0;
    std::int64_t inBytes_ = 0;
    std::int64_t inFiles_ = 0;
    std::int64_t outBytes_ = 0;
    std::int64_t outFiles_ = 0;
};
