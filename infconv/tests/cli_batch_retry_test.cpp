#include "cli_batch_retry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const cFile::Identity kA{1, 10}, kB{1, 11}, kC{2, 10};

TEST(BatchRetry, ConvertsAgainOnlyWhatAnEarlierFileOfTheBatchCouldHaveChanged) {
    struct Row {
        std::string why;
        BatchJobFacts job;
        std::vector<cFile::Identity> replaced, heldByOthers;
        bool together;
        bool again;
    };
    const std::vector<cFile::Identity> includesB{kB}, includesBC{kC, kB};
    const std::vector<Row> rows = {
        {"written, nothing before it", {false, false, kA, {}}, {}, {}, true, false},
        {"includes a file put in place before it",
         {false, false, kA, includesB},
         {kB},
         {},
         true,
         true},
        {"includes one of several, the second replaced",
         {false, false, kA, includesBC},
         {kB},
         {},
         false,
         true},
        {"includes files none of which was replaced",
         {false, false, kA, includesBC},
         {kA},
         {},
         true,
         false},
        {"same device, other inode: another file",
         {false, false, kA, includesB},
         {kC, kA},
         {},
         true,
         false},
        {"busy: an earlier file of the batch is the same file",
         {true, false, kA, {}},
         {kA},
         {},
         true,
         true},
        {"busy: another job of the batch holds it",
         {true, false, kA, {}},
         {},
         {kB, kA},
         true,
         true},
        {"busy: another process holds it", {true, false, kA, {}}, {kB}, {kB}, true, false},
        {"busy without knowing the file",
         {true, false, {}, {}},
         {cFile::Identity{}},
         {cFile::Identity{}},
         true,
         false},
        {"written file held by others is no reason", {false, false, kA, {}}, {}, {kA}, true, false},
        {"out of memory beside others", {false, true, kA, {}}, {}, {}, true, true},
        {"out of memory alone: reported", {false, true, kA, {}}, {}, {}, false, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(mustConvertAgain(row.job, row.replaced, row.heldByOthers, row.together),
                  row.again)
            << row.why;
    }
}

}  // namespace
