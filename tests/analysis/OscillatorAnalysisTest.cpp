#include "analysis/OscillatorAnalysis.h"
#include "support/ModuleChecks.h"
#include "support/SampleDocument.h"
#include "support/TestStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

TEST(Macd, TwoBarsMoveTheAveragesOnceFromTheOldestClose)
{
    // Bar 0's weighted price is (2 * 11 + 12 + 8) / 4 = 10.5; the averages
    // start at bar 1's close 10, not at its weighted price 9.5.
    const auto module = AnalysisOf<OscillatorAnalysis>(*StoreWithBars({{11, 12, 8, 11, 1000}, {10, 14, 4, 10, 1000}}));
    const double macd = 0.5 * (2.0 / 13 - 2.0 / 27);
    const double fast = 0.5 * (2.0 / 9 - 1.0 / 9);
    EXPECT_NEAR(module.macd[0], macd, 1e-15);
    EXPECT_NEAR(module.macdSignal[0], 0.2 * macd, 1e-15);  // signal lines start from 0
    EXPECT_NEAR(module.macdDivergence[0], 0.8 * macd, 1e-15);
    EXPECT_NEAR(module.fastMacd[0], fast, 1e-15);
    EXPECT_NEAR(module.fastMacdSignal[0], 0.2 * fast, 1e-15);
    EXPECT_NEAR(module.fastMacdDivergence[0], 0.8 * fast, 1e-15);
    for (const NamedSeries& series : module.AllSeries())
        EXPECT_EQ((*series.values)[1], 0.0) << series.name;
    // Nothing else fits in two bars; the stochastic is not even seeded.
    for (const Series* series : {&module.rsi7, &module.stochK, &module.williamsR, &module.momentum, &module.roc})
        EXPECT_EQ((*series)[0], 0.0);
    EXPECT_EQ(SignalCount(module), 0);
}

TEST(Macd, CrossoverAndDivergenceTurnAtScanIndexZeroCountTwiceToday)
{
    // Flat at 100, a dip to 95 at bar 1, a jump to 110 at bar 0: MACD crosses
    // above its signal line while the divergence turns up.
    std::vector<double> closes(40, 100.0);
    closes[1] = 95;
    closes[0] = 110;
    const auto module = AnalysisOf<OscillatorAnalysis>(*StoreFromCloses(closes));
    const SignalSet& set = module.macdSignals;
    ASSERT_EQ(set.buyCount, 2);
    EXPECT_EQ(set.buyToday, 2);
    EXPECT_EQ(set.sellCount, 0);
    EXPECT_EQ(set.buyBars[0], 0);
    EXPECT_EQ(set.buyBars[1], 0);
    // Crossover first, marked on the signal line; then the turn, marked on
    // the 8/17 divergence.
    EXPECT_NEAR(set.buyLevels[0], 0.03413608655773656, 1e-12);
    EXPECT_NEAR(set.buyLevels[1], 0.6814814814814872, 1e-12);
    EXPECT_EQ(set.buyLevels[1], module.fastMacdDivergence[0]);
}

TEST(Macd, DivergenceTurnsAreScannedThroughIndexTwentyEight)
{
    // A one-day dip to 95 in flat closes turns the divergence up right after
    // it: found at bar 28 (dip at 29), but not at bar 29 (dip at 30), where
    // only the later crossover at bar 26 is recorded.
    for (const auto& [dip, buyBars] : {std::pair{29, std::vector<int>{25, 28}}, std::pair{30, std::vector<int>{26}}}) {
        std::vector<double> closes(50, 100.0);
        closes[dip] = 95;
        const auto module = AnalysisOf<OscillatorAnalysis>(*StoreFromCloses(closes));
        EXPECT_EQ(Bars(module.macdSignals.buyBars, module.macdSignals.buyCount), buyBars) << dip;
    }
}

TEST(Rsi, SumsTheWindowsRisesAgainstAllChanges)
{
    // Eight bars: rsi7 at bar 0 only, rsi14 nowhere.
    struct Case {
        std::vector<double> closes;
        double rsi7;
    };
    const Case cases[] = {
        {{8, 7, 6, 5, 4, 3, 2, 1}, 100.0},               // only rises
        {{1, 2, 3, 4, 5, 6, 7, 8}, 0.0},                 // only falls
        {{4, 3, 4, 3, 4, 3, 4, 3}, 400.0 / 7},           // rises 4, falls 3
        {{10, 12, 11, 13, 12, 14, 13, 15}, 300.0 / 11},  // rises 3, falls 8
    };
    for (const Case& test : cases) {
        const auto module = AnalysisOf<OscillatorAnalysis>(*StoreFromCloses(test.closes));
        EXPECT_DOUBLE_EQ(module.rsi7[0], test.rsi7);
        EXPECT_EQ(module.rsi7[1], 0.0);
        EXPECT_EQ(module.rsi14[0], 0.0);
    }
}

