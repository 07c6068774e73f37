#include "analysis/VolumeForecastAnalysis.h"
#include "document/CTarnwickDoc.h"
#include "support/ModuleChecks.h"
#include "support/SampleDocument.h"
#include "support/TestStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

std::unique_ptr<VolumeForecastAnalysis> Analyzed(const QuoteSeries& store, const Series& stochK,
                                                 const std::vector<SignalSet>& earlier = {})
{
    std::vector<const SignalSet*> pointers;
    for (const SignalSet& set : earlier)
        pointers.push_back(&set);
    auto module = std::make_unique<VolumeForecastAnalysis>();
    module->Analyze(store, stochK, pointers);
    return module;
}

Series Constant(double value)
{
    Series series;
    series.fill(value);
    return series;
}

// `bars` bars on a slow wave (period about 63 bars); `newer` bars are put in
// front of the same wave, which leaves every older bar as it was.
std::unique_ptr<QuoteSeries> Wave(double step, double phase, int bars = 150, int newer = 0)
{
    return StoreOf(bars, [=](int i) { return 50 + 5 * std::sin(step * (i - newer) + phase); });
}

}  // namespace

TEST(VolumeForecast, OneBarOnlySeedsTheFilters)
{
    const auto analyzed = Analyzed(*StoreWithCloses({42.5}), Series{});  // the stochastic needs more bars
    const VolumeForecastAnalysis& module = *analyzed;
    EXPECT_EQ(module.ita2Level[0], 42.5);
    EXPECT_EQ(module.ita1Level[0], 42.5);
    for (const NamedSeries& series : module.AllSeries()) {
        const bool seeded = series.values == &module.ita2Level || series.values == &module.ita1Level;
        for (int i = seeded ? 1 : 0; i < kMaxBars; ++i)
            ASSERT_EQ((*series.values)[i], 0.0) << series.name << "[" << i << "]";
    }
    for (const NamedSignalSet& set : module.AllSignalSets())
        EXPECT_EQ(SignalCount(*set.signals), 0) << set.name;
    EXPECT_EQ(module.todayBuyTotal + module.todaySellTotal, 0);
}

TEST(OnBalanceVolume, FollowsTheCloseDirectionAndPriceVolumeTrendItsChange)
{
    struct Row {
        double closes[3];  // newest first; volumes 100, 200, 300
        double obv[3];
        double pvt[3];
    };
    const Row rows[] = {
        {{10, 11, 11}, {-100, 0, 0}, {-100.0 / 11, 0, 0}},
        {{10, 0, 11}, {-100, -200, 0}, {-200, -200, 0}},  // after a close of 0 the trend stays
    };
    for (const Row& row : rows) {
        const double* c = row.closes;
        const auto store = StoreWithBars({{c[0], c[0], c[0], c[0], 100}, {c[1], c[1], c[1], c[1], 200},
                                          {c[2], c[2], c[2], c[2], 300}});
        const auto module = Analyzed(*store, Constant(50));
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(module->obv[i], row.obv[i]) << c[1] << " " << i;
            EXPECT_NEAR(module->pvt[i], row.pvt[i], 1e-12) << c[1] << " " << i;
        }
        EXPECT_EQ(module->obvMa12[0], 0.0);  // the averages need 13 bars
    }
}

TEST(OnBalanceVolume, UnchangedObvAboveAFallingAverageIsABuy)
{
    // Closes 10, 10, 10, 11, 10, 11, then 11 up to the newest bar: OBV 0, 0,
    // 0, 200, 50, 100, ..., 100. Unchanged today, OBV still gets above its
    // average as the 200 leaves the window. 16 bars scan index 0 only.
    auto store = StoreOf(16, [](int i) { return i == 11 || i >= 13 ? 10.0 : 11.0; });
    store->volume[12] = 200;
    store->volume[11] = 150;
    store->volume[10] = 50;
    const auto module = Analyzed(*store, Constant(50));

    EXPECT_EQ(module->obv[0], 100.0);
    EXPECT_NEAR(module->obvMa12[1], 1250.0 / 12, 1e-12);
    EXPECT_NEAR(module->obvMa12[3], 1050.0 / 12, 1e-12);  // the oldest window that fits
    EXPECT_EQ(module->obvMa12[4], 0.0);
    for (const SignalSet* set : {&module->obvSignals, &module->pvtSignals}) {
        ASSERT_EQ(set->buyCount, 1);
        EXPECT_EQ(set->buyToday, 1);
        EXPECT_EQ(set->sellCount, 0);
    }
    EXPECT_NEAR(module->obvSignals.buyLevels[0], 1150.0 / 12, 1e-12);
    EXPECT_EQ(module->pvtSignals.buyLevels[0], module->pvtMa12[0]);
}

