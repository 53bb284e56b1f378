#include "toolkit/memory.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(MemoryAllocate, GivesUsableBlockAndFreeClearsPointer)
{
    uint8_t* block = nullptr;
    ASSERT_TRUE(Allocate(&block, 64));
    ASSERT_NE(block, nullptr);
    Fill(block, 64, 0x5A);
    EXPECT_EQ(block[0], 0x5A);
    EXPECT_EQ(block[63], 0x5A);
    Free(&block);
    EXPECT_EQ(block, nullptr);
    void* raw = nullptr;
    ASSERT_TRUE(AllocateBlock(&raw, 0));
    EXPECT_NE(raw, nullptr);
    FreeBlock(&raw);
    EXPECT_EQ(raw, nullptr);
}

TEST(MemoryMove, CopiesAndHandlesOverlap)
{
    const uint8_t src[5] = {1, 2, 3, 4, 5};
    uint8_t dst[6] = {9, 9, 9, 9, 9, 9};
    Move(src, dst, 5);
    const uint8_t copied[6] = {1, 2, 3, 4, 5, 9};
    EXPECT_EQ(std::memcmp(dst, copied, 6), 0);
    uint8_t forward[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    Move(forward, forward + 2, 5);
    const uint8_t forwardWant[8] = {1, 2, 1, 2, 3, 4, 5, 8};
    EXPECT_EQ(std::memcmp(forward, forwardWant, 8), 0);
    uint8_t backward[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    Move(backward + 3, backward, 5);
    const uint8_t backwardWant[8] = {4, 5, 6, 7, 8, 6, 7, 8};
    EXPECT_EQ(std::memcmp(backward, backwardWant, 8), 0);
    Move(src, dst, 0);
    EXPECT_EQ(std::memcmp(dst, copied, 6), 0);
}

TEST(MemoryFill, FillsExactlyCount)
{
    uint8_t bytes[6] = {1, 1, 1, 1, 1, 1};
    Fill(bytes + 1, 4, 0xFF);
    const uint8_t want[6] = {1, 0xFF, 0xFF, 0xFF, 0xFF, 1};
    EXPECT_EQ(std::memcmp(bytes, want, 6), 0);
    Fill(bytes, 0, 0);
    EXPECT_EQ(std::memcmp(bytes, want, 6), 0);
}

TEST(MemoryCompare, CountsEqualLeadingBytes)
{
    const uint8_t a[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    uint8_t b[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(Compare(a, b, 8), 8u);
    b[7] = 0;
    EXPECT_EQ(Compare(a, b, 8), 7u);
    EXPECT_EQ(Compare(a, b, 7), 7u);
    b[3] = 0;
    EXPECT_EQ(Compare(a, b, 8), 3u);
    b[0] = 0;
    EXPECT_EQ(Compare(a, b, 8), 0u);
    EXPECT_EQ(Compare(a, b, 0), 0u);
}
