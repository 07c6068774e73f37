#include "base/ZeroedAllocator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

TEST(ZeroedAllocator, BuffersMadeAfterOthersWereFilledAndFreedStillReadAsZeros)
{
    // Memory handed back full of bytes and taken again, small and large.
    for (const std::size_t size : {std::size_t{64}, std::size_t{4096}, std::size_t{150000}}) {
        for (int round = 0; round < 4; ++round) {
            std::vector<char, ZeroedAllocator<char>> used(size);
            std::fill(used.begin(), used.end(), '#');
        }
        const std::vector<char, ZeroedAllocator<char>> fresh(size);
        EXPECT_TRUE(std::all_of(fresh.begin(), fresh.end(), [](char c) { return c == '\0'; })) << size;
        EXPECT_EQ(std::vector<char>(fresh.begin(), fresh.end()), std::vector<char>(size, '\0'));
    }
}

TEST(ZeroedAllocator, ElementsMadeWithAValueOrAConstructorGetIt)
{
    const std::vector<char, ZeroedAllocator<char>> filled(100, 'x');
    EXPECT_EQ(std::string(filled.begin(), filled.end()), std::string(100, 'x'));
    const std::vector<std::string, ZeroedAllocator<std::string>> texts(3, "abc");
    EXPECT_EQ(texts.back(), "abc");
}
