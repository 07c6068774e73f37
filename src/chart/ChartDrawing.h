#pragma once

#include "analysis/SignalSet.h"
#include "chart/Canvas.h"
#include "chart/PageSheets.h"
#include "quotes/QuoteSeries.h"

#include <string>
#include <string_view>

// The drawing convention every chart of the chart page shares. Positions are
// distances d in 0.01 inch measured down from the page top; the canvas gets
// y = -d. Charts draw from x 0 to x 750 with value labels at x 755; bar 0,
// the newest, stands at x 745 and older bars run leftward.

inline constexpr int kChartRight = 750;
inline constexpr int kLabelX = 755;
inline constexpr int kNewestBarX = 745;
inline constexpr int kMaxShownBars = 250;
// Markers reads this many entries of each signal list, whatever the counts.
inline constexpr int kMarkerEntries = 150;

// Whether the store has volumes, for the charts that need them: a source
// without volumes leaves the two bars behind the newest at 0.
bool HasVolume(const QuoteSeries& store);

// 6 units a bar up to 120 shown bars, else 4.
int BarWidth(int shownBars);

inline int BarX(int bar, int barWidth)
{
    return kNewestBarX - bar * barWidth;
}

// A chart's value scale: `divisions` grid intervals of `step` each from
// `axisLow` at the bottom grid line. Nothing is plotted unless step > 0.
struct Scale {
    int divisions = 0;
    double axisLow = 0;
    double step = 0;
};

// A chart strip: its top distance, height, scale and bar width.
struct ChartArea {
    int top = 0;
    int height = 0;
    Scale scale;
    int barWidth = 6;

    bool Plots() const { return scale.step > 0; }
    // Units per division: height / divisions in whole units (0 without divisions).
    int DivisionHeight() const;
    // Distance of value v: the bottom grid line (top + height + 20) less
    // (v - axisLow) * DivisionHeight() / step, truncated toward zero.
    int ValueDistance(double value) const;
    // The band between the chart's closing line above its top grid line and
    // its frame line at the bottom, as Grid draws them: curves stay inside.
    int PlotTopDistance() const { return top + height - scale.divisions * DivisionHeight(); }
    int PlotBottomDistance() const { return top + height + 40; }
};

// The ceiling of a scale computation as a division count, kept within
// +-10000 so that wild data cannot overflow it or flood the grid.
int CeilToDivisions(double value);

// printf formatting of one number, as the chart labels use it ("%-6.5g").
std::string FormatNumber(const char* format, double value);

// Widens max and min with series[0] to series[shownBars - 1]; zeros never count.
void MinMax(int shownBars, const Series& series, double& max, double& min);

// Rounds a proposed step up to a whole multiple (1 to 10) of its own power of
// ten, and the proposed bottom `raw` down to a multiple of that power, which
// becomes axisLow. Leaves everything as it is when step is not above 0.
void NiceScale(double& raw, double& step, double& axisLow);

// The frame line at top + height + 40, the grid lines from 20 above it, one
// per division, each labelled at x 755 ("%-14.12g" with longLabels, else
// "%-6.5g"), and the closing line 20 above the highest. Writes the highest
// grid line's distance into gridTop; with divisions below 0 draws no grid
// line and leaves gridTop alone.
void Grid(Canvas& canvas, int top, int divisions, int height, double axisLow, double step, int& gridTop,
          bool longLabels, PenId gridPen, PenId framePen);

// A tick from top + length up to top + 21 and the month label beside it, for
// every month mark of the store.
void DateTicks(Canvas& canvas, const QuoteSeries& store, int top, int length, int barWidth, PenId tickPen);

// The buy marks (green "o") and sell marks (red "o") of the first 150 entries
// of a signal set; a level of exactly 0 is no entry.
void Markers(Canvas& canvas, const ChartArea& chart, const SignalSet& signals);

// The row above a chart: title, " Number of Signal:", "Buy", the buy count,
// "Sell", the sell count, 38 units above y. A count of 0 is left out.
void SignalTally(Canvas& canvas, int y, std::string_view title, int buyToday, int sellToday);

// Writes `text` in `colour` with its top-left corner at distance d.
void DrawText(Canvas& canvas, Rgb colour, int x, int distance, std::string_view text);

// The run of the page a chart strip covers whatever its scale: from the
// highest of its `tallyRows` tally rows (SignalTally above its top grid line,
// each further row 20 units higher) down to its frame line at
// top + height + 40. Without tally rows it starts at its closing line.
PageBand StripBand(int top, int height, int tallyRows);

// A line between two points given by their distances from the page top.
void DrawLine(Canvas& canvas, int x1, int distance1, int x2, int distance2);

// The segment of a series from bar i to bar i + 1, on the selected pen,
// cut where it leaves the chart's band (a long average beyond the price
// scale must not cross the charts above or below).
void DrawSegment(Canvas& canvas, const ChartArea& chart, const Series& series, int i);

// The segments of a series from bar i to bar i + 1 for i from 0 while
// i < bound, each when the chart plots and `drawSegment(i)` allows it.
template <typename Allow>
void DrawSeries(Canvas& canvas, const ChartArea& chart, const Series& series, int bound, Allow drawSegment)
{
    if (!chart.Plots())
        return;
    for (int i = 0; i < bound && i + 1 < kMaxBars; ++i)
        if (drawSegment(i))
            DrawSegment(canvas, chart, series, i);
}
