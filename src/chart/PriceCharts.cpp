#include "chart/PriceCharts.h"

#include "analysis/SignalTitles.h"
#include "chart/ChartDrawing.h"

#include <array>
#include <string_view>
#include <utility>

namespace {

constexpr int kPriceChartTop = 110;
constexpr int kBandsChartOffset = 410;  // below panelBase
constexpr int kPriceChartHeight = 300;
constexpr int kPriceTickLength = 340;
constexpr int kVolumeChartOffset = 770;
constexpr int kVolumeChartHeight = 100;
constexpr int kVolumeTickLength = 140;
constexpr double kPriceStepShare = 0.08333333333333333;  // a twelfth of the range
constexpr double kVolumeStepShare = 0.16666666666666666;  // a sixth of the highest volume
constexpr int kStarsX = 620;
constexpr int kAveragesTallyRows = 1;
constexpr int kBandsTallyRows = 2;  // envelopes, and Bollinger bands above them

struct LegendEntry {
    const char* text;
    int x;
    Rgb colour;
};

void DrawLegend(Canvas& canvas, int gridTop, const LegendEntry* entries, std::size_t count)
{
    for (std::size_t k = 0; k < count; ++k)
        DrawText(canvas, entries[k].colour, entries[k].x, gridTop - 18, entries[k].text);
}

// One price scale for both price charts, over the bands, envelopes and bars.
Scale PriceScale(const ChartInput& input, int shownBars)
{
    const MovingAverageAnalysis& averages = input.movingAverages;
    double max = -1e9;
    double min = 1e9;
    for (const Series* series : {&averages.bollingerUpper, &averages.bollingerLower, &averages.envelopeUpper,
                                 &averages.envelopeLower, &input.store.high, &input.store.low})
        MinMax(shownBars, *series, max, min);
    Scale scale;
    scale.step = (max - min) * kPriceStepShare;
    NiceScale(min, scale.step, scale.axisLow);
    if (scale.step > 0)
        scale.divisions = CeilToDivisions((max - scale.axisLow) / scale.step);
    return scale;
}

int DrawGridAndTicks(Canvas& canvas, const QuoteSeries& store, const ChartArea& chart, int tickLength,
                     bool longLabels, const Pens& pens)
{
    int gridTop = 0;
    Grid(canvas, chart.top, chart.scale.divisions, chart.height, chart.scale.axisLow, chart.scale.step, gridTop,
         longLabels, pens.grey, pens.blue);
    DateTicks(canvas, store, chart.top, tickLength, chart.barWidth, pens.grey);
    return gridTop;
}

// Down bars (a lower close than the day before) red, the rest green.
PenId DayPen(const QuoteSeries& store, int bar, const Pens& pens)
{
    return store.close[bar] < store.close[bar + 1] ? pens.red : pens.green;
}

void DrawPriceBars(Canvas& canvas, const QuoteSeries& store, const ChartArea& chart, int shownBars, const Pens& pens)
{
    const int tick = chart.barWidth < 5 ? 2 : 3;
    canvas.SelectPen(pens.green);
    for (int i = 0; i < shownBars; ++i) {
        canvas.SelectPen(DayPen(store, i, pens));
        if (!(store.close[i] > 0 && store.high[i] > 0 && store.low[i] > 0 && chart.Plots()))
            continue;
        const int x = BarX(i, chart.barWidth);
        DrawLine(canvas, x, chart.ValueDistance(store.low[i]), x, chart.ValueDistance(store.high[i]));
        const int openAt = chart.ValueDistance(store.open[i]);
        DrawLine(canvas, x, openAt, x - tick, openAt);
        const int closeAt = chart.ValueDistance(store.close[i]);
        DrawLine(canvas, x, closeAt, x + tick, closeAt);
    }
}

// Segments where both values are above 0.
void DrawPositive(Canvas& canvas, const ChartArea& chart, const Series& series, int bound)
{
    DrawSeries(canvas, chart, series, bound, [&series](int i) { return series[i] > 0 && series[i + 1] > 0; });
}

// The upper line where both values are above 0, the lower one always: a lower
// band may lie at or below 0.
void DrawBand(Canvas& canvas, const ChartArea& chart, const Series& upper, const Series& lower, int bound)
{
    if (!chart.Plots())
        return;
    for (int i = 0; i < bound; ++i) {
        if (upper[i] > 0 && upper[i + 1] > 0)
            DrawSegment(canvas, chart, upper, i);
        DrawSegment(canvas, chart, lower, i);
    }
}

// The five averages, oldest-reaching first as they are painted. sma200 is
// bounded by the bars loaded, not the bars shown; sma50 stops 72 bars short
// of the oldest shown bar.
struct AverageLine {
    std::string_view title;
    Rgb colour;
    PenId Pens::*pen;
    const Series& series;
    int bound;
};

std::array<AverageLine, 5> AverageLines(const ChartInput& input, int shownBars)
{
    const MovingAverageAnalysis& averages = input.movingAverages;
    return {{{"SMA(200)", Colour::kDarkRed, &Pens::darkRed, averages.sma200, input.store.BarsLoaded() - 200},
             {"SMA(50)", Colour::kBlue, &Pens::blue, averages.sma50, shownBars - 72},
             {"SMA(27)", Colour::kBrightGreen, &Pens::brightGreen, averages.sma27, shownBars - 27},
             {"SMA(18)", Colour::kGold, &Pens::gold, averages.sma18, shownBars - 18},
             {"SMA(9)", Colour::kPurple, &Pens::purple, averages.sma9, shownBars - 9}}};
}

// The envelopes cover the newest 31 bars only.
int EnvelopeBound(int shownBars)
{
    return shownBars < 39 ? shownBars - 9 : 30;
}

int BollingerBound(int shownBars)
{
    return shownBars - 35;
}

int VolumeAverageBound(int shownBars, int period)
{
    return shownBars - period;
}

ChartArea AveragesChart(const ChartInput& input, int shownBars)
{
    return {kPriceChartTop, kPriceChartHeight, PriceScale(input, shownBars), BarWidth(shownBars)};
}

ChartArea BandsChart(const ChartInput& input, int shownBars)
{
    ChartArea chart = AveragesChart(input, shownBars);
    chart.top = input.panelBase + kBandsChartOffset;
    return chart;
}

ChartArea VolumeChart(const ChartInput& input, int shownBars)
{
    double max = -1e9;
    double min = 1e8;
    MinMax(shownBars, input.store.volume, max, min);
    ChartArea chart{input.panelBase + kVolumeChartOffset, kVolumeChartHeight, {}, BarWidth(shownBars)};
    chart.scale.step = max * kVolumeStepShare;
    double raw = 0;
    NiceScale(raw, chart.scale.step, chart.scale.axisLow);
    if (chart.scale.step > 0)
        chart.scale.divisions = CeilToDivisions(max / chart.scale.step);
    return chart;
}

void DrawMovingAverages(Canvas& canvas, const ChartInput& input, const ChartArea& chart, int shownBars,
                        const Pens& pens)
{
    for (const AverageLine& line : AverageLines(input, shownBars)) {
        canvas.SelectPen(pens.*line.pen);
        DrawPositive(canvas, chart, line.series, line.bound);
    }
}

void DrawBands(Canvas& canvas, const ChartInput& input, const ChartArea& chart, int shownBars, const Pens& pens)
{
    const MovingAverageAnalysis& averages = input.movingAverages;
    canvas.SelectPen(pens.purple);
    DrawBand(canvas, chart, averages.bollingerUpper, averages.bollingerLower, BollingerBound(shownBars));
    canvas.SelectPen(pens.gold);
    DrawBand(canvas, chart, averages.envelopeUpper, averages.envelopeLower, EnvelopeBound(shownBars));
}

}  // namespace