TEST(TrackingLines, ConstantCloseKeepsBothLinesAtZero)
{
    // Every filter residual is 0 whatever the stochastic does; 10 keeps the
    // trend offset exact (0.8 * 10 is 8 in doubles).
    Series stochK{};
    for (int i = 0; i < kMaxBars; ++i)
        stochK[i] = i % 3 == 0 ? 5 : 90 - 0.5 * i;  // deep in both zones, moving both ways
    const auto module = Analyzed(*StoreOf(150, [](int) { return 10.0; }), stochK);

    EXPECT_EQ(module->ita2Level[0], 10.0);
    EXPECT_EQ(module->ita1Level[0], 18.0);  // plus the settled offset 0.8 * 10
    EXPECT_EQ(module->trendSlope, 0.0);
    for (const Series* series : {&module->ita2Change, &module->ita2Line, &module->ita2Accel, &module->ita1Change,
                                 &module->ita1Line, &module->ita1Accel, &module->obv, &module->pvt})
        EXPECT_EQ(*series, Constant(0));
    for (const NamedSignalSet& set : module->AllSignalSets())
        EXPECT_EQ(SignalCount(*set.signals), 0) << set.name;
}

TEST(TrackingLines, ScanAtMostHundredFortyIndexes)
{
    // On the 150-bar wave line 2 peaks at bar 140 and line 1 at bar 141, so
    // their sells fall on the last index each scans: 139 for line 2 (0 to
    // 139), 140 for line 1 (140 down to 0: the first sell of its list). One
    // newer bar moves every signal one bar older while the scan stays at 140.
    struct Row {
        int newer;
        std::vector<int> line2Buys, line2Sells, line1Buys, line1Sells;
    };
    const Row rows[] = {
        {0, {50, 112}, {19, 82, 139}, {113, 50}, {140, 81, 18}},
        {1, {51, 113}, {20, 83}, {114, 51}, {82, 19}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.newer);
        const int c = 150 + row.newer;
        const auto module = Analyzed(*Wave(0.1, 1.1, c, row.newer), Constant(50));
        const SignalSet& set2 = module->ita2Signals;
        const SignalSet& set1 = module->ita1Signals;
        EXPECT_EQ(Bars(set2.buyBars, set2.buyCount), row.line2Buys);
        EXPECT_EQ(Bars(set2.sellBars, set2.sellCount), row.line2Sells);
        EXPECT_EQ(Bars(set1.buyBars, set1.buyCount), row.line1Buys);
        EXPECT_EQ(Bars(set1.sellBars, set1.sellCount), row.line1Sells);
        // Marked at the turning point, one bar before the signal.
        EXPECT_NEAR(set2.sellLevels[0], 0.02990622343502025, 1e-12);
        EXPECT_EQ(set2.sellLevels[0], module->ita2Line[row.line2Sells[0] + 1]);
        EXPECT_EQ(set1.sellLevels[0], module->ita1Line[row.line1Sells[0] + 1]);

        // Past their oldest entries changes and lines are cleared, not left
        // with the filter's velocity estimates.
        EXPECT_NE(module->ita2Change[c - 6], 0.0);
        EXPECT_TRUE(ZeroFrom(module->ita2Change, c - 5) && ZeroFrom(module->ita2Line, c - 6));
        EXPECT_TRUE(ZeroFrom(module->ita1Change, c - 6) && ZeroFrom(module->ita1Line, c - 7));
    }
}

