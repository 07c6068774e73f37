#include "analysis/Averages.h"

#include "analysis/SeriesMath.h"
#include "analysis/WindowSums.h"

void AveragePositive(const QuoteSeries& store, int n, Series& out)
{
    const int c = store.BarsLoaded();
    // A close of 0 or less adds +0.0 instead of being skipped: a sum that
    // starts at +0.0 and only grows is never -0.0, so adding +0.0 leaves it
    // bit for bit as it was, and the windows need no branch.
    Series positive{};
    std::array<int, kMaxBars + 1> positiveBefore{};  // closes above 0 among bars 0 to i - 1
    for (int j = 0; j < c; ++j) {
        const bool counted = store.close[j] > 0;
        positive[j] = counted ? store.close[j] : 0.0;
        positiveBefore[j + 1] = positiveBefore[j] + (counted ? 1 : 0);
    }
    ForEachWindowSum(positive.data(), n, c - n + 1, [&](int i, double sum) {
        out[i] = Ratio(sum, positiveBefore[i + n] - positiveBefore[i]);
    });
}

void AveragePlain(const QuoteSeries& store, int n, Series& out)
{
    ForEachWindowSum(store.volume.data(), n, store.BarsLoaded() - n + 1,
                     [&](int i, double sum) { out[i] = sum / n; });
}
