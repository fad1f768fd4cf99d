#include "large_blocks.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

// Whole small pages: a last huge page only partly used is made of small
// pages (the system gives a huge page only where the mapping covers it
// whole), so a block never costs more memory than its size.
std::size_t mappedSize(std::size_t bytes) {
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
    const std::size_t size = mappedSize(bytes);
    // Mapped with a huge page to spare, then trimmed to an aligned block.
    void* mapped = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    const auto base = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (base + kHugePage - 1) & ~(std::uintptr_t{kHugePage} - 1);
    if (aligned > base) ::munmap(mapped, aligned - base);
    const std::uintptr_t end = base + size + kHugePage;
    if (end > aligned + size)
        ::munmap(reinterpret_cast<void*>(aligned + size), end - aligned - size);
    // Only a hint: without huge pages the block works the same, faulting more.
    ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

void freeLargeBlock(void* block, std::size_t bytes) {
    if (!block) return;
    if (bytes < kLargeBlockFrom) {
        std::free(block);
        return;
    }
    ::munmap(block, mappedSize(bytes));
}
