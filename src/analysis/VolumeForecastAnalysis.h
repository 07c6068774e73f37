#pragma once

#include "analysis/NamedResults.h"
#include "analysis/SignalSet.h"
#include "quotes/QuoteSeries.h"

#include <span>

// On-balance volume and price-and-volume trend with their 12-bar averages,
// the two "Rivirirudiv IZ" lines (alpha-beta-gamma tracking filters over the
// close, steered by the stochastic %K), their signals, and the day's signal
// totals over every indicator. Runs after the other three modules.
class VolumeForecastAnalysis {
public:
    Series obv{};
    Series obvMa12{};
    SignalSet obvSignals;
    Series pvt{};
    Series pvtMa12{};
    SignalSet pvtSignals;
    int todayBuyTotal = 0;   // buys of all sixteen signal sets at scan index 0
    int todaySellTotal = 0;

    // Tracking filter 2: P, X, A' and A of its last pass over each bar;
    // ita2Change holds the day-to-day change D of the level and ita2Line the
    // "Rivirirudiv IZ 2" line.
    Series ita2Predicted{};
    Series ita2Level{};
    Series ita2Change{};
    Series ita2Line{};
    Series ita2PrevAccel{};
    Series ita2Accel{};
    SignalSet ita2Signals;
    // Tracking filter 1, the same way; ita1Line ends as "Rivirirudiv IZ 1".
    Series ita1Predicted{};
    Series ita1Level{};
    Series ita1Change{};
    Series ita1Line{};
    Series ita1PrevAccel{};
    Series ita1Accel{};
    double trendLevel = 0;  // trend offset of filter 1, re-seeded every run
    double trendSlope = 0;
    SignalSet ita1Signals;

    // Recomputes everything from the store's barCount, close and volume, the
    // stochastic %K, and the today counts of `earlierSignals`: the signal sets
    // of the modules that ran before this one.
    void Analyze(const QuoteSeries& store, const Series& stochK, std::span<const SignalSet* const> earlierSignals);

    SeriesList AllSeries() const;
    SignalSetList AllSignalSets() const;

private:
    void ComputeTrendLines(const QuoteSeries& store);
    void ComputeTrackingLines(const QuoteSeries& store, const Series& stochK);
    void FindLine2Signals(int barCount);
    void FindLine1Signals(int barCount);
};
