#include "analysis/VolumeForecastAnalysis.h"

#include "analysis/SeriesMath.h"
#include "analysis/SignalTitles.h"
#include "analysis/WindowSums.h"

namespace {

constexpr double kOneTwelfth = 0.08333333333333333;
constexpr double kNudge = 0.008;  // share of its own size a steered line moves by
constexpr int kTrackingScan = 140;

template <typename T>
struct Gains {
    T alpha;
    T beta;
    T gamma;
};

// The six arrays of one tracking filter.
struct Filter {
    Series& predicted;  // P
    Series& level;      // X
    Series& change;     // D
    Series& line;       // the steered line
    Series& prevAccel;  // A'
    Series& accel;      // A
};

void MovingAverage12(const Series& values, int c, Series& out)
{
    WindowSums(values.data(), 12, c - 12, out.data());
    for (int i = 0; i < c - 12; ++i)
        out[i] = out[i] * kOneTwelfth;
}

// A line crossing its 12-bar average: up while not falling (buy), or down
// while falling (sell).
void FindAverageCrossings(const Series& x, const Series& a, int c, SignalSet& signals)
{
    const int scan = ScanLength(c, 15, 30);
    for (int i = 0; i < scan; ++i)
        if (x[i] > a[i] && x[i + 1] < a[i + 1] && x[i] >= x[i + 1])
            signals.RecordBuy(i, i, a[i]);
    for (int i = 0; i < scan; ++i)
        if (x[i] < a[i] && x[i + 1] > a[i + 1] && x[i] < x[i + 1])
            signals.RecordSell(i, i, a[i]);
}

// The estimates of one alpha-beta-gamma pass at the bar behind, one filter's
// in a double or both filters' side by side in a Pair (filter 2 first). They
// ride in registers: read back from the arrays, each step would wait for the
// stores of the step before.
template <typename T>
struct Estimate {
    T level;
    T line;
    T accel;

    // One step with unit time step, measuring `measured`; hands P, A', X and
    // A to `store`. V' and V stay here: the steered line and its D replace
    // them in the arrays.
    template <typename Store>
    void Step(T measured, Gains<T> g, Store&& store)
    {
        const T predicted = level + line + 0.5 * accel;
        const T change = line + accel;
        const T residual = measured - predicted;
        const T prevAccel = accel;
        level = predicted + g.alpha * residual;
        line = change + g.beta * residual;
        accel = accel + g.gamma * residual;
        store(predicted, prevAccel, level, accel);
    }
};

// Writes a pass's P, A', X and A at bar i when the pass leaves them `final`
// (a later pass overwrites them otherwise).
void StoreStep(Filter& f, int i, bool final, double predicted, double prevAccel, double level, double accel)
{
    if (!final)
        return;
    f.predicted[i] = predicted;
    f.prevAccel[i] = prevAccel;
    f.level[i] = level;
    f.accel[i] = accel;
}

// D[i] = X[i] - X[i+1] from `start` toward bar 0, then the line steered by
// the stochastic from 0 at start + 1: it follows the changes of D, except on
// days when %K is deep in a zone and still moving into it while D moves the
// other way; then it moves 0.8 % of its size in the stochastic's direction.
// Fed the filter's last level bar by bar; what lies behind `start` becomes 0
// in Finish().
struct SteeredLine {
    int start;
    double level = 0;   // X at the bar behind
    double change = 0;  // D at the bar behind
    double line = 0;    // at the bar behind

    void Step(Filter& f, const Series& k, double levelNow, int i)
    {
        if (i <= start) {
            const double d = levelNow - level;
            f.change[i] = d;
            if (i < start) {
                if (k[i] < 25 && k[i] < k[i + 1] && d >= change)
                    line = line - kNudge * std::abs(line);
                else if (k[i] > 75 && k[i] > k[i + 1] && d <= change)
                    line = line + kNudge * std::abs(line);
                else
                    line = line + (d - change);
                f.line[i] = line;
            }
            change = d;
        }
        level = levelNow;
    }

    void Finish(Filter& f) const
    {
        ClearFrom(f.change, start + 1);
        ClearFrom(f.line, start);
    }
};

bool IsTrough(const Series& ln, int i)
{
    return ln[i] >= ln[i + 1] && ln[i + 1] < ln[i + 2];
}

bool IsPeak(const Series& ln, int i)
{
    return ln[i] <= ln[i + 1] && ln[i + 1] > ln[i + 2];
}

}  // namespace

