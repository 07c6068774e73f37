#include "chart/ChartDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The frame line stands this far below a chart's top, the lowest grid line
// 20 units above the frame line; the highest grid line is never nearer the
// top than kGridBelowTop.
constexpr int kFrameBelowTop = 40;
constexpr int kGridAboveFrame = 20;
constexpr int kGridBelowTop = 20;
// A tally row stands this far above the line it is given.
constexpr int kTallyRise = 38;
constexpr int kTallyRowStep = 20;
// Far outside any page: keeps a point of a wild value a valid int.
constexpr double kFarAway = 1e8;

int TruncatedDistance(double distance)
{
    if (std::isnan(distance))
        return static_cast<int>(kFarAway);
    return static_cast<int>(std::clamp(distance, -kFarAway, kFarAway));
}

}  // namespace

bool HasVolume(const QuoteSeries& store)
{
    return store.volume[1] != 0 || store.volume[2] != 0;
}

int BarWidth(int shownBars)
{
    return shownBars <= 120 ? 6 : 4;
}

int ChartArea::DivisionHeight() const
{
    return scale.divisions > 0 ? height / scale.divisions : 0;
}

int ChartArea::ValueDistance(double value) const
{
    const int base = top + height + 20;
    return TruncatedDistance(base - (value - scale.axisLow) * DivisionHeight() / scale.step);
}

int CeilToDivisions(double value)
{
    constexpr double kLimit = 10000;
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(std::ceil(value), -kLimit, kLimit));
}

std::string FormatNumber(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void MinMax(int shownBars, const Series& series, double& max, double& min)
{
    for (int i = 0; i < std::min(shownBars, kMaxBars); ++i) {
        const double value = series[i];
        if (value > max && value != 0)
            max = value;
        if (value < min && value != 0)
            min = value;
    }
}

void NiceScale(double& raw, double& step, double& axisLow)
{
    if (!(step > 0) || !std::isfinite(step))
        return;
    int decadesDown = 0;
    int decadesUp = 0;
    while (step >= 10 || step < 1) {
        if (step >= 10) {
            step *= 0.1;
            raw *= 0.1;
            ++decadesDown;
        } else {
            step *= 10;
            raw *= 10;
            ++decadesUp;
        }
    }
    step = std::ceil(step);
    axisLow = std::floor(raw);
    for (int k = 0; k < decadesDown; ++k) {
        step *= 10;
        raw *= 10;
        axisLow *= 10;
    }
    for (int k = 0; k < decadesUp; ++k) {
        step *= 0.1;
        raw *= 0.1;
        axisLow *= 0.1;
    }
}

PageBand StripBand(int top, int height, int tallyRows)
{
    const int highest = tallyRows > 0 ? top + kGridBelowTop - kTallyRise - (tallyRows - 1) * kTallyRowStep : top;
    // The frame line is one unit wide.
    return {highest, top + height + kFrameBelowTop + 1};
}

void DrawText(Canvas& canvas, Rgb colour, int x, int distance, std::string_view text)
{
    canvas.SetTextColour(colour);
    canvas.TextOut(x, -distance, text);
}

void DrawLine(Canvas& canvas, int x1, int distance1, int x2, int distance2)
{
    canvas.MoveTo(x1, -distance1);
    canvas.LineTo(x2, -distance2);
}

void DrawSegment(Canvas& canvas, const ChartArea& chart, const Series& series, int i)
{
    int x1 = BarX(i, chart.barWidth);
    int d1 = chart.ValueDistance(series[i]);
    int x2 = x1 - chart.barWidth;
    int d2 = chart.ValueDistance(series[i + 1]);
    const int low = chart.PlotTopDistance();
    const int high = chart.PlotBottomDistance();
    if ((d1 < low && d2 < low) || (d1 > high && d2 > high))
        return;
    // Moves the end (x, d) along the segment onto the band's edge it lies beyond.
    auto clip = [low, high](int& x, int& d, int otherX, int otherD) {
        const int edge = std::clamp(d, low, high);
        if (edge == d)
            return;
        x += static_cast<int>(std::lround(static_cast<double>(otherX - x) * (edge - d) / (static_cast<double>(otherD) - d)));
        d = edge;
    };
    clip(x1, d1, x2, d2);
    clip(x2, d2, x1, d1);
    DrawLine(canvas, x1, d1, x2, d2);
}

void Grid(Canvas& canvas, int top, int divisions, int height, double axisLow, double step, int& gridTop,
          bool longLabels, PenId gridPen, PenId framePen)
{
    const int bottom = top + height + kFrameBelowTop;
    canvas.SelectPen(framePen);
    DrawLine(canvas, 0, bottom, kChartRight, bottom);
    canvas.SelectPen(gridPen);
    canvas.SetTextColour(Colour::kBlack);
    const int perDivision = divisions > 0 ? height / divisions : 0;
    for (int k = 0; k <= divisions; ++k) {
        const int distance = bottom - kGridAboveFrame - k * perDivision;
        gridTop = distance;
        DrawLine(canvas, 0, distance, kChartRight, distance);
        canvas.TextOut(kLabelX, -(distance - 8), FormatNumber(longLabels ? "%-14.12g" : "%-6.5g", axisLow + k * step));
    }
    DrawLine(canvas, 0, gridTop - 20, kChartRight, gridTop - 20);
}

void DateTicks(Canvas& canvas, const QuoteSeries& store, int top, int length, int barWidth, PenId tickPen)
{
    canvas.SelectPen(tickPen);
    canvas.SetTextColour(Colour::kBlack);
    for (int k = 0; k < kMaxMonthMarks; ++k) {
        const int bar = store.monthStarts[k];
        if (bar <= 0)
            continue;
        const int x = BarX(bar, barWidth);
        DrawLine(canvas, x, top + length, x, top + 21);
        canvas.TextOut(x + 2, -(top + length - 18), store.monthLabels[k]);
    }
}

void Markers(Canvas& canvas, const ChartArea& chart, const SignalSet& signals)
{
    if (chart.scale.divisions < 1 || !chart.Plots())
        return;
    // 9 units above the curves' base, so the mark's text starts 9 units above its point.
    const int base = chart.top + chart.height + 11;
    const auto distance = [&](double level) {
        return TruncatedDistance(base - (level - chart.scale.axisLow) * chart.DivisionHeight() / chart.scale.step);
    };
    for (int k = 0; k < kMarkerEntries; ++k) {
        if (signals.buyLevels[k] != 0)
            DrawText(canvas, Colour::kGreen, BarX(signals.buyBars[k], chart.barWidth) - 4,
                     distance(signals.buyLevels[k]), "o");
        if (signals.sellLevels[k] != 0)
            DrawText(canvas, Colour::kRed, BarX(signals.sellBars[k], chart.barWidth) - 4,
                     distance(signals.sellLevels[k]), "o");
    }
}

void SignalTally(Canvas& canvas, int y, std::string_view title, int buyToday, int sellToday)
{
    const int distance = y - kTallyRise;
    DrawText(canvas, Colour::kBlue, 10, distance, title);
    canvas.SetTextColour(Colour::kBlack);
    canvas.TextOut(620, -distance, "Buy");
    canvas.TextOut(690, -distance, "Sell");
    canvas.TextOut(480, -distance, " Number of Signal:");
    canvas.SetTextColour(Colour::kGreen);
    if (buyToday != 0)
        canvas.TextOut(650, -distance, FormatNumber("%3.3g", buyToday));
    canvas.SetTextColour(Colour::kRed);
    if (sellToday != 0)
        canvas.TextOut(720, -distance, FormatNumber("%3.3g", sellToday));
}
