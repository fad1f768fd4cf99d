// The walk's rule for converting a file of a batch again: files of a batch
// are converted at once and put in place one after the other, so a file
// that read what an earlier one of its batch replaced must be converted
// again after it to give what converting them one by one gives.
#pragma once

#include <span>

#include "cfile.h"

// What the walk knows of one file of a batch when its turn comes.
struct BatchJobFacts {
    bool busy = false;         // its lock was held (by another process or another job)
    bool outOfMemory = false;  // refused for lack of memory
    cFile::Identity file;      // the file it locked or found locked; {} when it got none
    std::span<const cFile::Identity> includes;  // the files its #include lines read
};

// `replaced`: the files put in place so far in the batch; `heldByOthers`:
// the files other jobs of the batch still hold locked; `together`: the batch
// was converted on more than one thread. True when the file must be
// converted again after those before it: it included a file put in place
// since; it was busy because an earlier file of its batch is the same file;
// or it ran out of memory beside others.
bool mustConvertAgain(const BatchJobFacts& job, std::span<const cFile::Identity> replaced,
                      std::span<const cFile::Identity> heldByOthers, bool together);
