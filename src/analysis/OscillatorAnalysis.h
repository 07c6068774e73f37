#pragma once

#include "analysis/NamedResults.h"
#include "analysis/SignalSet.h"
#include "quotes/QuoteSeries.h"

// MACD (12/26 and 8/17), RSI(7) and RSI(14), a smoothed 5-bar stochastic,
// Williams' %R, a 10-bar volume position index, momentum and rate of change
// with their averages, and the signals of each. Series are indexed like the
// store (0 newest) and stay 0 where their window does not fit.
class OscillatorAnalysis {
public:
    Series fastMacdSignal{};      // exponential average (factor 0.2) of fastMacd
    Series macdSignal{};          // "MACD EMA(9)"
    Series fastMacd{};            // 8-bar minus 17-bar EMA of the weighted price
    Series macd{};                // "MACD(12,26)"
    Series fastMacdDivergence{};  // fastMacd - fastMacdSignal
    Series macdDivergence{};      // "Divergence": macd - macdSignal
    SignalSet macdSignals;        // crossovers, then divergence turns
    Series rsi7{};
    Series rsi14{};
    SignalSet rsiSignals;  // from rsi7
    Series stochK{};       // 0 to 100
    Series stochD{};
    SignalSet stochSignals;
    Series williamsR{};         // -100 to 0
    Series volumeRangeIndex{};  // drawn by the "k%R" panel
    SignalSet williamsSignals;
    Series momentum{};    // "MTM(12)"
    Series momentumMa{};  // "MTM MA(12)"
    Series roc{};         // "ROC(10)", percent
    Series rocMa{};       // "ROC MA(10)"
    SignalSet momentumSignals;
    SignalSet rocSignals;

    // Recomputes everything from the store's barCount, close, high, low and volume.
    void Analyze(const QuoteSeries& store);

    SeriesList AllSeries() const;
    SignalSetList AllSignalSets() const;

private:
    void ComputeMacdAndStochastic(const QuoteSeries& store);
    void FindMacdSignals(int barCount);
    void ComputeRsi(const QuoteSeries& store);
    void FindRsiSignals(int barCount);
    void FindStochasticSignals(int barCount);
    void ComputeWilliamsR(const QuoteSeries& store);
    void ComputeVolumeRangeIndex(const QuoteSeries& store);
    void FindWilliamsSignals(int barCount);
    void ComputeMomentumAndRoc(const QuoteSeries& store);
};
