#include "analysis/OscillatorAnalysis.h"

#include "analysis/SeriesMath.h"
#include "analysis/SignalTitles.h"
#include "analysis/SlidingExtremes.h"
#include "analysis/WindowSums.h"

namespace {

// Smoothing factors 2/(n+1) of the MACD averages, and of its signal lines.
constexpr double kFactor8 = 0.2222222222222222;
constexpr double kFactor17 = 0.1111111111111111;
constexpr double kFactor12 = 0.15384615384615385;
constexpr double kFactor26 = 0.07407407407407407;
constexpr double kSignalFactor = 0.2;
constexpr double kOneThird = 0.3333333333333333;
constexpr double kOneTwelfth = 0.08333333333333333;
constexpr double kOneTenth = 0.1;

// x crossing its average a at scan index i: up (buy) or down (sell), moving
// the same way.
void FindAverageCrossings(const Series& x, const Series& a, int scan, SignalSet& signals)
{
    for (int i = 0; i < scan; ++i)
        if (x[i] > a[i] && x[i + 1] < a[i + 1] && x[i] > x[i + 1])
            signals.RecordBuy(i, i, a[i]);
    for (int i = 0; i < scan; ++i)
        if (x[i] < a[i] && x[i + 1] > a[i + 1] && x[i] < x[i + 1])
            signals.RecordSell(i, i, a[i]);
}

}  // namespace

void OscillatorAnalysis::Analyze(const QuoteSeries& store)
{
    const int c = store.BarsLoaded();
    // The signal lines start from the 0 behind the oldest bar.
    for (Series* series : {&fastMacdSignal, &macdSignal, &fastMacd, &macd, &fastMacdDivergence, &macdDivergence})
        ClearFrom(*series, c - 1);
    ClearFrom(rsi7, c - 7);
    ClearFrom(rsi14, c - 14);
    ClearFrom(stochK, c - 3);
    ClearFrom(stochD, c - 3);
    ClearFrom(williamsR, c - 9);
    ClearFrom(volumeRangeIndex, c - 9);
    ClearFrom(momentum, c - 11);
    ClearFrom(momentumMa, c - 22);
    ClearFrom(roc, c - 9);
    ClearFrom(rocMa, c - 18);
    for (SignalSet* signals : {&macdSignals, &rsiSignals, &stochSignals, &williamsSignals, &momentumSignals, &rocSignals})
        signals->Clear();

    ComputeMacd(store);
    FindMacdSignals(c);
    ComputeRsi(store);
    FindRsiSignals(c);
    ComputeStochastic(store);
    FindStochasticSignals(c);
    ComputeWilliamsR(store);
    ComputeVolumeRangeIndex(store);
    FindWilliamsSignals(c);
    ComputeMomentumAndRoc(store);
    const int scan = ScanLength(c, 19, 30);
    FindAverageCrossings(momentum, momentumMa, scan, momentumSignals);
    FindAverageCrossings(roc, rocMa, scan, rocSignals);

    StoreUndefinedAsZero({&rsi7, &rsi14, &williamsR, &volumeRangeIndex, &roc, &rocMa});
}

void OscillatorAnalysis::ComputeMacd(const QuoteSeries& store)
{
    const int c = store.BarsLoaded();
    if (c < 1)
        return;
    // The averages start from the oldest close itself, not its weighted price.
    double e8 = store.close[c - 1];
    double e17 = e8;
    double e12 = e8;
    double e26 = e8;
    for (int i = c - 2; i >= 0; --i) {
        const double weighted = (2 * store.close[i] + store.high[i] + store.low[i]) * 0.25;
        e8 = e8 + (weighted - e8) * kFactor8;
        e17 = e17 + (weighted - e17) * kFactor17;
        e12 = e12 + (weighted - e12) * kFactor12;
        e26 = e26 + (weighted - e26) * kFactor26;
        fastMacd[i] = e8 - e17;
        macd[i] = e12 - e26;
        fastMacdSignal[i] = fastMacdSignal[i + 1] + (fastMacd[i] - fastMacdSignal[i + 1]) * kSignalFactor;
        macdSignal[i] = macdSignal[i + 1] + (macd[i] - macdSignal[i + 1]) * kSignalFactor;
        fastMacdDivergence[i] = fastMacd[i] - fastMacdSignal[i];
        macdDivergence[i] = macd[i] - macdSignal[i];
    }
}

