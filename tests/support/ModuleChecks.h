#pragma once

#include "analysis/NamedResults.h"
#include "analysis/SignalSet.h"
#include "quotes/QuoteSeries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

// Checks shared by the analysis module tests.

// A `Module` that has analysed `store` once.
template <typename Module>
Module AnalysisOf(const QuoteSeries& store)
{
    Module module;
    module.Analyze(store);
    return module;
}

// Every entry, found or counted today, of one set.
inline int SignalCount(const SignalSet& set)
{
    return set.buyCount + set.sellCount + set.buyToday + set.sellToday;
}

// Every entry of every set of a module.
template <typename Module>
int SignalCount(const Module& module)
{
    int total = 0;
    for (const NamedSignalSet& set : module.AllSignalSets())
        total += SignalCount(*set.signals);
    return total;
}

template <typename Module>
void ExpectEverySeriesFinite(const Module& module)
{
    for (const NamedSeries& series : module.AllSeries())
        for (int i = 0; i < kMaxBars; ++i)
            ASSERT_TRUE(std::isfinite((*series.values)[i])) << series.name << "[" << i << "]";
}

// Every series and every signal list, entries past the counts included, of
// `reused` equals that of `fresh`, which ran once: a rerun keeps nothing.
template <typename Module>
void ExpectSameResults(const Module& reused, const Module& fresh)
{
    const SeriesList series = reused.AllSeries();
    for (std::size_t k = 0; k < series.size(); ++k)
        EXPECT_EQ(*series[k].values, *fresh.AllSeries()[k].values) << series[k].name;
    const SignalSetList sets = reused.AllSignalSets();
    for (std::size_t k = 0; k < sets.size(); ++k) {
        const SignalSet& a = *sets[k].signals;
        const SignalSet& b = *fresh.AllSignalSets()[k].signals;
        EXPECT_TRUE(a.buyBars == b.buyBars && a.buyLevels == b.buyLevels && a.sellBars == b.sellBars &&
                    a.sellLevels == b.sellLevels && SignalCount(a) == SignalCount(b))
            << sets[k].name;
    }
}

// The first `count` bars of a signal list.
inline std::vector<int> Bars(const std::array<int, SignalSet::kCapacity>& bars, int count)
{
    return {bars.begin(), bars.begin() + count};
}

// Whether every entry from `from` on is 0.
inline bool ZeroFrom(const Series& series, int from)
{
    return std::all_of(series.begin() + from, series.end(), [](double value) { return value == 0; });
}
