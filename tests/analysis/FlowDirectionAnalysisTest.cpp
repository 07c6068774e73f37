#include "analysis/FlowDirectionAnalysis.h"
#include "document/CTarnwickDoc.h"
#include "support/ModuleChecks.h"
#include "support/SampleDocument.h"
#include "support/TestStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

std::unique_ptr<FlowDirectionAnalysis> Analyzed(const QuoteSeries& store)
{
    auto module = std::make_unique<FlowDirectionAnalysis>();
    module->Analyze(store);
    return module;
}

// Number of entries before the first 0.
int FilledLength(const Series& series)
{
    int n = 0;
    while (n < kMaxBars && series[n] != 0)
        ++n;
    return n;
}

// 18 bars whose close (= high = low) alternates: even bars at `risingClose`,
// odd bars at 10, so in every window the even bars are the rising days and
// the odd bars the falling ones. Odd bars trade `falling`, even bars `rising`,
// except bar 0 (only in the window at 0) and bar 14 (only in the window at 1).
std::unique_ptr<QuoteSeries> AlternatingBars(double risingClose, double falling, double rising, double bar0,
                                             double bar14)
{
    auto store = std::make_unique<QuoteSeries>();
    for (int i = 0; i < 18; ++i) {
        const double close = i % 2 == 0 ? risingClose : 10.0;
        store->open[i] = store->high[i] = store->low[i] = store->close[i] = close;
        store->volume[i] = i == 0 ? bar0 : i == 14 ? bar14 : i % 2 == 0 ? rising : falling;
    }
    store->barCount = 18;
    return store;
}

// A gentle wave with two closes placed (by bisection) so that cci15 is -90
// on bar 2 and -70 on bar 1; a bar's cci15 depends on it and the 28 before.
double CciClose(int i)
{
    return i == 2 ? 45.6740219601 : i == 1 ? 46.089408934 : 50.0 + 5.0 * std::sin(0.45 * i);
}

}  // namespace

TEST(MoneyFlow, FifteenBarsGiveOneWindowAndNoFallingDayGivesHundred)
{
    // High and low 1 either side of the close (typical price = close), volume
    // 1000 + 10 i; equal typical prices count on neither side.
    const auto mixed = Analyzed(*StoreOf(15, [](int i) { return i == 0 ? 12.0 : i == 1 ? 10.0 : 11.0; }));
    EXPECT_NEAR(mixed->mfi14[0], 12.0 * 1000 / (12.0 * 1000 + 10.0 * 1010) * 100, 1e-12);
    EXPECT_TRUE(ZeroFrom(mixed->mfi14, 1));
    // The volatility needs 20 bars, the DMI 33, the CCI 61.
    for (const Series* series : {&mixed->volatility10, &mixed->dmiPlus, &mixed->dmiMinus, &mixed->adx14,
                                 &mixed->cci15, &mixed->cci30})
        EXPECT_TRUE(ZeroFrom(*series, 0));

    EXPECT_EQ(Analyzed(*StoreOf(15, [](int i) { return i == 0 ? 12.0 : 11.0; }))->mfi14[0], 100.0);
}

TEST(MoneyFlow, BuyNeedsStrictlyAboveThirtyAfterBelowThirty)
{
    // Flows in the ratio 3 : 7 cannot give exactly 30 in doubles: 1 - 1 / (x + 1)
    // lands one rounding step below or above it. Yesterday's window is exactly
    // 25 in each row; 18 bars scan index 0 only for buys.
    struct Row {
        double risingClose, falling, rising, bar0, bar14;
        double mfiToday;
        int buys;
    };
    const Row rows[] = {
        {12.8, 96, 14, 141, 91, 29.999999999999993, 0},
        {10.2, 153, 29, 276, 176, 30.000000000000004, 1},
        {12.8, 96, 14, 300, 91, 42.244224422442244, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mfiToday);
        const auto module = Analyzed(*AlternatingBars(row.risingClose, row.falling, row.rising, row.bar0, row.bar14));
        EXPECT_DOUBLE_EQ(module->mfi14[0], row.mfiToday);
        EXPECT_EQ(module->mfi14[1], 25.0);
        const SignalSet& set = module->mfiSignals;
        ASSERT_EQ(set.buyCount, row.buys);
        EXPECT_EQ(set.buyToday, row.buys);
        EXPECT_EQ(set.buyLevels[0], row.buys == 1 ? 30.0 : 0.0);
        EXPECT_EQ(set.sellCount, 0);
    }
}

