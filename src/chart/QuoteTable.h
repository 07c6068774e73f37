#pragma once

#include "chart/Canvas.h"
#include "chart/ChartInput.h"
#include "chart/PageSheets.h"

#include <limits>
#include <optional>
#include <vector>

// The second page of the chart view: one text row per bar of `input` with
// date, open, high, low, close and volume, all but the two oldest bars, and
// the symbol. Selects no pen. Rows that lie wholly outside `visible` (with a
// margin for the texts that overhang it) are left out.
void DrawQuoteTable(Canvas& canvas, const ChartInput& input,
                    PageBand visible = {0, std::numeric_limits<int>::max()});

// The rows of the table for `barCount` bars, each a run of the page that
// stays on one sheet; the header and the symbol stay with the first row
// (and stand alone when no row is listed).
std::vector<PageBand> QuoteTableBands(int barCount);

// The table's rows are written from the left edge to here.
inline constexpr int kQuoteTableRowRight = 700;

// The band of the row at `distance` down the table of `barCount` bars;
// nothing above the first row or below the last.
std::optional<PageBand> QuoteTableRowAt(int barCount, int distance);
