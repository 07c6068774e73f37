#include "analysis/MovingAverageAnalysis.h"

#include "analysis/Averages.h"
#include "analysis/SeriesMath.h"
#include "analysis/SignalTitles.h"
#include "analysis/WindowSums.h"

#include <array>

namespace {

constexpr int kBollingerBars = 35;   // 18-bar deviation of 18-bar averages
constexpr double kBollingerWidth = 1.8;
constexpr double kOneEighteenth = 0.05555555555555555;
constexpr int kEnvelopeScan = 30;    // the envelopes cover scan indexes 0 to 30
constexpr double kEnvelopeShare = 0.9;
constexpr int kEnvelopeRuleMinBars = 41;

// The largest value, the largest strictly below it, and the largest strictly
// below that; equal values count once, and only values above 0 count.
double ThirdLargest(const std::array<double, kEnvelopeScan + 1>& values, int count)
{
    double above = std::numeric_limits<double>::infinity();
    double largest = 0;
    for (int rank = 0; rank < 3; ++rank) {
        largest = 0;
        for (int i = 0; i < count; ++i)
            if (values[i] < above && values[i] > largest)
                largest = values[i];
        above = largest;
    }
    return largest;
}

}  // namespace

void MovingAverageAnalysis::Analyze(const QuoteSeries& store)
{
    const int c = store.BarsLoaded();
    ClearFrom(sma9, c - 8);
    ClearFrom(sma18, c - 17);
    ClearFrom(sma27, c - 26);
    ClearFrom(sma50, c - 49);
    ClearFrom(sma200, c - 199);
    ClearFrom(bollingerUpper, c - kBollingerBars + 1);
    ClearFrom(bollingerLower, c - kBollingerBars + 1);
    ClearFrom(volumeSma25, c - 24);
    ClearFrom(volumeSma50, c - 49);
    maSignals.Clear();
    bollingerSignals.Clear();
    envelopeSignals.Clear();

    AveragePositive(store, std::array{9, 18, 27, 50, 200}, std::array{&sma9, &sma18, &sma27, &sma50, &sma200});

    ComputeBollingerBands(store);
    FindBollingerSignals(store);
    const int envelopeEnd = ComputeEnvelopes(store);
    if (c >= kEnvelopeRuleMinBars)
        FindEnvelopeSignals(store, envelopeEnd);

    AveragePlain(store, std::array{25, 50}, std::array{&volumeSma25, &volumeSma50});

    StoreUndefinedAsZero({&sma200, &sma50, &sma27, &sma18, &sma9, &bollingerUpper, &bollingerLower,
                          &envelopeUpper, &envelopeLower, &volumeSma50, &volumeSma25});
}

void MovingAverageAnalysis::ComputeBollingerBands(const QuoteSeries& store)
{
    const int c = store.BarsLoaded();
    const int count = c - kBollingerBars + 1;
    // Each bar is compared with its own 18-bar average, not the one at i, so
    // a bar's square is the same in every window that holds it.
    Series squares;
    for (int j = 0; j < count + 17; ++j) {
        const double deviation = store.close[j] - sma18[j];
        squares[j] = deviation * deviation;
    }
    Series widths;
    WindowSums(squares.data(), 18, count, widths.data());
    MapPairs(widths.data(), count, [](auto sum) { return kBollingerWidth * SquareRoot(sum * kOneEighteenth); },
             widths.data());
    for (int i = 0; i < count; ++i) {
        bollingerUpper[i] = sma18[i] + widths[i];
        bollingerLower[i] = sma18[i] - widths[i];
    }
}

void MovingAverageAnalysis::FindBollingerSignals(const QuoteSeries& store)
{
    const Series& close = store.close;
    const int scan = ScanLength(store.BarsLoaded(), kBollingerBars, 30);
    // A close outside the band, confirmed by the next close not moving further out.
    for (int i = 0; i < scan; ++i)
        if (close[i + 1] < bollingerLower[i + 1] && close[i] >= close[i + 1])
            bollingerSignals.RecordBuy(i, i + 1, bollingerLower[i + 1]);
    for (int i = 0; i < scan; ++i)
        if (close[i + 1] > bollingerUpper[i + 1] && close[i] <= close[i + 1])
            bollingerSignals.RecordSell(i, i + 1, bollingerUpper[i + 1]);
}

int MovingAverageAnalysis::ComputeEnvelopes(const QuoteSeries& store)
{
    const Series& close = store.close;
    const int last = ScanLength(store.BarsLoaded(), 9, kEnvelopeScan);

    // Relative distance of each close from its 9-bar average; a bar without
    // a close has none.
    std::array<double, kEnvelopeScan + 1> distance{};
    for (int i = 0; i <= last; ++i)
        distance[i] = close[i] != 0 ? std::abs(close[i] - sma9[i]) / close[i] : 0;

    // Wide enough that only the two or three most extreme closes lie outside.
    envelopeFactor = last >= 0 ? kEnvelopeShare * ThirdLargest(distance, last + 1) : 0;
    // The signal rules read the entry behind the last one: it stays 0.
    ClearFrom(envelopeUpper, last + 1);
    ClearFrom(envelopeLower, last + 1);
    for (int i = 0; i <= last; ++i) {
        envelopeUpper[i] = sma9[i] + close[i] * envelopeFactor;
        envelopeLower[i] = sma9[i] - close[i] * envelopeFactor;
    }
    return last;
}

void MovingAverageAnalysis::FindEnvelopeSignals(const QuoteSeries& store, int lastIndex)
{
    const Series& close = store.close;
    for (int i = 0; i <= lastIndex; ++i)
        if (close[i + 1] < envelopeLower[i + 1] && close[i] > close[i + 1])
            envelopeSignals.RecordBuy(i, i + 1, envelopeLower[i + 1]);
    // At the last index the envelope of the bar behind it is 0: a sell found
    // there has level 0 and is never drawn.
    for (int i = 0; i <= lastIndex; ++i)
        if (close[i] > envelopeUpper[i] && close[i + 1] > envelopeUpper[i + 1] && close[i] < close[i + 1])
            envelopeSignals.RecordSell(i, i + 1, envelopeUpper[i + 1]);
}

SeriesList MovingAverageAnalysis::AllSeries() const
{
    return {{"sma200", &sma200},
            {"sma50", &sma50},
            {"sma27", &sma27},
            {"sma18", &sma18},
            {"sma9", &sma9},
            {"bollingerUpper", &bollingerUpper},
            {"bollingerLower", &bollingerLower},
            {"envelopeUpper", &envelopeUpper},
            {"envelopeLower", &envelopeLower},
            {"volumeSma50", &volumeSma50},
            {"volumeSma25", &volumeSma25}};
}

SignalSetList MovingAverageAnalysis::AllSignalSets() const
{
    return {{SignalTitles::kMa.setName, &maSignals},
            {SignalTitles::kBollinger.setName, &bollingerSignals},
            {SignalTitles::kEnvelope.setName, &envelopeSignals}};
}
