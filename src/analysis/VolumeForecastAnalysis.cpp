#include "analysis/VolumeForecastAnalysis.h"

#include "analysis/SeriesMath.h"
#include "analysis/SignalTitles.h"
#include "analysis/WindowSums.h"

namespace {

constexpr double kOneTwelfth = 0.08333333333333333;
constexpr double kNudge = 0.008;  // share of its own size a steered line moves by
constexpr int kTrackingScan = 140;

struct Gains {
    double alpha;
    double beta;
    double gamma;
};

// The six arrays of one tracking filter.
struct Filter {
    Series& predicted;  // P
    Series& level;      // X
    Series& change;     // V' during the passes, then D
    Series& line;       // V during the passes, then the line
    Series& prevAccel;  // A'
    Series& accel;      // A
};

void MovingAverage12(const Series& values, int c, Series& out)
{
    ForEachWindowSum(values.data(), 12, c - 12, [&](int i, double sum) { out[i] = sum * kOneTwelfth; });
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

void Seed(Filter& f, const Series& close, int c)
{
    f.level[c - 1] = close[c - 1];
    f.line[c - 1] = 0;
    f.accel[c - 1] = 0;
}

// Restarts the velocity and acceleration estimates at `index`, if it exists.
void Restart(Filter& f, int index)
{
    if (index < 0)
        return;
    f.line[index] = 0;
    f.accel[index] = 0;
}

// The estimates of one alpha-beta-gamma pass at the bar behind. They ride in
// registers: read back from the arrays, each step would wait for the stores
// of the step before.
struct Estimate {
    double level;
    double line;
    double accel;

    // The estimates at `index + 1` of the filter's arrays.
    static Estimate At(const Filter& f, int index) { return {f.level[index + 1], f.line[index + 1], f.accel[index + 1]}; }

    // One step with unit time step to bar i, measuring `measured` there; writes
    // the filter's arrays at i.
    void Step(Filter& f, double measured, Gains g, int i)
    {
        const double predicted = level + line + 0.5 * accel;
        const double change = line + accel;
        const double residual = measured - predicted;
        f.predicted[i] = predicted;
        f.change[i] = change;
        f.prevAccel[i] = accel;
        level = predicted + g.alpha * residual;
        line = change + g.beta * residual;
        accel = accel + g.gamma * residual;
        f.level[i] = level;
        f.line[i] = line;
        f.accel[i] = accel;
    }
};

// One pass from `start` toward bar 0. The measurement is read at each index
// before the level there is written, so a pass may measure the level the
// previous pass left.
void Pass(Filter& f, const Series& measurement, int start, Gains g)
{
    if (start < 0)
        return;
    Estimate estimate = Estimate::At(f, start);
    for (int i = start; i >= 0; --i)
        estimate.Step(f, measurement[i], g, i);
}

// D[i] = X[i] - X[i+1] from `start` toward bar 0, then the line steered by
// the stochastic from 0 at start + 1: it follows the changes of D, except on
// days when %K is deep in a zone and still moving into it while D moves the
// other way; then it moves 0.8 % of its size in the stochastic's direction.
void SteerLine(Filter& f, const Series& stochK, int start)
{
    ClearFrom(f.change, start + 1);
    for (int i = start; i >= 0; --i)
        f.change[i] = f.level[i] - f.level[i + 1];

    const Series& d = f.change;
    const Series& k = stochK;
    Series& line = f.line;
    ClearFrom(line, start);
    for (int i = start - 1; i >= 0; --i) {
        if (k[i] < 25 && k[i] < k[i + 1] && d[i] >= d[i + 1])
            line[i] = line[i + 1] - kNudge * std::abs(line[i + 1]);
        else if (k[i] > 75 && k[i] > k[i + 1] && d[i] <= d[i + 1])
            line[i] = line[i + 1] + kNudge * std::abs(line[i + 1]);
        else
            line[i] = line[i + 1] + (d[i] - d[i + 1]);
    }
}

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
    for (int i = c - 2; i >= 0; --i) {
        if (close[i] > close[i + 1])
            obv[i] = obv[i + 1] + volume[i];
        else if (close[i] < close[i + 1])
            obv[i] = obv[i + 1] - volume[i];
        else
            obv[i] = obv[i + 1];
        // A missing previous close leaves the trend where it was.
        pvt[i] = close[i + 1] == 0 ? pvt[i + 1] : pvt[i + 1] + (close[i] - close[i + 1]) / close[i + 1] * volume[i];
    }
    MovingAverage12(obv, c, obvMa12);
    MovingAverage12(pvt, c, pvtMa12);
}

void VolumeForecastAnalysis::ComputeTrackingLines(const QuoteSeries& store, const Series& stochK)
{
    const int c = store.BarsLoaded();
    Filter f2{ita2Predicted, ita2Level, ita2Change, ita2Line, ita2PrevAccel, ita2Accel};
    Filter f1{ita1Predicted, ita1Level, ita1Change, ita1Line, ita1PrevAccel, ita1Accel};
    // Both filters make two passes over the same bars: a first over the
    // close from the bar after the oldest, a second, restarted two bars on,
    // measuring the level the first leaves. The four chains run in one sweep,
    // the second pass at each bar right behind the first, so the processor
    // overlaps them; each keeps its own steps in their order.
    Seed(f2, store.close, c);
    Seed(f1, store.close, c);
    Estimate first2 = Estimate::At(f2, c - 2);
    Estimate first1 = Estimate::At(f1, c - 2);
    Estimate second2{};
    Estimate second1{};
    for (int i = c - 2; i >= 0; --i) {
        first2.Step(f2, store.close[i], {0.18, 0.08, 0.000336}, i);
        first1.Step(f1, store.close[i], {0.38, 0.068, 0.00736}, i);
        if (i == c - 3) {
            Restart(f2, i);
            Restart(f1, i);
            second2 = Estimate::At(f2, i - 1);
            second1 = Estimate::At(f1, i - 1);
        } else if (i < c - 3) {
            second2.Step(f2, first2.level, {0.8, 0.8, 0.00336}, i);
            second1.Step(f1, first1.level, {0.38, 0.068, 0.00336}, i);
        }
    }
    SteerLine(f2, stochK, c - 6);

    // Filter 1 then gets a trend offset that settles at 0.8 times a constant
    // level, and a third pass.
    trendLevel = c >= 3 ? 0.8 * f1.level[c - 3] : 0;
    trendSlope = 0;
    for (int i = c - 5; i >= 0; --i) {
        trendLevel = trendLevel + 0.008 * trendSlope;
        trendSlope = 55.55555555555555 * f1.level[i] - 69.44444444444444 * trendLevel;
        f1.level[i] = f1.level[i] + trendLevel;
    }
    Restart(f1, c - 5);
    Pass(f1, f1.level, c - 6, {0.58, 0.68, 0.00336});
    SteerLine(f1, stochK, c - 7);
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
