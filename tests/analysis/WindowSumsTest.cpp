#include "analysis/WindowSums.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
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

// Sums outside every window, to show what was left unwritten.
constexpr double kUnwritten = -12345.0;

}  // namespace

// Each length gets the bits of a plain loop's sum at every start, in whole
// blocks, in the block that ends at the last start, and for fewer starts than
// a block holds; nothing at or past its count.
TEST(NestedWindowSums, EveryStartOfEveryLengthGetsThePlainSum)
{
    const std::array lengths{1, 9, 18, 30, 200};
    for (const int bars : {0, 1, 9, 15, 16, 17, 31, 32, 33, 47, 200, 201, 216, 217, 400}) {
        SCOPED_TRACE(bars);
        // Exactly as many values as the longest window of each count reads.
        std::array<int, 5> counts{};
        for (std::size_t k = 0; k < lengths.size(); ++k)
            counts[k] = bars - lengths[k] + 1;
        const std::vector<double> values = Jagged(std::max(bars, 1));
        std::array<std::vector<double>, 5> sums;
        std::array<double*, 5> outs{};
        for (std::size_t k = 0; k < lengths.size(); ++k) {
            sums[k].assign(bars + 1, kUnwritten);
            outs[k] = sums[k].data();
        }
        NestedWindowSums(values.data(), lengths, counts, outs);
        for (std::size_t k = 0; k < lengths.size(); ++k)
            for (int i = 0; i <= bars; ++i) {
                const double expected = i < counts[k] ? PlainSum(values, i, lengths[k]) : kUnwritten;
                ASSERT_EQ(std::bit_cast<std::uint64_t>(sums[k][i]), std::bit_cast<std::uint64_t>(expected))
                    << "length " << lengths[k] << " start " << i;
            }
    }
}

// Counts below what the lengths allow end each length early.
TEST(NestedWindowSums, ShorterCountsEndEachLengthEarly)
{
    const std::vector<double> values = Jagged(100);
    std::vector<double> sums15(100, kUnwritten);
    std::vector<double> sums30(100, kUnwritten);
    NestedWindowSums(values.data(), std::array{15, 30}, std::array{40, 40}, std::array{sums15.data(), sums30.data()});
    for (int i = 0; i < 100; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(sums15[i]),
                  std::bit_cast<std::uint64_t>(i < 40 ? PlainSum(values, i, 15) : kUnwritten));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(sums30[i]),
                  std::bit_cast<std::uint64_t>(i < 40 ? PlainSum(values, i, 30) : kUnwritten));
    }
}