TEST(RsiSignals, Rsi7FromTwentyToThirtyBuysAtBarZeroLevelTwentyFive)
{
    // Bars 0..8 give rsi7 30 at bar 0 and 20 at bar 1; older closes only fall
    // toward them, so rsi7 is 10 at bar 2 and 0 further back.
    std::vector<double> closes = {45, 44, 43, 42, 44, 46, 48, 49, 50};
    for (int k = 0; k < 36; ++k)
        closes.push_back(51 + k);
    const auto module = AnalysisOf<OscillatorAnalysis>(*StoreFromCloses(closes));
    EXPECT_EQ(module.rsi7[0], 30.0);
    EXPECT_EQ(module.rsi7[1], 20.0);
    const SignalSet& set = module.rsiSignals;
    ASSERT_EQ(set.buyCount, 1);
    EXPECT_EQ(set.buyBars[0], 0);
    EXPECT_EQ(set.buyLevels[0], 25.0);
    EXPECT_EQ(set.buyToday, 1);
    EXPECT_EQ(set.sellCount, 0);
}

TEST(Stochastic, FiveBarsSeedFiftyThenSmooth)
{
    auto module = AnalysisOf<OscillatorAnalysis>(*StoreWithCloses({10, 11, 12, 13, 14}));
    EXPECT_EQ(module.stochK[1], 50.0);
    EXPECT_EQ(module.stochD[1], 50.0);
    EXPECT_NEAR(module.stochK[0], 100.0 / 3, 1e-12);
    EXPECT_NEAR(module.stochD[0], 400.0 / 9, 1e-12);
    EXPECT_EQ(module.stochK[2], 0.0);

    // A window of equal closes carries both lines over unchanged.
    module.Analyze(*StoreWithCloses({7, 7, 7, 7, 7, 9}));
    EXPECT_NEAR(module.stochK[1], 100.0 / 3, 1e-12);
    EXPECT_EQ(module.stochK[0], module.stochK[1]);
    EXPECT_EQ(module.stochD[0], module.stochD[1]);
}

TEST(WilliamsSignals, CrossingEitherLevelGivesOneSignalAtTheLevelPassedFirst)
{
    // Bars 2 and 3 hold the extremes 110 and 10 of both windows: %R = close - 110.
    struct Case {
        double yesterday, today;  // %R at bars 1 and 0
        int buyToday, sellToday;
        double level;
    };
    const Case cases[] = {
        {-80, -20, 1, 0, -75},  // both levels in one jump: one buy
        {-80, -50, 1, 0, -75}, {-50, -20, 1, 0, -25},
        {-20, -80, 0, 1, -25},  // both levels down: one sell
        {-50, -80, 0, 1, -75}, {-50, -60, 0, 0, 0},
    };
    for (const Case& test : cases) {
        std::vector<double> closes(12, 50.0);
        closes[0] = 110 + test.today;
        closes[1] = 110 + test.yesterday;
        closes[2] = 110;
        closes[3] = 10;
        const auto module = AnalysisOf<OscillatorAnalysis>(*StoreFromCloses(closes));
        SCOPED_TRACE(testing::Message() << test.yesterday << " -> " << test.today);
        ASSERT_EQ(module.williamsR[1], test.yesterday);
        ASSERT_EQ(module.williamsR[0], test.today);
        const SignalSet& set = module.williamsSignals;
        EXPECT_EQ(set.buyCount, test.buyToday);  // 12 bars: buys scan index 0 only
        EXPECT_EQ(set.buyToday, test.buyToday);
        EXPECT_EQ(set.sellToday, test.sellToday);
        if (test.buyToday + test.sellToday == 1) {  // the newest scan is listed first
            EXPECT_EQ(test.buyToday ? set.buyBars[0] : set.sellBars[0], 0);
            EXPECT_EQ(test.buyToday ? set.buyLevels[0] : set.sellLevels[0], test.level);
        }
    }
}