void OscillatorAnalysis::FindMacdSignals(int c)
{
    const int crossScan = ScanLength(c, 2, 30);
    for (int i = 0; i < crossScan; ++i)
        if (macd[i] >= macdSignal[i] && macd[i + 1] < macdSignal[i + 1] && macd[i] > macd[i + 1])
            macdSignals.RecordBuy(i, i, macdSignal[i]);
    for (int i = 0; i < crossScan; ++i)
        if (macd[i] <= macdSignal[i] && macd[i + 1] > macdSignal[i + 1] && macd[i] < macd[i + 1])
            macdSignals.RecordSell(i, i, macdSignal[i]);

    // A turn of the 12/26 divergence at bar i + 1, marked on the 8/17 divergence.
    const Series& d = macdDivergence;
    const int turnScan = ScanLength(c, 4, 29);
    for (int i = 0; i < turnScan; ++i)
        if (d[i] > d[i + 1] && d[i + 1] < d[i + 2])
            macdSignals.RecordBuy(i, i, fastMacdDivergence[i]);
    for (int i = 0; i < turnScan; ++i)
        if (d[i] < d[i + 1] && d[i + 1] > d[i + 2])
            macdSignals.RecordSell(i, i, fastMacdDivergence[i]);
}

void OscillatorAnalysis::ComputeRsi(const QuoteSeries& store)
{
    const Series& close = store.close;
    const int c = store.BarsLoaded();
    // Each day's rise and fall, 0 for the side it did not move to: adding
    // +0.0 leaves a sum that started at +0.0 bit for bit as it was.
    Series rises;
    Series falls;
    for (int j = 0; j < c - 1; ++j) {
        rises[j] = close[j] > close[j + 1] ? close[j] - close[j + 1] : 0.0;
        falls[j] = close[j] < close[j + 1] ? close[j + 1] - close[j] : 0.0;
    }
    // The differences of the window are summed as they are, without smoothing.
    constexpr std::array kPeriods{7, 14};
    const std::array counts{c - kPeriods[0], c - kPeriods[1]};
    std::array<Series, 2> up;
    ForEachNestedWindowSum(rises.data(), kPeriods, counts, [&](int k, int i, double sum) { up[k][i] = sum; });
    const std::array outs{&rsi7, &rsi14};
    ForEachNestedWindowSum(falls.data(), kPeriods, counts, [&](int k, int i, double down) {
        (*outs[k])[i] = Ratio(up[k][i] * 100, up[k][i] + down);
    });
}

void OscillatorAnalysis::FindRsiSignals(int c)
{
    const int buyScan = ScanLength(c, 11, 30);
    for (int i = 0; i < buyScan; ++i)
        if (rsi7[i] >= 25 && rsi7[i + 1] < 25)
            rsiSignals.RecordBuy(i, i, 25);
    const int sellScan = ScanLength(c, 13, 30);
    for (int i = 0; i < sellScan; ++i)
        if (rsi7[i] <= 75 && rsi7[i + 1] > 75)
            rsiSignals.RecordSell(i, i, 75);
}

void OscillatorAnalysis::ComputeStochastic(const QuoteSeries& store)
{
    const int c = store.BarsLoaded();
    if (c < 4)
        return;
    stochK[c - 4] = 50;
    stochD[c - 4] = 50;
    // The window's closes only; the bars' highs and lows are not used.
    WindowExtremes range;
    SlidingExtremes(store.close, 5, c - 4, range);
    for (int i = c - 5; i >= 0; --i) {
        if (range.highest[i] != range.lowest[i]) {
            const double raw = (store.close[i] - range.lowest[i]) * 100 / (range.highest[i] - range.lowest[i]);
            stochK[i] = (raw + 2 * stochK[i + 1]) * kOneThird;
            stochD[i] = (2 * stochD[i + 1] + stochK[i]) * kOneThird;
        } else {
            stochK[i] = stochK[i + 1];
            stochD[i] = stochD[i + 1];
        }
    }
}

