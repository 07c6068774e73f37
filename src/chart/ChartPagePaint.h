#pragma once

#include "chart/Canvas.h"
#include "chart/ChartInput.h"
#include "chart/PageSheets.h"

#include <optional>
#include <vector>

// A page size in logical units of 0.01 inch.
struct PageSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PageSize&, const PageSize&) = default;
};

inline constexpr PageSize kChartPageSize{1200, 4100};

// 20 units a bar plus 100.
PageSize QuoteTablePageSize(int barCount);

// The number of bars the chart page draws: barCount capped at 250.
int ShownBars(int barCount);

// The one paint pass of the chart view, for the window, the printer and
// image export alike. Draws the page input.chartPage selects (0: the charts,
// 1: the quote table) and returns the page size the view scrolls over; draws
// nothing and returns nothing when the store has no bars.
std::optional<PageSize> PaintChartPage(Canvas& canvas, const ChartInput& input);

// The same paint pass for a device that shows only `visible` of the page (a
// window's paint event): inside `visible` it paints the very pixels the whole
// paint does; the rows, lines and texts that lie wholly outside it are
// skipped. The device is expected to clip to `visible`, as a paint event's
// painter does: what is drawn outside it is only part of the page. Returns
// the page size as the whole paint does, even for an empty rectangle.
std::optional<PageSize> PaintChartPage(Canvas& canvas, const ChartInput& input, PageRect visible);

// The runs of the page that input.chartPage selects that must each stay on
// one sheet: the strips of the chart page (whether or not the data lets all
// of them be drawn), or the rows of the quote table. Empty without bars.
std::vector<PageBand> ChartPageBands(const ChartInput& input);

// The sheets that print the page input.chartPage selects at its own size on
// paper `sheetHeight` units high, cut between strips or rows, never through
// one. Empty without bars.
std::vector<PageBand> PrintSheets(const ChartInput& input, int sheetHeight);