TEST(TrackingLines, StochasticNudgesOnlyAgainstTheChange)
{
    // With a neutral stochastic each line is its change minus the change at
    // the line's oldest index (144 for line 2, 143 for line 1).
    const auto store = Wave(0.1, 1.0);
    const auto plain = Analyzed(*store, Constant(50));
    for (int i = 0; i <= 143; ++i) {
        ASSERT_NEAR(plain->ita2Line[i], plain->ita2Change[i] - plain->ita2Change[144], 1e-12) << i;
        ASSERT_NEAR(plain->ita1Line[i], plain->ita1Change[i] - plain->ita1Change[143], 1e-12) << i;
    }
    // The stochastic moves deeper into a zone at one bar. On this wave the
    // change of both lines rises at bar 30 and falls at bar 10.
    struct Row {
        bool line1;
        int bar;
        double k, kBefore;
        int nudge;  // -1 down, +1 up, 0 none
    };
    const Row rows[] = {
        {false, 30, 20, 30, -1},  // lower zone, change rising
        {false, 10, 20, 30, 0},   // lower zone, change falling with it
        {true, 10, 80, 70, +1},   // upper zone, change falling
        {true, 30, 80, 70, 0},    // upper zone, change rising with it
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << "line " << (row.line1 ? 1 : 2) << ", bar " << row.bar);
        Series stochK = Constant(50);
        stochK[row.bar] = row.k;
        stochK[row.bar + 1] = row.kBefore;
        const auto steered = Analyzed(*store, stochK);
        const Series& line = row.line1 ? steered->ita1Line : steered->ita2Line;
        const Series& unsteered = row.line1 ? plain->ita1Line : plain->ita2Line;
        const double before = unsteered[row.bar + 1];
        EXPECT_EQ(line[row.bar + 1], before);
        if (row.nudge == 0)
            EXPECT_EQ(line, unsteered);
        else
            EXPECT_DOUBLE_EQ(line[row.bar], before + row.nudge * 0.008 * std::abs(before));
    }
}

TEST(SignalTotals, SumTheTodayCountsOfAllSixteenSets)
{
    // Line 1 turns up at bar 1 of this wave: one buy of its own today. Of the
    // twelve earlier sets the MACD set has two buys today and the RSI set
    // one; a buy at scan index 5 is not today's.
    std::vector<SignalSet> earlier(12);
    earlier[3].RecordBuy(0, 0, 1.5);  // MACD crossover
    earlier[3].RecordBuy(0, 0, 0.5);  // and divergence turn
    earlier[4].RecordBuy(0, 0, 25);   // RSI
    earlier[11].RecordBuy(5, 5, -80);
    earlier[11].RecordSell(0, 0, 80);
    earlier[0].RecordSell(0, 1, 120);  // scan index 0 recorded at bar 1 counts
    const auto module = Analyzed(*Wave(0.11, 6.0), Constant(50), earlier);

    ASSERT_EQ(module->ita1Signals.buyToday, 1);
    EXPECT_EQ(module->ita1Signals.buyBars[module->ita1Signals.buyCount - 1], 0);
    for (const SignalSet* own : {&module->obvSignals, &module->pvtSignals, &module->ita2Signals})
        EXPECT_EQ(own->buyToday + own->sellToday, 0);
    EXPECT_EQ(module->todayBuyTotal, 4);
    EXPECT_EQ(module->todaySellTotal, 2);
}

TEST(VolumeForecast, SampleHistoryMatchesIndependentReferenceAndRerunsFromScratch)
{
    auto doc = LoadedSample("IBM");
    ASSERT_EQ(doc->store.barCount, 400);
    VolumeForecastAnalysis& module = doc->volumeForecast;

    // Values from a separate implementation reading the same files.
    EXPECT_EQ(module.obv[0], 100701600.0);
    EXPECT_NEAR(module.obvMa12[0], 104293791.66666666, 1e-6);
    EXPECT_NEAR(module.pvt[0], 1516620.5425423605, 1e-7);
    EXPECT_NEAR(module.ita2Line[0], 1.6965713458109906, 1e-10);
    EXPECT_NEAR(module.ita1Level[0], 222.44626430871034, 1e-10);
    EXPECT_NEAR(module.ita1Line[0], 5.554820170827277, 1e-10);
    EXPECT_NEAR(module.trendLevel, 99.0441308750176, 1e-10);
    EXPECT_EQ(Bars(module.obvSignals.sellBars, module.obvSignals.sellCount), (std::vector<int>{0, 19, 22}));
    EXPECT_EQ(module.ita2Signals.buyCount + module.ita2Signals.sellCount, 23 + 24);
    EXPECT_EQ(module.ita1Signals.buyCount + module.ita1Signals.sellCount, 15 + 16);
    EXPECT_EQ(module.ita1Signals.sellBars[0], 135);  // oldest first
    // Sells today: stochastic, %R, OBV, PVT and both lines.
    EXPECT_EQ(module.todayBuyTotal, 0);
    EXPECT_EQ(module.todaySellTotal, 6);

    // A second run over nine bars leaves nothing of the first.
    const auto shortStore = StoreOf(9, [](int i) { return 20.0 + i % 4; });
    module.Analyze(*shortStore, doc->oscillators.stochK, {});
    const auto fresh = Analyzed(*shortStore, doc->oscillators.stochK);
    ExpectSameResults(module, *fresh);
    EXPECT_EQ(module.trendLevel, fresh->trendLevel);
    EXPECT_EQ(module.todaySellTotal, 0);
}