void DrawPriceCharts(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    const MovingAverageAnalysis& averages = input.movingAverages;
    const ChartArea averagesChart = AveragesChart(input, shownBars);

    const int averagesTop = DrawGridAndTicks(canvas, input.store, averagesChart, kPriceTickLength, false, pens);
    const LegendEntry averagesLegend[] = {{"Up", 0, Colour::kGreen},          {"Down", 30, Colour::kRed},
                                          {"SMA(9)", 80, Colour::kPurple},    {"SMA(18)", 140, Colour::kGold},
                                          {"SMA(27)", 210, Colour::kBrightGreen}, {"SMA(200)", 360, Colour::kDarkRed},
                                          {"SMA(50)", 280, Colour::kBlue},    {"* * * *", kStarsX, Colour::kRed}};
    DrawLegend(canvas, averagesTop, averagesLegend, std::size(averagesLegend));
    SignalTally(canvas, averagesTop, SignalTitles::kMa.title, averages.maSignals.buyToday,
                averages.maSignals.sellToday);
    Markers(canvas, averagesChart, averages.maSignals);
    DrawMovingAverages(canvas, input, averagesChart, shownBars, pens);
    DrawPriceBars(canvas, input.store, averagesChart, shownBars, pens);

    const ChartArea bandsChart = BandsChart(input, shownBars);
    const int bandsTop = DrawGridAndTicks(canvas, input.store, bandsChart, kPriceTickLength, false, pens);
    const LegendEntry bandsLegend[] = {{"Up", 0, Colour::kGreen},
                                       {"Down", 30, Colour::kRed},
                                       {"Bollinger Bands(18)", 80, Colour::kPurple},
                                       {"MA Envelopes", 230, Colour::kGold},
                                       {"* * * *", kStarsX, Colour::kRed}};
    DrawLegend(canvas, bandsTop, bandsLegend, std::size(bandsLegend));
    Markers(canvas, bandsChart, averages.bollingerSignals);
    Markers(canvas, bandsChart, averages.envelopeSignals);
    DrawBands(canvas, input, bandsChart, shownBars, pens);
    DrawPriceBars(canvas, input.store, bandsChart, shownBars, pens);
    SignalTally(canvas, bandsTop, SignalTitles::kEnvelope.title, averages.envelopeSignals.buyToday,
                averages.envelopeSignals.sellToday);
    SignalTally(canvas, bandsTop - 20, SignalTitles::kBollinger.title, averages.bollingerSignals.buyToday,
                averages.bollingerSignals.sellToday);
}