void VolumeForecastAnalysis::Analyze(const QuoteSeries& store, const Series& stochK,
                                     std::span<const SignalSet* const> earlierSignals)
{
    const int c = store.BarsLoaded();
    // The trends start from the 0 behind the oldest bar.
    ClearFrom(obv, c - 1);
    ClearFrom(pvt, c - 1);
    ClearFrom(obvMa12, c - 12);
    ClearFrom(pvtMa12, c - 12);
    // The filters are seeded at the oldest bar and predict from the one after.
    for (Series* series : {&ita2Predicted, &ita2PrevAccel, &ita1Predicted, &ita1PrevAccel})
        ClearFrom(*series, c - 1);
    for (Series* series : {&ita2Level, &ita2Accel, &ita1Level, &ita1Accel})
        ClearFrom(*series, c);
    for (SignalSet* signals : {&obvSignals, &pvtSignals, &ita2Signals, &ita1Signals})
        signals->Clear();
    todayBuyTotal = 0;
    todaySellTotal = 0;
    trendLevel = 0;
    trendSlope = 0;
    if (c < 1) {
        for (Series* series : {&ita2Change, &ita2Line, &ita1Change, &ita1Line})
            ClearFrom(*series, 0);
        return;
    }

    ComputeTrendLines(store);
    FindAverageCrossings(obv, obvMa12, c, obvSignals);
    FindAverageCrossings(pvt, pvtMa12, c, pvtSignals);
    ComputeTrackingLines(store, stochK);
    FindLine2Signals(c);
    FindLine1Signals(c);

    for (const SignalSet* signals : earlierSignals) {
        todayBuyTotal += signals->buyToday;
        todaySellTotal += signals->sellToday;
    }
    for (const NamedSignalSet& own : AllSignalSets()) {
        todayBuyTotal += own.signals->buyToday;
        todaySellTotal += own.signals->sellToday;
    }
}

void VolumeForecastAnalysis::ComputeTrendLines(const QuoteSeries& store)
{
    const Series& close = store.close;
    const Series& volume = store.volume;
    const int c = store.BarsLoaded();
    // Each day's price-volume change, two at a time, also where the previous
    // close is missing and it goes unused.
    Series change;
    MapPairs(change.data(), c - 1, [](auto price, auto previous, auto traded) {
        return (price - previous) / previous * traded;
    }, close.data(), close.data() + 1, volume.data());
    // Both trends start from the 0 behind the oldest bar. The volume's way is
    // picked after both sums, not by branching, as the closes go either way.
    double onBalance = 0;
    double priceVolume = 0;
    for (int i = c - 2; i >= 0; --i) {
        const double up = onBalance + volume[i];
        const double down = onBalance - volume[i];
        onBalance = close[i] > close[i + 1] ? up : close[i] < close[i + 1] ? down : onBalance;
        obv[i] = onBalance;
        // A missing previous close leaves the trend where it was.
        if (close[i + 1] != 0)
            priceVolume = priceVolume + change[i];
        pvt[i] = priceVolume;
    }
    MovingAverage12(obv, c, obvMa12);
    MovingAverage12(pvt, c, pvtMa12);
}

