#include "analysis/FlowDirectionAnalysis.h"

#include "analysis/SeriesMath.h"
#include "analysis/SignalTitles.h"
#include "analysis/WindowSums.h"

namespace {

constexpr double kOneThird = 0.3333333333333333;
constexpr double kRangeFactor = 0.18181818181818182;  // 2/11: a 10-bar EMA
constexpr double kInitialRange = 0.03;
constexpr double kOneFourteenth = 0.07142857142857142;
constexpr double kThirteenFourteenths = 0.9285714285714286;
constexpr double kOneFifteenth = 0.06666666666666667;
constexpr double kOneThirtieth = 0.03333333333333333;
constexpr double kInverseCciConstant = 66.66666666666667;  // 1 / 0.015
constexpr int kDirectionalMinBars = 33;
constexpr int kCommodityMinBars = 61;

Series TypicalPrices(const QuoteSeries& store)
{
    Series tp;
    for (int i = 0; i < store.BarsLoaded(); ++i)
        tp[i] = (store.close[i] + store.high[i] + store.low[i]) * kOneThird;
    return tp;
}

// Wilder smoothing of each raw series from a 14-bar seed at `seed` toward
// bar 0. The series are smoothed side by side, each its own chain, so the
// processor overlaps them.
template <std::size_t N>
void WilderSmooth(const std::array<const Series*, N>& raws, int seed, int seedBars,
                  const std::array<Series*, N>& smooths)
{
    std::array<double, N> last;
    for (std::size_t k = 0; k < N; ++k) {
        double sum = 0;
        for (int j = seed; j < seed + seedBars; ++j)
            sum += (*raws[k])[j];
        last[k] = sum * kOneFourteenth;
        (*smooths[k])[seed] = last[k];
    }
    for (int i = seed - 1; i >= 0; --i)
        for (std::size_t k = 0; k < N; ++k) {
            last[k] = last[k] * kThirteenFourteenths + (*raws[k])[i] * kOneFourteenth;
            (*smooths[k])[i] = last[k];
        }
}

}  // namespace

void FlowDirectionAnalysis::Analyze(const QuoteSeries& store)
{
    const int c = store.BarsLoaded();
    ClearFrom(mfi14, c - 14);
    ClearFrom(volatility10, c - 19);
    // The signal rules read the entry behind the last directional one: it stays 0.
    const bool directional = c >= kDirectionalMinBars;
    ClearFrom(dmiPlus, directional ? c - 15 : 0);
    ClearFrom(dmiMinus, directional ? c - 15 : 0);
    ClearFrom(adx14, directional ? c - 28 : 0);
    const bool commodity = c >= kCommodityMinBars;
    ClearFrom(cci15, commodity ? c - 58 : 0);
    ClearFrom(cci30, commodity ? c - 58 : 0);
    mfiSignals.Clear();
    dmiSignals.Clear();
    cciSignals.Clear();

    ComputeMoneyFlow(store);
    FindMoneyFlowSignals(c);
    ComputeVolatility(store);
    if (directional) {
        ComputeDirectionalMovement(store);
        FindDirectionalSignals(c);
    }
    if (commodity) {
        ComputeCommodityChannel(store);
        FindCommodityChannelSignals(c);
    }

    StoreUndefinedAsZero({&mfi14, &volatility10, &dmiPlus, &dmiMinus, &adx14, &cci15, &cci30});
}

void FlowDirectionAnalysis::ComputeMoneyFlow(const QuoteSeries& store)
{
    const int c = store.BarsLoaded();
    const Series tp = TypicalPrices(store);
    // Each day's flow on the side its typical price moved to, 0 on the other
    // and on both when it did not change: adding +0.0 leaves a sum that
    // started at +0.0 bit for bit as it was.
    Series risingFlow;
    Series fallingFlow;
    for (int j = 0; j < c - 1; ++j) {
        const double flow = tp[j] * store.volume[j];
        risingFlow[j] = tp[j] > tp[j + 1] ? flow : 0.0;
        fallingFlow[j] = tp[j] < tp[j + 1] ? flow : 0.0;
    }
    const int count = c - 14;
    Series rising;
    Series falling;
    WindowSums(risingFlow.data(), 14, count, rising.data());
    WindowSums(fallingFlow.data(), 14, count, falling.data());
    MapPairs(mfi14.data(), count, [](auto rise, auto fall) {
        using T = decltype(rise);
        const T index = (1 - Ratio(Both<T>(1), rise / fall + 1)) * 100;
        return fall != 0 ? index : Both<T>(100);
    }, rising.data(), falling.data());
}