TEST(Oscillators, UndefinedRatiosStoreZeroAndNeverCross)
{
    // Flat closes and volumes: no RSI change, equal %R and volume extremes.
    auto flatStore = StoreOf(45, [](int) { return 100.0; });
    std::fill_n(flatStore->volume.begin(), 45, 1000.0);
    auto module = AnalysisOf<OscillatorAnalysis>(*flatStore);
    ExpectEverySeriesFinite(module);
    EXPECT_EQ(module.rsi7[0], 0.0);
    EXPECT_EQ(module.williamsR[0], 0.0);
    EXPECT_EQ(module.volumeRangeIndex[0], 0.0);
    EXPECT_EQ(module.roc[0], 100.0);
    EXPECT_EQ(module.stochK[0], 50.0);
    EXPECT_EQ(SignalCount(module), 0);

    // rsi7 undefined at bar 1, then 100: no crossing up through 25.
    std::vector<double> closes(41, 100.0);
    closes[0] = 101;
    module.Analyze(*StoreFromCloses(closes));
    ExpectEverySeriesFinite(module);
    EXPECT_EQ(module.rsi7[1], 0.0);
    EXPECT_EQ(module.rsi7[0], 100.0);
    EXPECT_EQ(module.rsiSignals.buyCount, 0);

    // rsi7 0 at bar 1 (only falls), then undefined: no buy either.
    closes.assign(8, 90.0);
    for (int k = 0; k < 33; ++k)
        closes.push_back(91 + k);
    module.Analyze(*StoreFromCloses(closes));
    ExpectEverySeriesFinite(module);
    EXPECT_EQ(module.rsiSignals.buyCount, 0);

    // %R undefined at bar 1, then -100: no crossing down through -25.
    closes.assign(41, 100.0);
    closes[0] = 90;
    module.Analyze(*StoreFromCloses(closes));
    ExpectEverySeriesFinite(module);
    EXPECT_EQ(module.williamsR[1], 0.0);
    EXPECT_EQ(module.williamsR[0], -100.0);
    EXPECT_EQ(module.williamsSignals.sellCount, 0);

    // No prior close for roc[0]: it stores 0, and nothing over it turns non-finite.
    for (int i = 0; i < 41; ++i)
        closes[i] = i == 9 ? 0 : 100 + (i % 4);
    module.Analyze(*StoreFromCloses(closes));
    ExpectEverySeriesFinite(module);
    EXPECT_EQ(module.roc[0], 0.0);
    EXPECT_DOUBLE_EQ(module.roc[1], 101.0 / 102 * 100);  // close[1] / close[10]
}

TEST(OscillatorAnalysis, SampleIbmHistoryMatchesIndependentValues)
{
    const auto document = LoadedSample("IBM");
    const QuoteSeries& store = document->store;
    ASSERT_EQ(store.barCount, 400);
    ASSERT_EQ(store.close[0], 120.96);  // the merged latest quote
    const auto module = AnalysisOf<OscillatorAnalysis>(store);

    EXPECT_NEAR(module.macd[0], 2.2246815987232225, 1e-9);
    EXPECT_NEAR(module.rsi7[0], 29.160739687055433, 1e-9);
    EXPECT_NEAR(module.stochK[0], 41.31244550475603, 1e-9);
    EXPECT_NEAR(module.williamsR[1], -35.48387096774167, 1e-9);
    EXPECT_NEAR(module.volumeRangeIndex[0], 0.9289734035718874, 1e-9);
    EXPECT_NEAR(module.momentumMa[0], 3.7666666666666657, 1e-9);
    EXPECT_NEAR(module.rocMa[0], 101.48610742364565, 1e-9);

    struct Counts {
        const SignalSet& set;
        int buys, sells, sellToday;
    };
    const Counts counts[] = {{module.macdSignals, 6, 7, 0},     {module.rsiSignals, 0, 2, 0},
                             {module.stochSignals, 5, 5, 1},    {module.williamsSignals, 8, 8, 1},
                             {module.momentumSignals, 1, 2, 0}, {module.rocSignals, 3, 4, 0}};
    for (const Counts& row : counts) {
        EXPECT_EQ(row.set.buyCount, row.buys);
        EXPECT_EQ(row.set.sellCount, row.sells);
        EXPECT_EQ(row.set.sellToday, row.sellToday);
        EXPECT_EQ(row.set.buyToday, 0);
    }
    EXPECT_EQ(module.stochSignals.sellBars[0], 0);
    EXPECT_EQ(module.stochSignals.sellLevels[0], module.stochD[0]);
    EXPECT_EQ(module.williamsSignals.sellLevels[0], -75.0);
}