void VolumeForecastAnalysis::ComputeTrackingLines(const QuoteSeries& store, const Series& stochK)
{
    const Series& close = store.close;
    const int c = store.BarsLoaded();
    Filter f2{ita2Predicted, ita2Level, ita2Change, ita2Line, ita2PrevAccel, ita2Accel};
    Filter f1{ita1Predicted, ita1Level, ita1Change, ita1Line, ita1PrevAccel, ita1Accel};
    // Both filters start at the oldest close and make a first pass over the
    // close from the bar after it, and a second, restarted two bars on,
    // measuring the level the first leaves. Filter 2's level then gives D and
    // its steered line. Filter 1's level gets a trend offset that settles at
    // 0.8 times a constant level, and a third pass measures that, restarted
    // two bars on again, before D and the steered line. All chains run in one
    // sweep toward bar 0, each at a bar right behind the ones it reads, so the
    // processor overlaps them; each keeps its own steps in their order.
    for (Filter* f : {&f2, &f1}) {
        f->level[c - 1] = close[c - 1];
        f->accel[c - 1] = 0;
    }
    Estimate<Pair> first{Pair{close[c - 1], close[c - 1]}, Pair{0.0, 0.0}, Pair{0.0, 0.0}};
    Estimate<Pair> second{};
    Estimate<double> third{};
    const Gains<Pair> firstGains{{0.18, 0.38}, {0.08, 0.068}, {0.000336, 0.00736}};
    const Gains<Pair> secondGains{{0.8, 0.38}, {0.8, 0.068}, {0.00336, 0.00336}};
    double level = 0;
    double slope = 0;
    SteeredLine line2{c - 6};
    SteeredLine line1{c - 7};
    for (int i = c - 2; i >= 0; --i) {
        const auto storeBoth = [&](bool final2, bool final1) {
            return [&f2, &f1, i, final2, final1](Pair predicted, Pair prevAccel, Pair x, Pair a) {
                StoreStep(f2, i, final2, predicted[0], prevAccel[0], x[0], a[0]);
                StoreStep(f1, i, final1, predicted[1], prevAccel[1], x[1], a[1]);
            };
        };
        first.Step(Pair{close[i], close[i]}, firstGains, storeBoth(i >= c - 3, i >= c - 3));
        if (i == c - 3) {
            f2.accel[i] = 0;
            f1.accel[i] = 0;
            second = {first.level, Pair{0.0, 0.0}, Pair{0.0, 0.0}};
            level = 0.8 * first.level[1];
        }
        if (i >= c - 3)
            continue;
        second.Step(first.level, secondGains, storeBoth(true, i >= c - 5));
        line2.Step(f2, stochK, second.level[0], i);
        if (i > c - 5)
            continue;
        level = level + 0.008 * slope;
        slope = 55.55555555555555 * second.level[1] - 69.44444444444444 * level;
        const double trended = second.level[1] + level;
        if (i == c - 5) {
            f1.level[i] = trended;
            f1.accel[i] = 0;
            third = {trended, 0, 0};
            continue;
        }
        third.Step(trended, {0.58, 0.68, 0.00336}, [&f1, i](double predicted, double prevAccel, double x, double a) {
            StoreStep(f1, i, true, predicted, prevAccel, x, a);
        });
        line1.Step(f1, stochK, third.level, i);
    }
    line2.Finish(f2);
    line1.Finish(f1);
    trendLevel = level;
    trendSlope = slope;
}

void VolumeForecastAnalysis::FindLine2Signals(int c)
{
    const Series& ln = ita2Line;
    const int scan = ScanLength(c, 10, kTrackingScan);
    for (int i = 0; i < scan; ++i) {
        if (IsTrough(ln, i))
            ita2Signals.RecordBuy(i, i, ln[i + 1]);
        if (IsPeak(ln, i))
            ita2Signals.RecordSell(i, i, ln[i + 1]);
    }
}

void VolumeForecastAnalysis::FindLine1Signals(int c)
{
    // Line 1 also takes a trough or peak with one flat side, and scans from
    // the oldest index, so its lists run from the oldest signal to the newest.
    const Series& ln = ita1Line;
    for (int i = ScanLength(c, 10, kTrackingScan); i >= 0; --i) {
        if (IsTrough(ln, i) || (ln[i] > ln[i + 1] && ln[i + 1] <= ln[i + 2]))
            ita1Signals.RecordBuy(i, i, ln[i + 1]);
        if (IsPeak(ln, i) || (ln[i] < ln[i + 1] && ln[i + 1] >= ln[i + 2]))
            ita1Signals.RecordSell(i, i, ln[i + 1]);
    }
}

SeriesList VolumeForecastAnalysis::AllSeries() const
{
    return {{"obv", &obv},
            {"obvMa12", &obvMa12},
            {"pvt", &pvt},
            {"pvtMa12", &pvtMa12},
            {"ita2Predicted", &ita2Predicted},
            {"ita2Level", &ita2Level},
            {"ita2Change", &ita2Change},
            {"ita2Line", &ita2Line},
            {"ita2PrevAccel", &ita2PrevAccel},
            {"ita2Accel", &ita2Accel},
            {"ita1Predicted", &ita1Predicted},
            {"ita1Level", &ita1Level},
            {"ita1Change", &ita1Change},
            {"ita1Line", &ita1Line},
            {"ita1PrevAccel", &ita1PrevAccel},
            {"ita1Accel", &ita1Accel}};
}

SignalSetList VolumeForecastAnalysis::AllSignalSets() const
{
    return {{SignalTitles::kObv.setName, &obvSignals},
            {SignalTitles::kPvt.setName, &pvtSignals},
            {SignalTitles::kIta2.setName, &ita2Signals},
            {SignalTitles::kIta1.setName, &ita1Signals}};
}
