#pragma once

#include "analysis/NamedResults.h"
#include "analysis/SignalSet.h"
#include "quotes/QuoteSeries.h"

// Five moving averages of the close, Bollinger bands, adaptive moving-average
// envelopes and two volume averages, with the band and envelope signals.
// Series are indexed like the store (0 newest) and stay 0 where their window
// does not fit.
class MovingAverageAnalysis {
public:
    Series sma200{};  // n-bar averages of the positive closes
    Series sma50{};
    Series sma27{};
    Series sma18{};   // middle of the Bollinger bands
    Series sma9{};    // middle of the envelopes
    Series bollingerUpper{};  // sma18 +- 1.8 standard deviations of the close from its own sma18
    Series bollingerLower{};
    Series envelopeUpper{};   // sma9 +- close * envelopeFactor, over the newest 31 bars
    Series envelopeLower{};
    SignalSet maSignals;  // no rule fills it: the moving-average chart shows no marks
    SignalSet bollingerSignals;
    SignalSet envelopeSignals;
    double envelopeFactor = 0;  // half-width of the envelopes as a fraction of the close
    Series volumeSma50{};
    Series volumeSma25{};

    // Recomputes everything from the store's barCount, close and volume.
    void Analyze(const QuoteSeries& store);

    SeriesList AllSeries() const;
    SignalSetList AllSignalSets() const;

private:
    void ComputeBollingerBands(const QuoteSeries& store);
    void FindBollingerSignals(const QuoteSeries& store);
    // Returns the last scan index M of the envelopes (negative: none).
    int ComputeEnvelopes(const QuoteSeries& store);
    void FindEnvelopeSignals(const QuoteSeries& store, int lastIndex);
};
