#include "analysis/FlowDirectionAnalysis.h"

#include "analysis/SeriesMath.h"
#include "analysis/SignalTitles.h"

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
    Series tp{};
    for (int i = 0; i < store.BarsLoaded(); ++i)
        tp[i] = (store.close[i] + store.high[i] + store.low[i]) * kOneThird;
    return tp;
}

// Wilder smoothing from a 14-bar seed at `seed` toward bar 0.
void WilderSmooth(const Series& raw, int seed, int seedBars, Series& smooth)
{
    double sum = 0;
    for (int j = seed; j < seed + seedBars; ++j)
        sum += raw[j];
    smooth[seed] = sum * kOneFourteenth;
    for (int i = seed - 1; i >= 0; --i)
        smooth[i] = smooth[i + 1] * kThirteenFourteenths + raw[i] * kOneFourteenth;
}

// Mean over the n bars from i of each bar's distance from its own average.
double MeanDeviation(const Series& tp, const Series& average, int i, int n, double oneOverN)
{
    double sum = 0;
    for (int j = i; j < i + n; ++j)
        sum += std::abs(average[j] - tp[j]);
    return sum * oneOverN;
}

double WindowMean(const Series& values, int i, int n, double oneOverN)
{
    double sum = 0;
    for (int j = i; j < i + n; ++j)
        sum += values[j];
    return sum * oneOverN;
}

}  // namespace

void FlowDirectionAnalysis::Analyze(const QuoteSeries& store)
{
    *this = FlowDirectionAnalysis{};
    const int c = store.BarsLoaded();

    ComputeMoneyFlow(store);
    FindMoneyFlowSignals(c);
    ComputeVolatility(store);
    if (c >= kDirectionalMinBars) {
        ComputeDirectionalMovement(store);
        FindDirectionalSignals(c);
    }
    if (c >= kCommodityMinBars) {
        ComputeCommodityChannel(store);
        FindCommodityChannelSignals(c);
    }

    StoreUndefinedAsZero({&mfi14, &volatility10, &dmiPlus, &dmiMinus, &adx14, &cci15, &cci30});
}

void FlowDirectionAnalysis::ComputeMoneyFlow(const QuoteSeries& store)
{
    const int c = store.BarsLoaded();
    const Series tp = TypicalPrices(store);
    for (int i = 0; i <= c - 15; ++i) {
        double rising = 0;
        double falling = 0;
        // Days whose typical price did not change count on neither side.
        for (int j = i; j < i + 14; ++j) {
            const double flow = tp[j] * store.volume[j];
            if (tp[j] > tp[j + 1])
                rising += flow;
            else if (tp[j] < tp[j + 1])
                falling += flow;
        }
        mfi14[i] = falling != 0 ? (1 - Ratio(1, rising / falling + 1)) * 100 : 100;
    }
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
    std::array<double, kMaxBars + 1> range{};
    range[c] = kInitialRange;
    for (int i = c - 1; i >= 0; --i)
        range[i] = range[i + 1] + ((store.high[i] - store.low[i]) - range[i + 1]) * kRangeFactor;
    for (int k = 0; k <= c - 20; ++k)
        volatility10[k] = Ratio(range[k] - range[k + 9], range[k + 9]) * 100;
}

void FlowDirectionAnalysis::ComputeDirectionalMovement(const QuoteSeries& store)
{
    const Series& high = store.high;
    const Series& low = store.low;
    const Series& close = store.close;
    const int c = store.BarsLoaded();

    Series plusMove{};
    Series minusMove{};
    Series trueRange{};
    for (int i = 0; i <= c - 2; ++i) {
        const double up = high[i] - high[i + 1];
        const double dn = low[i] - low[i + 1];
        // When the rise equals the fall both movements count.
        plusMove[i] = (up < 0 || (dn < 0 && up < std::abs(dn))) ? 0 : up;
        minusMove[i] = (dn <= 0 && (up <= 0 || std::abs(dn) >= up)) ? -dn : 0;
        trueRange[i] = std::max({std::abs(high[i] - low[i]), std::abs(high[i] - close[i + 1]),
                                 std::abs(low[i] - close[i + 1])});
    }

    const int seed = c - 15;
    Series smoothPlus{};
    Series smoothMinus{};
    Series smoothRange{};
    WilderSmooth(plusMove, seed, 14, smoothPlus);
    WilderSmooth(minusMove, seed, 14, smoothMinus);
    WilderSmooth(trueRange, seed, 14, smoothRange);

    Series directional{};
    for (int i = 0; i < seed; ++i) {
        dmiPlus[i] = Ratio(smoothPlus[i], smoothRange[i]) * 100;
        dmiMinus[i] = Ratio(smoothMinus[i], smoothRange[i]) * 100;
        const double dx = Ratio(std::abs(dmiPlus[i] - dmiMinus[i]), dmiPlus[i] + dmiMinus[i]);
        // No directional movement at all (flat bars): the index is 0, so the
        // ADX fades instead of being lost for every newer bar.
        directional[i] = std::isfinite(dx) ? dx : 0;
    }

    const int adxSeed = c - 29;
    Series adx{};
    WilderSmooth(directional, adxSeed, 14, adx);
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
    Series tp{};
    for (int i = 0; i < c; ++i)
        tp[i] = (store.low[i] + store.high[i] + store.close[i]) * kOneThird;

    Series average15{};
    Series average30{};
    for (int i = c - 30; i >= 0; --i) {
        average15[i] = WindowMean(tp, i, 15, kOneFifteenth);
        average30[i] = WindowMean(tp, i, 30, kOneThirtieth);
    }
    // Each bar's deviation is taken from that bar's own average.
    for (int i = c - 59; i >= 0; --i) {
        const double deviation15 = MeanDeviation(tp, average15, i, 15, kOneFifteenth);
        const double deviation30 = MeanDeviation(tp, average30, i, 30, kOneThirtieth);
        cci15[i] = Ratio((tp[i] - average15[i]) * kInverseCciConstant, deviation15);
        cci30[i] = Ratio((tp[i] - average30[i]) * kInverseCciConstant, deviation30);
    }
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
