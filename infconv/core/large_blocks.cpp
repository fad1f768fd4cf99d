#include "large_blocks.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#include "os.h"

namespace {

// A block under a huge page is one whole huge page. Larger ones end in
// whole small pages: a last huge page only partly used is made of small
// pages (the system gives a huge page only where the mapping covers it
// whole), so the end never costs more memory than its size.
std::size_t mappedSize(std::size_t bytes) {
    if (bytes < kHugePage) return kHugePage;
    constexpr std::size_t kPage = 4096;
    return (bytes + kPage - 1) & ~(kPage - 1);
}

}  // namespace

void* allocateLargeBlock(std::size_t bytes) {
    if (bytes < kLargeBlockFrom) {
        void* block = std::malloc(bytes == 0 ? 1 : bytes);
        if (!block) throw std::bad_alloc();
        return block;
    }
    if (bytes > SIZE_MAX / 2) throw std::bad_alloc();
    void* block = os::allocatePages(mappedSize(bytes), kHugePage);
    if (!block) throw std::bad_alloc();
    return block;
}

std::size_t largeBlockSpare(std::size_t bytes) {
    if (bytes < kLargeBlockFrom || bytes >= kHugePage) return 0;
    return mappedSize(bytes) - bytes;
}

void freeLargeBlock(void* block, std::size_t bytes) {
    if (!block) return;
    if (bytes < kLargeBlockFrom) {
        std::free(block);
        return;
    }
    os::freePages(block, mappedSize(bytes));
}
