#pragma once

#include "chart/Canvas.h"
#include "chart/ChartInput.h"

#include <optional>

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
