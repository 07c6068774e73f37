#pragma once

#include "analysis/SeriesMath.h"

#include <array>
#include <cstddef>
#include <cstring>

// Sets sums[k][i], for each length k and each window start i from 0 to
// counts[k] - 1, to values[i] + values[i + 1] + ... + values[i + lengths[k] -
// 1], added one by one from 0 in that order: bit for bit the sum of a plain
// loop over the window. lengths must rise and counts must not; reads
// values[0] to values[counts[k] + lengths[k] - 2]. A length whose count is
// below 1 gets nothing written.
//
// A shorter window's sum is the longer one's sum after its first lengths[k]
// additions, so one chain of additions per start serves every length.
// Sixteen starts are summed side by side, two to a register: each stays its
// own chain in its own order, so no rounding changes, but the processor
// overlaps the chains instead of waiting on one addition at a time. The sums
// go straight to the arrays; whatever a caller makes of them runs afterwards
// in loops the compiler turns into vector code.
template <std::size_t K>
void NestedWindowSums(const double* values, const std::array<int, K>& lengths, const std::array<int, K>& counts,
                      const std::array<double*, K>& sums)
{
    // Pairs of sums added lane by lane, each lane one IEEE addition as in
    // scalar code. Named members, not an array: compilers keep them in
    // registers.
    constexpr int kLanes = 16;
    struct Lanes {
        Pair s0{}, s1{}, s2{}, s3{}, s4{}, s5{}, s6{}, s7{};

        static Pair At(const double* v)
        {
            Pair pair;
            std::memcpy(&pair, v, sizeof pair);
            return pair;
        }
        void Add(const double* v)
        {
            // Hides that this step's v + 2 is the next step's v: seeing it,
            // an optimiser keeps loads for later steps in registers and
            // pushes the sums out to memory instead.
            asm("" : "+r"(v));
            s0 += At(v);
            s1 += At(v + 2);
            s2 += At(v + 4);
            s3 += At(v + 6);
            s4 += At(v + 8);
            s5 += At(v + 10);
            s6 += At(v + 12);
            s7 += At(v + 14);
        }
        // The sixteen sums of the starts from `out` on.
        void Store(double* out) const
        {
            const Pair all[] = {s0, s1, s2, s3, s4, s5, s6, s7};
            std::memcpy(out, all, sizeof all);
        }
    };

    // Starts below blockEnd[k] go in whole blocks that share their chains.
    std::array<int, K> blockEnd{};
    for (std::size_t k = 0; k < K; ++k)
        blockEnd[k] = counts[k] >= kLanes ? counts[k] / kLanes * kLanes : 0;
    for (int i = 0; i < blockEnd[0]; i += kLanes) {
        Lanes lanes;
        int added = 0;
        for (std::size_t k = 0; k < K && i < blockEnd[k]; ++k) {
            for (; added < lengths[k]; ++added)
                lanes.Add(values + i + added);
            lanes.Store(sums[k] + i);
        }
    }
    // The rest: one block ending at the last start, which sums some starts
    // again to the same bits; too few starts for a block are summed one at a
    // time.
    for (std::size_t k = 0; k < K; ++k) {
        if (blockEnd[k] >= counts[k])
            continue;
        if (counts[k] >= kLanes) {
            const int base = counts[k] - kLanes;
            Lanes lanes;
            for (int j = 0; j < lengths[k]; ++j)
                lanes.Add(values + base + j);
            lanes.Store(sums[k] + base);
            continue;
        }
        for (int i = 0; i < counts[k]; ++i) {
            double sum = 0;
            for (int j = i; j < i + lengths[k]; ++j)
                sum += values[j];
            sums[k][i] = sum;
        }
    }
}

// Sets sums[i], for each window start i from 0 to count - 1, to values[i] +
// ... + values[i + n - 1] added one by one from 0 in that order. Reads
// values[0] to values[count + n - 2]; writes nothing when count < 1.
inline void WindowSums(const double* values, int n, int count, double* sums)
{
    NestedWindowSums(values, std::array<int, 1>{n}, std::array<int, 1>{count}, std::array<double*, 1>{sums});
}