void FlowDirectionAnalysis::FindMoneyFlowSignals(int c)
{
    const int buyScan = ScanLength(c, 17, 30);
    for (int i = 0; i < buyScan; ++i)
        if (mfi14[i] > 30 && mfi14[i + 1] < 30)
            mfiSignals.RecordBuy(i, i, 30);
    const int sellScan = ScanLength(c, 15, 30);
    for (int i = 0; i < sellScan; ++i)
        if (mfi14[i] < 70 && mfi14[i + 1] > 70)
            mfiSignals.RecordSell(i, i, 70);
}

void FlowDirectionAnalysis::ComputeVolatility(const QuoteSeries& store)
{
    const int c = store.BarsLoaded();
    // One entry past the oldest bar seeds the average of the day's range.
    std::array<double, kMaxBars + 1> range;
    range[c] = kInitialRange;
    for (int i = c - 1; i >= 0; --i)
        range[i] = range[i + 1] + ((store.high[i] - store.low[i]) - range[i + 1]) * kRangeFactor;
    MapPairs(volatility10.data(), c - 19, [](auto newer, auto older) { return Ratio(newer - older, older) * 100; },
             range.data(), range.data() + 9);
}

void FlowDirectionAnalysis::ComputeDirectionalMovement(const QuoteSeries& store)
{
    const Series& high = store.high;
    const Series& low = store.low;
    const Series& close = store.close;
    const int c = store.BarsLoaded();

    Series plusMove;
    Series minusMove;
    Series trueRange;
    for (int i = 0; i <= c - 2; ++i) {
        const double up = high[i] - high[i + 1];
        const double dn = low[i] - low[i + 1];
        // When the rise equals the fall both movements count. The conditions
        // are taken whole (| and &, not || and &&) and the largest range in
        // two steps, so the loop has no branches and becomes vector code.
        const bool plusLost = (up < 0) | ((dn < 0) & (up < std::abs(dn)));
        const bool minusCounts = (dn <= 0) & ((up <= 0) | (std::abs(dn) >= up));
        plusMove[i] = plusLost ? 0 : up;
        minusMove[i] = minusCounts ? -dn : 0;
        trueRange[i] = std::max(std::max(std::abs(high[i] - low[i]), std::abs(high[i] - close[i + 1])),
                                std::abs(low[i] - close[i + 1]));
    }

    const int seed = c - 15;
    Series smoothPlus;
    Series smoothMinus;
    Series smoothRange;
    WilderSmooth(std::array<const Series*, 3>{&plusMove, &minusMove, &trueRange}, seed, 14,
                 std::array{&smoothPlus, &smoothMinus, &smoothRange});

    const auto percent = [](auto part, auto range) { return Ratio(part, range) * 100; };
    MapPairs(dmiPlus.data(), seed, percent, smoothPlus.data(), smoothRange.data());
    MapPairs(dmiMinus.data(), seed, percent, smoothMinus.data(), smoothRange.data());
    Series directional;
    MapPairs(directional.data(), seed, [](auto plus, auto minus) {
        using T = decltype(plus);
        const T dx = Ratio(Abs(plus - minus), plus + minus);
        // No directional movement at all (flat bars): the index is 0, so the
        // ADX fades instead of being lost for every newer bar.
        return Abs(dx) <= std::numeric_limits<double>::max() ? dx : Both<T>(0);
    }, dmiPlus.data(), dmiMinus.data());

    const int adxSeed = c - 29;
    Series adx;
    WilderSmooth(std::array<const Series*, 1>{&directional}, adxSeed, 14, std::array{&adx});
    for (int i = 0; i <= adxSeed; ++i)
        adx14[i] = adx[i] * 100;
}

