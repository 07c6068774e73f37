#pragma once

#include "analysis/SeriesMath.h"
#include "analysis/WindowSums.h"
#include "quotes/QuoteSeries.h"

#include <array>
#include <cstddef>

// For each window length n = lengths[k] (rising) and i = 0 to barCount - n:
// (*outs[k])[i] = the mean of the closes above 0 in the n-bar window at i
// (bars i to i + n - 1). Closes of 0 or less are left out of both sum and
// divisor, so a gap does not drag the average down; a window with no close
// above 0 gives NaN. Writes nothing for a length above barCount.
template <std::size_t K>
void AveragePositive(const QuoteSeries& store, const std::array<int, K>& lengths, const std::array<Series*, K>& outs)
{
    const int c = store.BarsLoaded();
    // A close of 0 or less adds +0.0 instead of being skipped: a sum that
    // starts at +0.0 and only grows is never -0.0, so adding +0.0 leaves it
    // bit for bit as it was, and the windows need no branch.
    Series positive;
    // Closes above 0 among bars 0 to i - 1; whole numbers, so their
    // differences are exact as doubles too.
    std::array<double, kMaxBars + 1> positiveBefore;
    positiveBefore[0] = 0;
    for (int j = 0; j < c; ++j) {
        const bool counted = store.close[j] > 0;
        positive[j] = counted ? store.close[j] : 0.0;
        positiveBefore[j + 1] = positiveBefore[j] + (counted ? 1 : 0);
    }
    std::array<int, K> counts;
    std::array<double*, K> sums;
    for (std::size_t k = 0; k < K; ++k) {
        counts[k] = c - lengths[k] + 1;
        sums[k] = outs[k]->data();
    }
    NestedWindowSums(positive.data(), lengths, counts, sums);
    for (std::size_t k = 0; k < K; ++k)
        MapPairs(sums[k], counts[k], [](auto sum, auto newer, auto older) { return Ratio(sum, older - newer); },
                 sums[k], positiveBefore.data(), positiveBefore.data() + lengths[k]);
}

// For each window length n = lengths[k] (rising) and i = 0 to barCount - n:
// (*outs[k])[i] = the sum of the n volumes of the window at i divided by n.
// Writes nothing for a length above barCount.
template <std::size_t K>
void AveragePlain(const QuoteSeries& store, const std::array<int, K>& lengths, const std::array<Series*, K>& outs)
{
    std::array<int, K> counts;
    std::array<double*, K> sums;
    for (std::size_t k = 0; k < K; ++k) {
        counts[k] = store.BarsLoaded() - lengths[k] + 1;
        sums[k] = outs[k]->data();
    }
    NestedWindowSums(store.volume.data(), lengths, counts, sums);
    for (std::size_t k = 0; k < K; ++k)
        for (int i = 0; i < counts[k]; ++i)
            sums[k][i] = sums[k][i] / lengths[k];
}
