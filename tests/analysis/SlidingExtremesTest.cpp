#include "analysis/SlidingExtremes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <random>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The scan the sweep replaces, comparison for comparison.
template <typename Counts>
WindowExtremes Scanned(const Series& x, int n, int count, Counts counts)
{
    WindowExtremes out{};
    for (int i = 0; i < count; ++i) {
        double lowest = x[i];
        double highest = x[i];
        for (int j = i; j < i + n; ++j) {
            if (x[j] < lowest && counts(x[j]))
                lowest = x[j];
            highest = std::max(highest, x[j]);
        }
        out.lowest[i] = lowest;
        out.highest[i] = highest;
    }
    return out;
}

// Few distinct values, so windows are full of ties, signed zeros, infinities
// and NaNs; a second NaN with other bits tells which NaN a window kept.
Series Adversarial(std::mt19937& random)
{
    const double otherNaN = std::bit_cast<double>(std::bit_cast<std::uint64_t>(kNaN) | 1);
    const double palette[] = {-0.0, 0.0, 1.0, -1.0, 2.0, 2.0, kInf, -kInf, kNaN, -otherNaN};
    std::uniform_int_distribution<int> pick(0, std::size(palette) - 1);
    Series x;
    for (double& value : x)
        value = palette[pick(random)];
    return x;
}

template <typename Counts>
void ExpectSameBitsAsTheScan(const Series& x, int n, int count, Counts counts)
{
    WindowExtremes swept;
    SlidingExtremes(x, n, count, counts, swept);
    const WindowExtremes scanned = Scanned(x, n, count, counts);
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(std::bit_cast<std::uint64_t>(swept.lowest[i]), std::bit_cast<std::uint64_t>(scanned.lowest[i]))
            << "lowest, window " << n << " at " << i;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(swept.highest[i]), std::bit_cast<std::uint64_t>(scanned.highest[i]))
            << "highest, window " << n << " at " << i;
    }
}

}  // namespace

// Windows of every length the indicators use and around them, over every
// count up to a full store: where a window starts or ends a block, and where
// the last block is cut short.
TEST(SlidingExtremes, KeepTheScansBitsForTiesSignedZerosInfinitiesAndNaN)
{
    std::mt19937 random(17);
    for (int round = 0; round < 40; ++round) {
        const Series x = Adversarial(random);
        for (const int n : {2, 3, 4, 5, 9, 10, 11}) {
            SCOPED_TRACE(n);
            for (const int count : {1, 2, n - 1, n, n + 1, 2 * n, 2 * n + 1, 37, kMaxBars - n + 1}) {
                SCOPED_TRACE(count);
                ExpectSameBitsAsTheScan(x, n, count, [](double) { return true; });
                // The volume rule: a zero after the first day never becomes the lowest.
                ExpectSameBitsAsTheScan(x, n, count, [](double v) { return v != 0; });
            }
        }
    }
}
