// Converts every INF file of the directory tree below the current directory,
// skipping files that other INF files include and files whose includes are
// missing. Entries that are not regular files, files that another conversion
// holds and files too large for memory are reported on `err` and passed by.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_set>
#include <vector>

#include "exceptions.h"

class cTreeConverter {
public:
    // Output goes to `out`, reports of passed files to `err` (standard
    // output and standard error in the program).
    explicit cTreeConverter(std::FILE* out = stdout, std::FILE* err = stderr);

    // Scans the tree, converts it and prints the statistics line. Returns
    // the number of files passed by with a report. Other file errors of a
    // conversion leave as cException pointers.
    std::int64_t run(bool toBinary);

private:
    struct FoundFile {
        std::string lowered;   // printed and compared
        std::string realPath;  // opened
    };

    void scanDirectory();
    void handleInfFile(const std::string& dirName, const std::string& name, std::int64_t size);
    void convertAll(bool toBinary);
    void passBy(const cFileException& refusal);

    std::FILE* out_;
    std::FILE* err_;
    std::unordered_set<std::string> includes_;
    std::vector<FoundFile> toConvert_;
    std::vector<std::string> bad_;
    std::int64_t dirs_ = 0;
    std::int64_t inBytes_ = 0;
    std::int64_t inFiles_ = 0;
    std::int64_t outBytes_ = 0;
    std::int64_t outFiles_ = 0;
    std::int64_t passed_ = 0;
};
