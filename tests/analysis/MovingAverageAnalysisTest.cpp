#include "analysis/MovingAverageAnalysis.h"
#include "document/CTarnwickDoc.h"
#include "support/ModuleChecks.h"
#include "support/SampleDocument.h"
#include "support/TestStore.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

TEST(MovingAverages, NineBarsGiveOnlySma9AndACollapsedEnvelope)
{
    const auto module = AnalysisOf<MovingAverageAnalysis>(*StoreWithCloses({1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(module.sma9[0], 5.0);
    EXPECT_EQ(module.sma9[1], 0.0);
    EXPECT_EQ(module.sma18[0], 0.0);
    EXPECT_EQ(module.bollingerUpper[0], 0.0);
    // One distance only, no third largest: the envelopes sit on the average.
    EXPECT_EQ(module.envelopeFactor, 0.0);
    EXPECT_EQ(module.envelopeUpper[0], 5.0);
    EXPECT_EQ(module.envelopeLower[0], 5.0);
    EXPECT_EQ(SignalCount(module), 0);
}

TEST(BollingerBands, ThirtyFiveBarsGiveBandsAtNewestBarOnlyAndNoSignals)
{
    // Every close lies 8.5 below its own 18-bar average, so d = 1.8 * 8.5;
    // measured against the average at bar 0 the width would differ.
    const auto module = AnalysisOf<MovingAverageAnalysis>(*StoreOf(35, [](int i) { return 100.0 + i; }));
    EXPECT_NEAR(module.bollingerUpper[0], 108.5 + 15.3, 1e-12);
    EXPECT_NEAR(module.bollingerLower[0], 108.5 - 15.3, 1e-12);
    EXPECT_EQ(module.bollingerUpper[1], 0.0);
    // close[1] lies above the empty band of bar 1 and close[0] below it:
    // scanning even index 0 would record a sell.
    EXPECT_EQ(SignalCount(module), 0);
}

TEST(BollingerSignals, CloseOutsideBandConfirmedByNewestCloseCountsToday)
{
    // Closes of 100 behind bar 1; bar 1 leaves the band and bar 0 confirms or not.
    struct Case {
        double close0, close1;
        int buys, sells;
        double level;
    };
    const Case cases[] = {
        {85, 80, 1, 0, 90.87501203544134},     // rebound from below the lower band
        {115, 120, 0, 1, 109.12498796455866},  // falls back from above the upper band
        {75, 80, 0, 0, 0},                     // still falling
        {125, 120, 0, 0, 0},                   // still rising
    };
    for (const Case& test : cases) {
        std::vector<double> closes(40, 100.0);
        closes[0] = test.close0;
        closes[1] = test.close1;
        const auto module = AnalysisOf<MovingAverageAnalysis>(*StoreFromCloses(closes));
        const SignalSet& set = module.bollingerSignals;
        SCOPED_TRACE(testing::Message() << "close[1] " << test.close1 << ", close[0] " << test.close0);
        ASSERT_EQ(set.buyCount, test.buys);
        ASSERT_EQ(set.sellCount, test.sells);
        EXPECT_EQ(set.buyToday, test.buys);
        EXPECT_EQ(set.sellToday, test.sells);
        if (test.buys + test.sells == 1) {
            EXPECT_EQ(test.buys ? set.buyBars[0] : set.sellBars[0], 1);
            EXPECT_NEAR(test.buys ? set.buyLevels[0] : set.sellLevels[0], test.level, 1e-12);
        }
    }
}

TEST(Envelopes, FactorIsNinetyPercentOfThirdDistinctDistance)
{
    // 13 bars: closes 100 at bars 0..4 against averages 105, 95, 104, 103,
    // 101 give the distances 0.05, 0.05, 0.04, 0.03, 0.01.
    const auto module = AnalysisOf<MovingAverageAnalysis>(
        *StoreWithCloses({100, 100, 100, 100, 100, 111.25, 111.25, 111.25, 111.25, 10, 181, 91, 82}));
    const double averages[] = {105, 95, 104, 103, 101};
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(module.sma9[i], averages[i]) << i;
    EXPECT_DOUBLE_EQ(module.envelopeFactor, 0.027);
    for (int i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(module.envelopeUpper[i], averages[i] + 2.7) << i;
        EXPECT_DOUBLE_EQ(module.envelopeLower[i], averages[i] - 2.7) << i;
    }
    EXPECT_EQ(module.envelopeUpper[5], 0.0);
}

TEST(EnvelopeSignals, RulesNeedFortyOneBarsAndScanThroughIndexThirty)
{
    // Bar 30 stands above its envelope, below the higher bar 31: a sell found
    // at the last scan index, marked at bar 31 whose envelope is empty.
    std::vector<double> closes(41, 100.0);
    closes[30] = 120;
    closes[31] = 130;
    auto module = AnalysisOf<MovingAverageAnalysis>(*StoreFromCloses(closes));
    EXPECT_NEAR(module.envelopeFactor, 0.02, 1e-15);
    ASSERT_EQ(module.envelopeSignals.sellCount, 1);
    EXPECT_EQ(module.envelopeSignals.sellBars[0], 31);
    EXPECT_EQ(module.envelopeSignals.sellLevels[0], 0.0);
    EXPECT_EQ(module.envelopeSignals.sellToday, 0);
    EXPECT_EQ(module.envelopeSignals.buyCount, 0);

    closes.pop_back();  // 40 bars: the same envelopes, but no rules
    module.Analyze(*StoreFromCloses(closes));
    EXPECT_NE(module.envelopeUpper[30], 0.0);
    EXPECT_EQ(SignalCount(module), 0);
}

TEST(EnvelopeSignals, BuyNeedsAStrictlyHigherCloseAfterTheCloseBelow)
{
    // Bar 1 at 80 lies below its lower envelope (factor 0.9 * 4 / 117 from
    // the third distance, that of bar 6 at 104); bar 0 confirms only above 80.
    for (const double close0 : {90.0, 80.0}) {
        std::vector<double> closes(41, 100.0);
        closes[0] = close0;
        closes[1] = 80;
        closes[6] = 104;
        const auto module = AnalysisOf<MovingAverageAnalysis>(*StoreFromCloses(closes));
        const SignalSet& set = module.envelopeSignals;
        EXPECT_NEAR(module.envelopeFactor, 0.9 * 4 / 117, 1e-15);
        EXPECT_EQ(set.sellCount, 0);
        ASSERT_EQ(set.buyCount, close0 > 80 ? 1 : 0) << close0;
        if (set.buyCount == 1) {
            EXPECT_EQ(set.buyBars[0], 1);
            EXPECT_EQ(set.buyToday, 1);
            EXPECT_NEAR(set.buyLevels[0], 95.76068376068376, 1e-12);
        }
    }
}

TEST(MovingAverageAnalysis, FlatHistoryGivesNoSignalAndCloselessWindowsStoreZero)
{
    const auto flat = AnalysisOf<MovingAverageAnalysis>(*StoreOf(80, [](int) { return 100.0; }));
    ExpectEverySeriesFinite(flat);
    EXPECT_EQ(flat.bollingerLower[0], 100.0);  // zero width, nothing outside
    EXPECT_EQ(flat.envelopeFactor, 0.0);
    EXPECT_EQ(SignalCount(flat), 0);

    // Bars 10 to 29 without a close: 9-bar windows inside the gap have
    // nothing to average; a window reaching into it averages the rest.
    const auto gap =
        AnalysisOf<MovingAverageAnalysis>(*StoreOf(80, [](int i) { return i >= 10 && i < 30 ? 0.0 : 100.0 + (i % 3); }));
    ExpectEverySeriesFinite(gap);
    EXPECT_TRUE(std::isfinite(gap.envelopeFactor));
    EXPECT_EQ(gap.sma9[10], 0.0);
    EXPECT_EQ(gap.sma9[21], 0.0);
    EXPECT_EQ(gap.sma18[12], 0.0);
    EXPECT_EQ(gap.sma9[2], (102 + 100 + 101 + 102 + 100 + 101 + 102 + 100) / 8.0);
}

TEST(MovingAverageAnalysis, SecondRunLeavesNothingOfTheFirst)
{
    const auto shortStore = StoreWithCloses({1, 2, 3, 4, 5, 6, 7, 8, 9});
    MovingAverageAnalysis reused;
    // Dips every 7 bars and spikes every 11 leave the bands and envelopes.
    reused.Analyze(*StoreOf(120, [](int i) { return 100 - 15 * (i % 7 == 1) + 18 * (i % 11 == 2) + 0.1 * i; }));
    ASSERT_GT(SignalCount(reused), 0);
    ASSERT_NE(reused.envelopeFactor, 0.0);
    reused.Analyze(*shortStore);
    const auto fresh = AnalysisOf<MovingAverageAnalysis>(*shortStore);
    // Painters read levels past the counts: the lists themselves must be empty.
    ExpectSameResults(reused, fresh);
    EXPECT_EQ(reused.envelopeFactor, 0.0);
}

TEST(MovingAverageAnalysis, SampleIbmHistoryMatchesIndependentValues)
{
    auto document = LoadedSample("IBM");
    ASSERT_EQ(document->store.barCount, 400);
    const MovingAverageAnalysis& module = document->movingAverages;

    EXPECT_NEAR(module.sma200[0], 107.95045, 1e-9);
    EXPECT_NEAR(module.bollingerUpper[0], 128.6160520514079, 1e-9);
    EXPECT_NEAR(module.envelopeFactor, 0.029334415584415758, 1e-12);
    EXPECT_NEAR(module.envelopeUpper[0], 125.99273535353537, 1e-9);
    EXPECT_DOUBLE_EQ(module.volumeSma50[0], 6926998.0);

    // Sells only: the bands at bars 12 and 17, the envelope at bar 17.
    const SignalSet& bands = module.bollingerSignals;
    ASSERT_EQ(SignalCount(module), 3);
    ASSERT_EQ(bands.sellCount, 2);
    EXPECT_EQ(bands.sellBars[0], 12);
    EXPECT_EQ(bands.sellBars[1], 17);
    EXPECT_NEAR(bands.sellLevels[1], 121.27247400695845, 1e-9);
    ASSERT_EQ(module.envelopeSignals.sellCount, 1);
    EXPECT_EQ(module.envelopeSignals.sellBars[0], 17);
    EXPECT_NEAR(module.envelopeSignals.sellLevels[0], 119.14119805194807, 1e-9);
}
