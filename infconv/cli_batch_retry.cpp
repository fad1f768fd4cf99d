#include "cli_batch_retry.h"

#include <algorithm>

namespace {

bool contains(std::span<const cFile::Identity> list, const cFile::Identity& identity) {
    return std::find(list.begin(), list.end(), identity) != list.end();
}

}  // namespace

bool mustConvertAgain(const BatchJobFacts& job, std::span<const cFile::Identity> replaced,
                      std::span<const cFile::Identity> heldByOthers, bool together) {
    for (const cFile::Identity& included : job.includes)
        if (contains(replaced, included)) return true;
    if (job.busy && job.file != cFile::Identity{} &&
        (contains(replaced, job.file) || contains(heldByOthers, job.file)))
        return true;
    return job.outOfMemory && together;
}
