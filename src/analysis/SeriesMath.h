#pragma once

#include "quotes/QuoteSeries.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>

// While a module runs, an entry whose formula divides by zero (a flat window,
// a zero close, a zero range) holds NaN: every comparison with NaN is false,
// so no signal rule can take such an entry for a crossing. Before the module
// returns, those entries become 0, the "no value" every reader skips.
inline constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

inline double Ratio(double numerator, double denominator)
{
    return denominator != 0 ? numerator / denominator : kUndefined;
}

inline void StoreUndefinedAsZero(std::initializer_list<Series*> all)
{
    // NaN fails the comparison too. A select rather than a branch: compilers
    // turn the loop into vector code.
    for (Series* series : all)
        for (double& value : *series)
            value = std::abs(value) <= std::numeric_limits<double>::max() ? value : 0.0;
}

// Sets entries `from` to the oldest to 0, all of them when `from` is below 0:
// a module clears what its run does not write, and is left from an earlier
// run over more bars, instead of zeroing every entry before writing most.
inline void ClearFrom(Series& series, int from)
{
    std::fill(series.begin() + std::clamp(from, 0, kMaxBars), series.end(), 0.0);
}

// How many scan indexes a signal rule looks at: `offset` fewer than the bars,
// at most `cap` (30 for most rules).
inline int ScanLength(int barCount, int offset, int cap)
{
    return std::min(barCount - offset, cap);
}
