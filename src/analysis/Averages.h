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
    std::array<int, kMaxBars + 1> positiveBefore;  // closes above 0 among bars 0 to i - 1
    positiveBefore[0] = 0;
    for (int j = 0; j < c; ++j) {
        const bool counted = store.close[j] > 0;
        positive[j] = counted ? store.close[j] : 0.0;
        positiveBefore[j + 1] = positiveBefore[j] + (counted ? 1 : 0);
    }
    std::array<int, K> counts;
    for (std::size_t k = 0; k < K; ++k)
        counts[k] = c - lengths[k] + 1;
    ForEachNestedWindowSum(positive.data(), lengths, counts, [&](int k, int i, double sum) {
        (*outs[k])[i] = Ratio(sum, positiveBefore[i + lengths[k]] - positiveBefore[i]);
    });
}

// For each window length n = lengths[k] (rising) and i = 0 to barCount - n:
// (*outs[k])[i] = the sum of the n volumes of the window at i divided by n.
// Writes nothing for a length above barCount.
template <std::size_t K>
void AveragePlain(const QuoteSeries& store, const std::array<int, K>& lengths, const std::array<Series*, K>& outs)
{
    std::array<int, K> counts;
    for (std::size_t k = 0; k < K; ++k)
        counts[k] = store.BarsLoaded() - lengths[k] + 1;
    ForEachNestedWindowSum(store.volume.data(), lengths, counts,
                           [&](int k, int i, double sum) { (*outs[k])[i] = sum / lengths[k]; });
}