TEST(MoneyFlow, UndefinedWindowStoresZeroAndIsNeverACrossing)
{
    // Negative volumes make the rising flow the exact opposite of the falling
    // one: pos / neg + 1 = 0. Read as 0, such an entry would be "below 30" to
    // the buy rule and "below 70" to the sell rule.
    auto module = Analyzed(*AlternatingBars(20, 12, -6, 100, -6));  // windows 1 to 3 undefined
    EXPECT_NEAR(module->mfi14[0], 1280.0 / 2120 * 100, 1e-9);
    EXPECT_EQ(module->mfi14[1], 0.0);
    EXPECT_EQ(SignalCount(module->mfiSignals), 0);
    ExpectEverySeriesFinite(*module);

    module = Analyzed(*AlternatingBars(20, 12, -6, -6, 200));  // window 0 undefined
    EXPECT_EQ(module->mfi14[0], 0.0);
    EXPECT_NEAR(module->mfi14[1], 3280.0 / 4120 * 100, 1e-9);
    EXPECT_EQ(SignalCount(module->mfiSignals), 0);
    ExpectEverySeriesFinite(*module);
}

TEST(Volatility, NeedsTwentyBarsAndFollowsTheSmoothedRange)
{
    // A constant day range of 2: from the seed 0.03 one entry past the oldest
    // bar, the smoothed range at bar i is 2 - 1.97 q^(c - i), q = 9/11.
    for (int bars : {19, 20, 21}) {
        SCOPED_TRACE(bars);
        const auto module = Analyzed(*StoreOf(bars, [](int) { return 50.0; }));
        EXPECT_EQ(FilledLength(module->volatility10), bars - 19);
        EXPECT_TRUE(ZeroFrom(module->volatility10, bars - 19));
        for (int k = 0; k <= bars - 20; ++k) {
            const double now = 2 - 1.97 * std::pow(9.0 / 11, bars - k);
            const double before = 2 - 1.97 * std::pow(9.0 / 11, bars - k - 9);
            EXPECT_NEAR(module->volatility10[k], (now / before - 1) * 100, 1e-9);
        }
    }
}

TEST(DirectionalMovement, ThirtyThreeBarsFillEighteenEntriesAndFiveAdx)
{
    // Every bar one lower than the one before (high and low 1 either side of
    // the close): minus movement 1, true range 2, so DMI- is 50, DMI+ 0 and
    // DX 1. Then bar 0 jumps 20: plus movement 20, true range 21 (high 122
    // against the previous close 101), and DMI+ crosses over DMI-.
    const auto close = [](int i) { return i == 0 ? 121.0 : 100.0 + i; };
    const auto module = Analyzed(*StoreOf(33, close));
    EXPECT_NEAR(module->dmiPlus[0], 2000.0 / 47, 1e-9);  // (20/14) / ((13 * 2 + 21) / 14)
    EXPECT_NEAR(module->dmiMinus[0], 1300.0 / 47, 1e-9);
    EXPECT_NEAR(module->adx14[0], (13.0 + 7.0 / 33) / 14 * 100, 1e-9);  // DX[0] = 7/33
    EXPECT_NEAR(module->dmiMinus[17], 50, 1e-9);
    EXPECT_EQ(FilledLength(module->dmiMinus), 18);
    EXPECT_TRUE(ZeroFrom(module->dmiPlus, 1));
    EXPECT_NEAR(module->adx14[4], 100, 1e-9);
    EXPECT_EQ(FilledLength(module->adx14), 5);
    EXPECT_TRUE(ZeroFrom(module->adx14, 5));

    const SignalSet& set = module->dmiSignals;
    ASSERT_EQ(set.buyCount, 1);
    EXPECT_EQ(set.buyToday, 1);
    EXPECT_EQ(set.buyBars[0], 0);
    EXPECT_EQ(set.buyLevels[0], module->dmiPlus[0]);
    EXPECT_EQ(set.sellCount, 0);

    // One bar fewer: no directional movement at all.
    const auto shorter = Analyzed(*StoreOf(32, close));
    EXPECT_TRUE(ZeroFrom(shorter->dmiMinus, 0));
    EXPECT_TRUE(ZeroFrom(shorter->adx14, 0));
    EXPECT_EQ(SignalCount(shorter->dmiSignals), 0);
}

