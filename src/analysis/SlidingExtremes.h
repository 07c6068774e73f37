#pragma once

#include "quotes/QuoteSeries.h"

#include <algorithm>
#include <limits>

// The lowest and highest value of each n-bar window by a van Herk/Gil-Werman
// sweep, about three comparisons a bar however long the window, with the bits
// of the plain scan
//
//     lowest = highest = x[i];
//     for (j = i; j < i + n; ++j) {
//         if (x[j] < lowest && counts(x[j])) lowest = x[j];
//         highest = std::max(highest, x[j]);
//     }
//
// A value replaces the extreme only when strictly beyond it, so among equal
// values (-0.0 and +0.0 included) the one nearest bar i wins, and a NaN never
// wins but stays when it is x[i] itself. The windows after the first value
// are split at multiples of n - 1: each is the tail of one block and the head
// of the next, both kept nearest-first. A value that cannot win becomes an
// infinity pointing away, which changes nothing: it loses to x[i] and equals
// it at most.
namespace sliding_extremes {

// The lower (kHighest: higher) of `newer` and `behind`, a value further from
// bar 0; equal values keep `newer`.
template <bool kHighest>
double Nearer(double newer, double behind)
{
    if constexpr (kHighest)
        return newer < behind ? behind : newer;
    else
        return behind < newer ? behind : newer;
}

// For i = 0 to count - 1: extremes[i] = the extreme of x[i + 1] to x[i + m]
// whose values pass `counts` (another value is `none`), the one nearest i
// among equals; `none` when none passes.
template <bool kHighest, typename Counts>
void ExtremeAfterFirst(const double* x, int m, int count, double none, Counts counts, double* extremes)
{
    if (count < 1)
        return;
    const auto value = [&](int j) { return counts(x[j]) ? x[j] : none; };
    const int last = count + m - 1;  // the last value read, x[last]
    Series head;  // from the start of its block to j
    Series tail;  // from j to the end of its block
    for (int start = 1; start <= last; start += m) {
        const int end = std::min(start + m - 1, last);
        head[start] = value(start);
        for (int j = start + 1; j <= end; ++j)
            head[j] = Nearer<kHighest>(head[j - 1], value(j));
        tail[end] = value(end);
        for (int j = end - 1; j >= start; --j)
            tail[j] = Nearer<kHighest>(value(j), tail[j + 1]);
    }
    // A window starting a block is that block, which its tail and head both
    // hold as the same value.
    for (int i = 0; i < count; ++i)
        extremes[i] = Nearer<kHighest>(tail[i + 1], head[i + m]);
}

}  // namespace sliding_extremes

struct WindowExtremes {
    Series lowest;
    Series highest;
};

// The scan above for windows of n >= 2 bars starting at i = 0 to count - 1;
// counts(v) says whether a value after the first may become the lowest (a NaN
// never does).
template <typename Counts>
void SlidingExtremes(const Series& x, int n, int count, Counts counts, WindowExtremes& out)
{
    using namespace sliding_extremes;
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    ExtremeAfterFirst<false>(x.data(), n - 1, count, kInfinity,
                             [&](double v) { return v == v && counts(v); }, out.lowest.data());
    ExtremeAfterFirst<true>(x.data(), n - 1, count, -kInfinity, [](double v) { return v == v; }, out.highest.data());
    for (int i = 0; i < count; ++i) {
        out.lowest[i] = std::min(x[i], out.lowest[i]);
        out.highest[i] = std::max(x[i], out.highest[i]);
    }
}

// The same where every value may become the lowest.
inline void SlidingExtremes(const Series& x, int n, int count, WindowExtremes& out)
{
    SlidingExtremes(x, n, count, [](double) { return true; }, out);
}
