// Memory for large blocks (a file's bytes, a tree's arena), in huge pages
// where the system gives them on request.
//
// Touching fresh memory costs a page fault per 4 KB page, and on a virtual
// machine a fault costs microseconds: for a 20 MB file the faults took more
// time than parsing it. A block in huge pages faults once per 2 MB.
#pragma once

#include <cstddef>

// At least `bytes` of memory, uninitialised; throws std::bad_alloc. From
// kLargeBlockFrom on the block is aligned to a huge page; smaller ones come
// from the heap. A block under kHugePage takes a whole huge page: up to four
// times its size in memory, but one fault instead of up to 512 (at 2 MB of
// text the faults on a 700 KB binary file's bytes were a sixth of the whole
// conversion to text).
void* allocateLargeBlock(std::size_t bytes);
// Bytes behind the end of a block of `bytes` that lie in its huge page, so
// that using them costs no page fault: the rest of the one huge page of a
// block under kHugePage, else none.
std::size_t largeBlockSpare(std::size_t bytes);
// Gives back a block of allocateLargeBlock, with the size it was asked for.
void freeLargeBlock(void* block, std::size_t bytes);

// The huge page size blocks are aligned to.
inline constexpr std::size_t kHugePage = std::size_t{2} << 20;
inline constexpr std::size_t kLargeBlockFrom = kHugePage / 4;
