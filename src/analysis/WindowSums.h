#pragma once

#include <array>
#include <cstddef>
#include <cstring>

// Calls finish(k, i, sum) for each length k and each window start i from 0 to
// counts[k] - 1, where sum is values[i] + values[i + 1] + ... + values[i +
// lengths[k] - 1], added one by one from 0 in that order: bit for bit the sum
// of a plain loop over the window. lengths must rise and counts must not;
// reads values[0] to values[counts[k] + lengths[k] - 2]. A length whose count
// is below 1 gets no call.
//
// A shorter window's sum is the longer one's sum after its first lengths[k]
// additions, so one chain of additions per start serves every length.
// Sixteen starts are summed side by side, two to a register: each stays its
// own chain in its own order, so no rounding changes, but the processor
// overlaps the chains instead of waiting on one addition at a time.
template <std::size_t K, typename Finish>
void ForEachNestedWindowSum(const double* values, const std::array<int, K>& lengths, const std::array<int, K>& counts,
                            Finish&& finish)
{
    // Two sums added lane by lane, each lane one IEEE addition as in scalar
    // code (a GCC and Clang vector: SSE2 on x86-64). Named members, not an
    // array: compilers keep them in registers.
    using Pair = double __attribute__((vector_size(16)));
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
        // Hands over the sums of starts `from` and later of the block at `base`.
        void HandOver(int k, int base, int from, Finish& finish) const
        {
            const auto pair = [&](Pair sums, int lane) {
                for (int h = 0; h < 2; ++h)
                    if (base + lane + h >= from)
                        finish(k, base + lane + h, sums[h]);
            };
            pair(s0, 0);
            pair(s1, 2);
            pair(s2, 4);
            pair(s3, 6);
            pair(s4, 8);
            pair(s5, 10);
            pair(s6, 12);
            pair(s7, 14);
        }
    };

    // Starts below blockEnd[k] go in whole blocks that share their chains.
    std::array<int, K> blockEnd{};
    for (std::size_t k = 0; k < K; ++k)
        blockEnd[k] = counts[k] >= kLanes ? counts[k] / kLanes * kLanes : 0;
    for (int i = 0; i < blockEnd[0]; i += kLanes) {
        Lanes sums;
        int added = 0;
        for (std::size_t k = 0; k < K && i < blockEnd[k]; ++k) {
            for (; added < lengths[k]; ++added)
                sums.Add(values + i + added);
            sums.HandOver(static_cast<int>(k), i, i, finish);
        }
    }
    // The rest: one block ending at the last start, which sums some starts
    // again but hands over only the new ones; too few starts for a block are
    // summed one at a time.
    for (std::size_t k = 0; k < K; ++k) {
        if (blockEnd[k] >= counts[k])
            continue;
        if (counts[k] >= kLanes) {
            const int base = counts[k] - kLanes;
            Lanes sums;
            for (int j = 0; j < lengths[k]; ++j)
                sums.Add(values + base + j);
            sums.HandOver(static_cast<int>(k), base, blockEnd[k], finish);
            continue;
        }
        for (int i = 0; i < counts[k]; ++i) {
            double sum = 0;
            for (int j = i; j < i + lengths[k]; ++j)
                sum += values[j];
            finish(static_cast<int>(k), i, sum);
        }
    }
}

// Calls finish(i, sum) for each window start i from 0 to count - 1, where sum
// is values[i] + ... + values[i + n - 1] added one by one from 0 in that
// order. Reads values[0] to values[count + n - 2]; calls nothing when count < 1.
template <typename Finish>
void ForEachWindowSum(const double* values, int n, int count, Finish&& finish)
{
    ForEachNestedWindowSum(values, std::array<int, 1>{n}, std::array<int, 1>{count},
                           [&finish](int, int i, double sum) { finish(i, sum); });
}
