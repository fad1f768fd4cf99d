#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "large_blocks.h"

namespace {

// Sizes on both sides of the heap limit, of a whole huge page and of a
// partial last page: every byte asked for must be there, and a block of
// pages must start at a huge page boundary.
TEST(LargeBlocksTest, EveryByteAskedForIsThere) {
    const std::size_t sizes[] = {
        1,         kLargeBlockFrom - 1, kLargeBlockFrom,  kHugePage - 1,
        kHugePage, kHugePage + 1,       kHugePage + 4097, 2 * kHugePage + 12345};
    for (std::size_t size : sizes) {
        SCOPED_TRACE(size);
        auto* block = static_cast<unsigned char*>(allocateLargeBlock(size));
        ASSERT_NE(block, nullptr);
        if (size >= kLargeBlockFrom) {
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % kHugePage, 0u);
        }
        for (std::size_t i = 0; i < size; i += 4093) block[i] = static_cast<unsigned char>(i);
        block[size - 1] = 0xA5;
        std::size_t wrong = 0;
        for (std::size_t i = 0; i + 1 < size; i += 4093)
            wrong += block[i] != static_cast<unsigned char>(i);
        EXPECT_EQ(wrong, 0u);
        EXPECT_EQ(block[size - 1], 0xA5);
        freeLargeBlock(block, size);
    }
}

}  // namespace