TEST(CommodityChannel, SixtyOneBarsGiveThreeEntriesAndScanIndexZeroOnly)
{
    struct Row {
        const char* what;
        int bars;
        int shift;  // store bar i is wave bar i + shift
        int filled;
        int buyBar;  // -1: no buy
    };
    const Row rows[] = {
        {"60 bars: no CCI", 60, 1, 0, -1},
        {"-90 yesterday, -70 today", 61, 1, 3, 0},
        {"crossing at scan index 1, past the scan of 61 bars", 61, 0, 3, -1},
        // Bar 3 at +99.8, bar 2 at -90 would be a sell at scan index 2: past it.
        {"62 bars scan indexes 0 and 1", 62, 0, 4, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const int shift = row.shift;
        const auto module = Analyzed(*StoreOf(row.bars, [shift](int i) { return CciClose(i + shift); }));
        EXPECT_EQ(FilledLength(module->cci15), row.filled);
        EXPECT_EQ(FilledLength(module->cci30), row.filled);
        EXPECT_TRUE(ZeroFrom(module->cci15, row.filled) && ZeroFrom(module->cci30, row.filled));
        if (row.filled > 0) {
            EXPECT_NEAR(module->cci15[1 - shift], -70, 1e-6);
            EXPECT_NEAR(module->cci15[2 - shift], -90, 1e-6);
        }
        const SignalSet& set = module->cciSignals;
        EXPECT_EQ(set.sellCount, 0);
        ASSERT_EQ(set.buyCount, row.buyBar < 0 ? 0 : 1);
        EXPECT_EQ(set.buyToday, row.buyBar == 0 ? 1 : 0);
        if (row.buyBar >= 0) {
            EXPECT_EQ(set.buyBars[0], row.buyBar);
            EXPECT_EQ(set.buyLevels[0], -80.0);
        }
    }
}

TEST(FlowDirection, FlatBarsStoreZeroForEveryUndefinedDivision)
{
    // 100 identical bars but the oldest, whose high lies below its low by just
    // what takes the smoothed range from its seed 0.03 to exactly 0 (the only
    // way it gets there). Every volatility entry then divides by 0, the true
    // range is 0 throughout (DMI+ = x / 0, DMI- = 0 / 0), and every CCI window
    // has zero mean deviation.
    auto store = StoreOf(100, [](int) { return 50.0; });
    for (int i = 0; i < 100; ++i)
        store->high[i] = store->low[i] = 50;
    store->high[99] = 0.01;
    store->low[99] = 0.145;
    const auto module = Analyzed(*store);

    ExpectEverySeriesFinite(*module);
    for (const Series* series : {&module->volatility10, &module->dmiPlus, &module->dmiMinus, &module->adx14,
                                 &module->cci15, &module->cci30})
        EXPECT_TRUE(ZeroFrom(*series, 0));
    EXPECT_EQ(module->mfi14[0], 100.0);  // no falling day
    for (const NamedSignalSet& set : module->AllSignalSets())
        EXPECT_EQ(SignalCount(*set.signals), 0) << set.name;
}

TEST(FlowDirection, SampleHistoryMatchesIndependentReferenceAndRerunsFromScratch)
{
    auto doc = LoadedSample("IBM");
    ASSERT_EQ(doc->store.barCount, 400);
    FlowDirectionAnalysis& module = doc->flowDirection;

    // Values from a separate implementation reading the same files.
    EXPECT_NEAR(module.mfi14[0], 52.3288828528439, 1e-9);
    EXPECT_NEAR(module.volatility10[0], -18.663853751162833, 1e-9);
    EXPECT_NEAR(module.dmiPlus[0], 24.51340106245965, 1e-9);
    EXPECT_NEAR(module.dmiMinus[0], 15.65840568432861, 1e-9);
    EXPECT_NEAR(module.adx14[0], 31.180205592759535, 1e-9);
    EXPECT_NEAR(module.cci15[0], -6.129069696752795, 1e-9);
    EXPECT_NEAR(module.cci30[0], 38.34573892879568, 1e-9);
    EXPECT_EQ(FilledLength(module.cci15), 342);
    EXPECT_EQ(FilledLength(module.adx14), 372);
    EXPECT_EQ(SignalCount(module.mfiSignals), 0);
    ASSERT_EQ(module.dmiSignals.buyCount + module.dmiSignals.sellCount, 2);
    EXPECT_EQ(module.dmiSignals.buyBars[0], 20);
    EXPECT_NEAR(module.dmiSignals.buyLevels[0], 25.254656217944156, 1e-9);
    EXPECT_EQ(module.dmiSignals.sellBars[0], 22);
    ASSERT_EQ(module.cciSignals.sellCount, 2);
    EXPECT_EQ(module.cciSignals.sellBars[1], 10);

    // A second run over 15 bars leaves nothing of the first.
    const auto shortStore = StoreOf(15, [](int i) { return 20.0 + i % 3; });
    module.Analyze(*shortStore);
    ExpectSameResults(module, *Analyzed(*shortStore));
}
