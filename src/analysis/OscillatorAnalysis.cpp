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

    ComputeMacdAndStochastic(store);
    FindMacdSignals(c);
    ComputeRsi(store);
    FindRsiSignals(c);
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

void OscillatorAnalysis::ComputeMacdAndStochastic(const QuoteSeries& store)
{
    const Series& close = store.close;
    const int c = store.BarsLoaded();
    if (c < 1)
        return;
    // The stochastic starts at 50 four bars from the oldest. Each raw %K is
    // computed, even where the range is flat and it goes unused, before its
    // averages run beside the MACD's in one sweep, each chain in its order.
    WindowExtremes range;
    Series raw;
    if (c >= 4) {
        stochK[c - 4] = 50;
        stochD[c - 4] = 50;
        // The window's closes only; the bars' highs and lows are not used.
        SlidingExtremes(close, 5, c - 4, range);
        MapPairs(raw.data(), c - 4, [](auto price, auto lowest, auto highest) {
            return (price - lowest) * 100 / (highest - lowest);
        }, close.data(), range.lowest.data(), range.highest.data());
    }
    double k = 50;
    double d = 50;
    // The averages start from the oldest close itself, not its weighted price;
    // the signal lines from 0.
    double e8 = close[c - 1];
    double e17 = e8;
    double e12 = e8;
    double e26 = e8;
    double fastSignal = 0;
    double signal = 0;
    for (int i = c - 2; i >= 0; --i) {
        const double weighted = (2 * close[i] + store.high[i] + store.low[i]) * 0.25;
        e8 = e8 + (weighted - e8) * kFactor8;
        e17 = e17 + (weighted - e17) * kFactor17;
        e12 = e12 + (weighted - e12) * kFactor12;
        e26 = e26 + (weighted - e26) * kFactor26;
        const double fast = e8 - e17;
        const double slow = e12 - e26;
        fastSignal = fastSignal + (fast - fastSignal) * kSignalFactor;
        signal = signal + (slow - signal) * kSignalFactor;
        fastMacd[i] = fast;
        macd[i] = slow;
        fastMacdSignal[i] = fastSignal;
        macdSignal[i] = signal;
        fastMacdDivergence[i] = fast - fastSignal;
        macdDivergence[i] = slow - signal;
        if (i <= c - 5) {
            if (range.highest[i] != range.lowest[i]) {
                k = (raw[i] + 2 * k) * kOneThird;
                d = (2 * d + k) * kOneThird;
            }
            stochK[i] = k;
            stochD[i] = d;
        }
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
    std::array<Series, 2> down;
    NestedWindowSums(rises.data(), kPeriods, counts, std::array{up[0].data(), up[1].data()});
    NestedWindowSums(falls.data(), kPeriods, counts, std::array{down[0].data(), down[1].data()});
    const std::array outs{&rsi7, &rsi14};
    for (std::size_t k = 0; k < kPeriods.size(); ++k)
        MapPairs(outs[k]->data(), counts[k], [](auto rise, auto fall) { return Ratio(rise * 100, rise + fall); },
                 up[k].data(), down[k].data());
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
    MapPairs(williamsR.data(), count, [](auto close, auto lowest, auto highest) {
        return Ratio((close - highest) * 100, highest - lowest);
    }, store.close.data(), range.lowest.data(), range.highest.data());
}

void OscillatorAnalysis::ComputeVolumeRangeIndex(const QuoteSeries& store)
{
    const Series& v = store.volume;
    const int count = store.BarsLoaded() - 9;
    // Days without volume after the first never become the minimum.
    WindowExtremes range;
    SlidingExtremes(v, 10, count, [](double volume) { return volume != 0; }, range);
    Series sums;
    WindowSums(v.data(), 10, count, sums.data());
    MapPairs(volumeRangeIndex.data(), count, [](auto volume, auto sum, auto lowest, auto highest) {
        const auto mean = sum * kOneTenth;
        return Ratio(2 * (volume - 0.05 * mean), highest - lowest);
    }, v.data(), sums.data(), range.lowest.data(), range.highest.data());
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
    WindowSums(momentum.data(), 12, c - 22, momentumMa.data());
    for (int i = 0; i < c - 22; ++i)
        momentumMa[i] = momentumMa[i] * kOneTwelfth;
    MapPairs(roc.data(), c - 9, [](auto newer, auto older) { return Ratio(newer, older) * 100; }, close.data(),
             close.data() + 9);
    WindowSums(roc.data(), 10, c - 18, rocMa.data());
    for (int i = 0; i < c - 18; ++i)
        rocMa[i] = rocMa[i] * kOneTenth;
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
