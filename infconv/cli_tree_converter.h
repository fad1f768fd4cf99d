// Converts every INF file of the directory tree below the current directory,
// skipping files that other INF files include and files whose includes are
// missing. Entries that are not regular files, files that another conversion
// holds and files too large for memory are reported on `err` and passed by.
//
// Files are converted in batches: each file of a batch is loaded, converted
// and written to its temporary file (on `jobs` threads), the batch's new
// files are synced to the disk together, and then, in the order of the
// walk, each is put in place and its line printed. Every file, backup,
// printed line and message is what converting the files one after the other
// gives: a file whose conversion could depend on one put in place earlier in
// its batch (the same file under two names, an #include of it) is converted
// again after it, and one that ran out of memory beside others is tried alone.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "cfile.h"
#include "exceptions.h"

class cWalkDirectory;
class cWorkPool;

class cTreeConverter {
  public:
    // Output goes to `out`, reports of passed files to `err` (standard
    // output and standard error in the program).
    // `jobs`: threads converting at once (0: one per processor).
    explicit cTreeConverter(std::FILE* out = stdout, std::FILE* err = stderr, unsigned jobs = 0);

    // One per processor the process may run on.
    static unsigned defaultJobs();

    // Scans the tree, converts it and prints the statistics line. Returns
    // the number of files passed by with a report. Other file errors of a
    // conversion leave as cException pointers.
    std::int64_t run(bool toBinary);

  private:
    struct FoundFile {
        std::string lowered;   // printed and compared
        std::string realPath;  // opened
    };

    struct Job;
    struct Batch;

    // Everything up to putting the new file in place; what goes wrong is
    // kept in the job, to be reported in the walk's order.
    static void prepareJob(Job& job, bool toBinary);

    void scanDirectory(cWalkDirectory& dir);
    void handleInfFile(const cWalkDirectory& dir, const std::string& name, std::int64_t size);
    void convertAll(bool toBinary);
    // Converts the files and puts them in place in order; returns how many
    // were done before one that must be converted again after them.
    std::size_t convertBatch(const std::vector<const FoundFile*>& files, bool toBinary);
    // Converts every file of the batch to its temporary file (on the
    // threads), up to one that stops the walk, and syncs them together.
    void prepareBatch(Batch& batch, bool toBinary);
    // Puts the files in place and prints them in the walk's order; returns
    // how many were done before one that must be converted again.
    std::size_t commitBatch(Batch& batch, bool together);
    void commitJob(Batch& batch, Job& job, std::vector<cFile::Identity>& replaced);
    // Undoes the rest of the batch and ends the walk with the job's error.
    [[noreturn]] void stopWalk(Batch& batch, Job& job);
    void finishFile(const FoundFile& file);
    void passBy(const cFileException& refusal);

    std::FILE* out_;
    std::FILE* err_;
    unsigned jobs_;
    cWorkPool* convertPool_ = nullptr;
    cWorkPool* syncPool_ = nullptr;
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