void OscillatorAnalysis::FindStochasticSignals(int c)
{
    const int scan = ScanLength(c, 5, 30);
    for (int i = 0; i < scan; ++i)
        if (stochK[i] >= stochD[i] && stochK[i + 1] < stochD[i + 1] && stochK[i] > stochK[i + 1])
            stochSignals.RecordBuy(i, i, stochD[i]);
    for (int i = 0; i < scan; ++i)
        if (stochK[i] <= stochD[i] && stochK[i + 1] > stochD[i + 1] && stochK[i] < stochK[i + 1])
            stochSignals.RecordSell(i, i, stochD[i]);
}

void OscillatorAnalysis::ComputeWilliamsR(const QuoteSeries& store)
{
    const int count = store.BarsLoaded() - 9;
    WindowExtremes range;
    SlidingExtremes(store.close, 10, count, range);
    for (int i = 0; i < count; ++i)
        williamsR[i] = Ratio((store.close[i] - range.highest[i]) * 100, range.highest[i] - range.lowest[i]);
}

void OscillatorAnalysis::ComputeVolumeRangeIndex(const QuoteSeries& store)
{
    const Series& v = store.volume;
    const int count = store.BarsLoaded() - 9;
    // Days without volume after the first never become the minimum.
    WindowExtremes range;
    SlidingExtremes(v, 10, count, [](double volume) { return volume != 0; }, range);
    ForEachWindowSum(v.data(), 10, count, [&](int i, double sum) {
        const double mean = sum * kOneTenth;
        volumeRangeIndex[i] = Ratio(2 * (v[i] - 0.05 * mean), range.highest[i] - range.lowest[i]);
    });
}

void OscillatorAnalysis::FindWilliamsSignals(int c)
{
    const Series& r = williamsR;
    // Crossing either level counts once, marked at the lower level crossed.
    const int buyScan = ScanLength(c, 11, 30);
    for (int i = 0; i < buyScan; ++i)
        if ((r[i] >= -75 && r[i + 1] < -75) || (r[i] >= -25 && r[i + 1] < -25))
            williamsSignals.RecordBuy(i, i, r[i + 1] < -75 ? -75 : -25);
    const int sellScan = ScanLength(c, 9, 30);
    for (int i = 0; i < sellScan; ++i)
        if ((r[i] <= -25 && r[i + 1] > -25) || (r[i] <= -75 && r[i + 1] > -75))
            williamsSignals.RecordSell(i, i, r[i + 1] > -25 ? -25 : -75);
}

void OscillatorAnalysis::ComputeMomentumAndRoc(const QuoteSeries& store)
{
    const Series& close = store.close;
    const int c = store.BarsLoaded();
    for (int i = 0; i <= c - 12; ++i)
        momentum[i] = close[i] - close[i + 11];
    ForEachWindowSum(momentum.data(), 12, c - 22, [&](int i, double sum) { momentumMa[i] = sum * kOneTwelfth; });
    for (int i = 0; i <= c - 10; ++i)
        roc[i] = Ratio(close[i], close[i + 9]) * 100;
    ForEachWindowSum(roc.data(), 10, c - 18, [&](int i, double sum) { rocMa[i] = sum * kOneTenth; });
}

SeriesList OscillatorAnalysis::AllSeries() const
{
    return {{"fastMacdSignal", &fastMacdSignal},
            {"macdSignal", &macdSignal},
            {"fastMacd", &fastMacd},
            {"macd", &macd},
            {"fastMacdDivergence", &fastMacdDivergence},
            {"macdDivergence", &macdDivergence},
            {"rsi7", &rsi7},
            {"rsi14", &rsi14},
            {"stochK", &stochK},
            {"stochD", &stochD},
            {"williamsR", &williamsR},
            {"volumeRangeIndex", &volumeRangeIndex},
            {"momentum", &momentum},
            {"momentumMa", &momentumMa},
            {"roc", &roc},
            {"rocMa", &rocMa}};
}

SignalSetList OscillatorAnalysis::AllSignalSets() const
{
    return {{SignalTitles::kMacd.setName, &macdSignals},
            {SignalTitles::kRsi.setName, &rsiSignals},
            {SignalTitles::kStoch.setName, &stochSignals},
            {SignalTitles::kWilliams.setName, &williamsSignals},
            {SignalTitles::kMomentum.setName, &momentumSignals},
            {SignalTitles::kRoc.setName, &rocSignals}};
}
