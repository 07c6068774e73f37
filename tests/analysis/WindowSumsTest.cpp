#include "analysis/WindowSums.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace {

// Values whose sums round differently in every order of addition.
std::vector<double> Jagged(int count)
{
    std::vector<double> values;
    for (int j = 0; j < count; ++j)
        values.push_back((j % 7 == 3 ? 1e16 : 0.1) * (1 + j % 5) / 3.0 * (j % 2 ? -1 : 1));
    return values;
}

double PlainSum(const std::vector<double>& values, int i, int n)
{
    double sum = 0;
    for (int j = i; j < i + n; ++j)
        sum += values[j];
    return sum;
}

}  // namespace

// Each length gets one call per start, with the bits of a plain loop's sum:
// in whole blocks, in the block that ends at the last start, and for fewer
// starts than a block holds.
TEST(NestedWindowSums, EveryStartOfEveryLengthGetsThePlainSumOnce)
{
    const std::array lengths{1, 9, 18, 30, 200};
    for (const int bars : {0, 1, 9, 15, 16, 17, 31, 32, 33, 47, 200, 201, 216, 217, 400}) {
        SCOPED_TRACE(bars);
        // Exactly as many values as the longest window of each count reads.
        std::array<int, 5> counts{};
        for (std::size_t k = 0; k < lengths.size(); ++k)
            counts[k] = bars - lengths[k] + 1;
        const std::vector<double> values = Jagged(std::max(bars, 1));
        std::map<std::pair<int, int>, std::uint64_t> got;
        ForEachNestedWindowSum(values.data(), lengths, counts, [&](int k, int i, double sum) {
            EXPECT_TRUE(got.emplace(std::pair{k, i}, std::bit_cast<std::uint64_t>(sum)).second) << k << " " << i;
        });
        int expected = 0;
        for (std::size_t k = 0; k < lengths.size(); ++k)
            for (int i = 0; i < counts[k]; ++i, ++expected) {
                const std::pair key{static_cast<int>(k), i};
                ASSERT_EQ(got[key], std::bit_cast<std::uint64_t>(PlainSum(values, i, lengths[k])))
                    << "length " << lengths[k] << " start " << i;
            }
        EXPECT_EQ(static_cast<int>(got.size()), expected);
    }
}

// Counts below what the lengths allow end each length early.
TEST(NestedWindowSums, ShorterCountsEndEachLengthEarly)
{
    const std::vector<double> values = Jagged(100);
    std::map<int, int> calls;  // per length index
    ForEachNestedWindowSum(values.data(), std::array{15, 30}, std::array{40, 40},
                           [&](int k, int i, double sum) {
                               ++calls[k];
                               EXPECT_EQ(std::bit_cast<std::uint64_t>(sum),
                                         std::bit_cast<std::uint64_t>(PlainSum(values, i, k == 0 ? 15 : 30)));
                           });
    EXPECT_EQ(calls[0], 40);
    EXPECT_EQ(calls[1], 40);
}
