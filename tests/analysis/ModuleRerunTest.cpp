#include "analysis/FlowDirectionAnalysis.h"
#include "analysis/MovingAverageAnalysis.h"
#include "analysis/OscillatorAnalysis.h"
#include "analysis/VolumeForecastAnalysis.h"
#include "support/ModuleChecks.h"
#include "support/SampleDocument.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// The newest `bars` bars of `full`, every entry behind them 0 as after a load.
std::unique_ptr<QuoteSeries> Newest(const QuoteSeries& full, int bars)
{
    auto store = std::make_unique<QuoteSeries>(full);
    store->barCount = bars;
    for (Series* series : {&store->rawClose, &store->close, &store->open, &store->high, &store->low, &store->volume})
        std::fill(series->begin() + bars, series->end(), 0.0);
    return store;
}

// Bar counts on both sides of where a window or a rule starts to fit.
const std::vector<int> kEdgeCounts{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,  11,  12,  13,  14,  15,  16,  17, 18,
                                   19, 20, 22, 23, 28, 29, 30, 33, 34, 35, 36, 40, 41, 45, 58, 59, 60, 61, 62, 65,
                                   199, 200, 201, 210, 399};

}  // namespace

// Every module clears only what a run leaves unwritten; after a run over 400
// bars, a run over fewer must give exactly what a new module gives.
TEST(ModuleRerun, EveryBarCountAfterAFullRunMatchesANewModule)
{
    const auto document = LoadedSample("IBM");
    const QuoteSeries& full = document->store;
    ASSERT_EQ(full.barCount, kMaxBars);
    const std::vector<const SignalSet*> none;
    for (const int bars : kEdgeCounts) {
        SCOPED_TRACE(bars);
        const auto store = Newest(full, bars);

        auto averages = std::make_unique<MovingAverageAnalysis>();
        averages->Analyze(full);
        averages->Analyze(*store);
        ExpectSameResults(*averages, AnalysisOf<MovingAverageAnalysis>(*store));
        EXPECT_EQ(averages->envelopeFactor, AnalysisOf<MovingAverageAnalysis>(*store).envelopeFactor);

        auto oscillators = std::make_unique<OscillatorAnalysis>();
        oscillators->Analyze(full);
        oscillators->Analyze(*store);
        const auto freshOscillators = std::make_unique<OscillatorAnalysis>(AnalysisOf<OscillatorAnalysis>(*store));
        ExpectSameResults(*oscillators, *freshOscillators);

        auto flow = std::make_unique<FlowDirectionAnalysis>();
        flow->Analyze(full);
        flow->Analyze(*store);
        ExpectSameResults(*flow, AnalysisOf<FlowDirectionAnalysis>(*store));

        // Fed the full run's stochastic first, so no entry is 0 by chance.
        auto forecast = std::make_unique<VolumeForecastAnalysis>();
        forecast->Analyze(full, document->oscillators.stochK, none);
        forecast->Analyze(*store, freshOscillators->stochK, none);
        auto freshForecast = std::make_unique<VolumeForecastAnalysis>();
        freshForecast->Analyze(*store, freshOscillators->stochK, none);
        ExpectSameResults(*forecast, *freshForecast);
        EXPECT_EQ(forecast->trendLevel, freshForecast->trendLevel);
        EXPECT_EQ(forecast->trendSlope, freshForecast->trendSlope);
        EXPECT_EQ(forecast->todayBuyTotal, freshForecast->todayBuyTotal);
        EXPECT_EQ(forecast->todaySellTotal, freshForecast->todaySellTotal);
    }
}
