#pragma once

#include "analysis/NamedResults.h"
#include "analysis/SignalSet.h"
#include "quotes/QuoteSeries.h"

// The 14-bar money flow index, a 10-bar volatility measure, the 14-bar
// directional movement indicators with ADX, and the 15- and 30-bar commodity
// channel indexes, with the MFI, DMI and CCI signals. Series are indexed like
// the store (0 newest) and stay 0 where their window does not fit.
class FlowDirectionAnalysis {
public:
    Series mfi14{};  // 0 to 100
    SignalSet mfiSignals;
    Series volatility10{};  // percent change of the smoothed high-low range over 10 bars
    Series dmiPlus{};       // percent
    Series dmiMinus{};
    Series adx14{};
    SignalSet dmiSignals;
    Series cci15{};
    Series cci30{};
    SignalSet cciSignals;  // from cci15

    // Recomputes everything from the store's barCount, close, high, low and volume.
    void Analyze(const QuoteSeries& store);

    SeriesList AllSeries() const;
    SignalSetList AllSignalSets() const;

private:
    void ComputeMoneyFlow(const QuoteSeries& store);
    void FindMoneyFlowSignals(int barCount);
    void ComputeVolatility(const QuoteSeries& store);
    void ComputeDirectionalMovement(const QuoteSeries& store);
    void FindDirectionalSignals(int barCount);
    void ComputeCommodityChannel(const QuoteSeries& store);
    void FindCommodityChannelSignals(int barCount);
};