void FlowDirectionAnalysis::FindDirectionalSignals(int c)
{
    const int scan = ScanLength(c, 15, 30);
    for (int i = 0; i < scan; ++i)
        if (dmiPlus[i] >= dmiMinus[i] && dmiPlus[i + 1] < dmiMinus[i + 1] && dmiPlus[i] >= dmiPlus[i + 1] &&
            dmiMinus[i] < dmiMinus[i + 1])
            dmiSignals.RecordBuy(i, i, dmiPlus[i]);
    for (int i = 0; i < scan; ++i)
        if (dmiPlus[i] <= dmiMinus[i] && dmiPlus[i + 1] > dmiMinus[i + 1] && dmiMinus[i] >= dmiMinus[i + 1] &&
            dmiPlus[i] < dmiPlus[i + 1])
            dmiSignals.RecordSell(i, i, dmiMinus[i]);
}

void FlowDirectionAnalysis::ComputeCommodityChannel(const QuoteSeries& store)
{
    const int c = store.BarsLoaded();
    Series tp;
    for (int i = 0; i < c; ++i)
        tp[i] = (store.low[i] + store.high[i] + store.close[i]) * kOneThird;

    const int averages = c - 29;
    Series average15;
    Series average30;
    NestedWindowSums(tp.data(), std::array{15, 30}, std::array{averages, averages},
                     std::array{average15.data(), average30.data()});
    for (int i = 0; i < averages; ++i) {
        average15[i] = average15[i] * kOneFifteenth;
        average30[i] = average30[i] * kOneThirtieth;
    }

    // Each bar's deviation is taken from that bar's own average, so it is
    // the same in every window that holds the bar.
    Series distance15;
    Series distance30;
    for (int j = 0; j < averages; ++j) {
        distance15[j] = std::abs(average15[j] - tp[j]);
        distance30[j] = std::abs(average30[j] - tp[j]);
    }
    const int count = c - 58;
    Series deviation15;
    Series deviation30;
    WindowSums(distance15.data(), 15, count, deviation15.data());
    WindowSums(distance30.data(), 30, count, deviation30.data());
    MapPairs(cci15.data(), count, [](auto price, auto average, auto deviation) {
        return Ratio((price - average) * kInverseCciConstant, deviation * kOneFifteenth);
    }, tp.data(), average15.data(), deviation15.data());
    MapPairs(cci30.data(), count, [](auto price, auto average, auto deviation) {
        return Ratio((price - average) * kInverseCciConstant, deviation * kOneThirtieth);
    }, tp.data(), average30.data(), deviation30.data());
}

void FlowDirectionAnalysis::FindCommodityChannelSignals(int c)
{
    const int scan = ScanLength(c, 60, 30);
    for (int i = 0; i < scan; ++i)
        if (cci15[i] > -80 && cci15[i + 1] <= -80)
            cciSignals.RecordBuy(i, i, -80);
    for (int i = 0; i < scan; ++i)
        if (cci15[i] < 80 && cci15[i + 1] >= 80)
            cciSignals.RecordSell(i, i, 80);
}

SeriesList FlowDirectionAnalysis::AllSeries() const
{
    return {{"mfi14", &mfi14},     {"volatility10", &volatility10}, {"dmiPlus", &dmiPlus}, {"dmiMinus", &dmiMinus},
            {"adx14", &adx14},     {"cci15", &cci15},               {"cci30", &cci30}};
}

SignalSetList FlowDirectionAnalysis::AllSignalSets() const
{
    return {{SignalTitles::kMfi.setName, &mfiSignals},
            {SignalTitles::kDmi.setName, &dmiSignals},
            {SignalTitles::kCci.setName, &cciSignals}};
}
