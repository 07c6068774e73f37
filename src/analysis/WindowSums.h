#pragma once

#include <cstring>

// Calls finish(i, sum) for each window start i from 0 to count - 1, where sum
// is values[i] + values[i + 1] + ... + values[i + n - 1], added one by one
// from 0 in that order: bit for bit the sum of a plain loop over the window.
// Reads values[0] to values[count + n - 2]; calls nothing when count < 1.
//
// Eight windows are summed side by side, two to a register. Each stays its
// own chain of additions in its own order, so no rounding changes, but the
// processor overlaps the chains instead of waiting on one addition at a time.
template <typename Finish>
void ForEachWindowSum(const double* values, int n, int count, Finish&& finish)
{
    // Two sums added lane by lane, each lane one IEEE addition as in scalar
    // code (a GCC and Clang vector: SSE2 on x86-64). Named variables, not an
    // array: compilers keep them in registers.
    using Pair = double __attribute__((vector_size(16)));
    const auto pairAt = [](const double* v) {
        Pair pair;
        std::memcpy(&pair, v, sizeof pair);
        return pair;
    };
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        Pair s01{}, s23{}, s45{}, s67{};
        for (const double* v = values + i; v < values + i + n; ++v) {
            s01 += pairAt(v);
            s23 += pairAt(v + 2);
            s45 += pairAt(v + 4);
            s67 += pairAt(v + 6);
        }
        for (int k = 0; k < 2; ++k) {
            finish(i + k, s01[k]);
            finish(i + 2 + k, s23[k]);
            finish(i + 4 + k, s45[k]);
            finish(i + 6 + k, s67[k]);
        }
    }
    for (; i < count; ++i) {
        double sum = 0;
        for (int j = i; j < i + n; ++j)
            sum += values[j];
        finish(i, sum);
    }
}