void DrawVolumeChart(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens)
{
    const QuoteSeries& store = input.store;
    const ChartArea chart = VolumeChart(input, shownBars);

    const int gridTop = DrawGridAndTicks(canvas, input.store, chart, kVolumeTickLength, true, pens);
    const LegendEntry legend[] = {{"Up", 0, Colour::kGreen},
                                  {"Down", 30, Colour::kRed},
                                  {"Volume MA(50)", 210, Colour::kPurple},
                                  {"Volume MA(25)", 80, Colour::kGold}};
    DrawLegend(canvas, gridTop, legend, std::size(legend));

    const int bottomLine = chart.top + chart.height + 20;
    canvas.SelectPen(pens.green);
    for (int i = 0; i < shownBars; ++i) {
        canvas.SelectPen(DayPen(store, i, pens));
        const int x = BarX(i, chart.barWidth);
        canvas.MoveTo(x, -bottomLine);
        if (chart.Plots())
            canvas.LineTo(x, -chart.ValueDistance(store.volume[i]));
    }
    canvas.SelectPen(pens.purple);
    DrawPositive(canvas, chart, input.movingAverages.volumeSma50, VolumeAverageBound(shownBars, 50));
    canvas.SelectPen(pens.gold);
    DrawPositive(canvas, chart, input.movingAverages.volumeSma25, VolumeAverageBound(shownBars, 25));
}

std::vector<PageBand> PriceChartBands(int panelBase)
{
    return {StripBand(kPriceChartTop, kPriceChartHeight, kAveragesTallyRows),
            StripBand(panelBase + kBandsChartOffset, kPriceChartHeight, kBandsTallyRows),
            StripBand(panelBase + kVolumeChartOffset, kVolumeChartHeight, 0)};
}

std::vector<PanelView> PriceChartViews(const ChartInput& input, int shownBars)
{
    const MovingAverageAnalysis& averages = input.movingAverages;
    const std::vector<PageBand> bands = PriceChartBands(input.panelBase);

    PanelView averagesView{.name = "Moving Averages", .band = bands[0], .chart = AveragesChart(input, shownBars)};
    for (const AverageLine& line : AverageLines(input, shownBars))
        averagesView.series.push_back({line.title, line.colour, &line.series, LinePoints(line.bound)});
    averagesView.signals = {{SignalTitles::kMa.title, &averages.maSignals}};

    const int bollinger = LinePoints(BollingerBound(shownBars));
    const int envelope = LinePoints(EnvelopeBound(shownBars));
    PanelView bandsView{
        .name = "Bollinger Bands / MA Envelopes", .band = bands[1], .chart = BandsChart(input, shownBars)};
    bandsView.series = {{"Bollinger upper", Colour::kPurple, &averages.bollingerUpper, bollinger},
                        {"Bollinger lower", Colour::kPurple, &averages.bollingerLower, bollinger},
                        {"Envelope upper", Colour::kGold, &averages.envelopeUpper, envelope},
                        {"Envelope lower", Colour::kGold, &averages.envelopeLower, envelope}};
    bandsView.signals = {{SignalTitles::kBollinger.title, &averages.bollingerSignals},
                         {SignalTitles::kEnvelope.title, &averages.envelopeSignals}};

    std::vector<PanelView> views{std::move(averagesView), std::move(bandsView)};
    if (!HasVolume(input.store))
        return views;
    PanelView volumeView{
        .name = "Volume", .band = bands[2], .chart = VolumeChart(input, shownBars), .longLabels = true};
    volumeView.series = {
        {"Volume MA(25)", Colour::kGold, &averages.volumeSma25, LinePoints(VolumeAverageBound(shownBars, 25))},
        {"Volume MA(50)", Colour::kPurple, &averages.volumeSma50, LinePoints(VolumeAverageBound(shownBars, 50))}};
    views.push_back(std::move(volumeView));
    return views;
}
