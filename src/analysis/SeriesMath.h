#pragma once

#include "quotes/QuoteSeries.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <type_traits>

// While a module runs, an entry whose formula divides by zero (a flat window,
// a zero close, a zero range) holds NaN: every comparison with NaN is false,
// so no signal rule can take such an entry for a crossing. Before the module
// returns, those entries become 0, the "no value" every reader skips.
inline constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

inline double Ratio(double numerator, double denominator)
{
    // Divides first and then picks, so loops of ratios become vector code:
    // the quotient of a zero denominator is dropped, and with floating-point
    // traps masked computing it has no effect.
    const double quotient = numerator / denominator;
    return denominator != 0 ? quotient : kUndefined;
}

// Two doubles side by side, a GCC and Clang vector (SSE2 on x86-64): each
// lane's operation is the IEEE operation of scalar code, so a loop over pairs
// gives the bits of a loop over single values, with half the divisions.
using Pair = double __attribute__((vector_size(16)));

inline Pair Ratio(Pair numerator, Pair denominator)
{
    const Pair quotient = numerator / denominator;
    return denominator != 0 ? quotient : Pair{kUndefined, kUndefined};
}

// Both values with the sign bit cleared, as std::abs does.
inline Pair Abs(Pair value)
{
    using Bits = long long __attribute__((vector_size(16)));
    constexpr long long kAllButSign = std::numeric_limits<long long>::max();
    return reinterpret_cast<Pair>(reinterpret_cast<Bits>(value) & Bits{kAllButSign, kAllButSign});
}

inline double Abs(double value)
{
    return std::abs(value);
}

// Both roots correctly rounded, as std::sqrt gives them.
inline Pair SquareRoot(Pair value)
{
    return _mm_sqrt_pd(value);
}

inline double SquareRoot(double value)
{
    return std::sqrt(value);
}

// `value` as a T, a double or a Pair holding it twice.
template <typename T>
T Both(double value)
{
    if constexpr (std::is_same_v<T, Pair>)
        return Pair{value, value};
    else
        return value;
}

// out[i] = op(in[i]...) for i = 0 to count - 1, two entries at a time and
// the last alone: op takes and returns doubles or Pairs alike. out may be one
// of the inputs.
template <typename Op, typename... In>
void MapPairs(double* out, int count, Op op, const In*... in)
{
    const auto at = [](const double* values) {
        Pair pair;
        std::memcpy(&pair, values, sizeof pair);
        return pair;
    };
    int i = 0;
    for (; i + 1 < count; i += 2) {
        const Pair result = op(at(in + i)...);
        std::memcpy(out + i, &result, sizeof result);
    }
    if (i < count)
        out[i] = op(in[i]...);
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
