#pragma once

#include "chart/Canvas.h"
#include "chart/ChartInput.h"
#include "chart/PageSheets.h"

// The strip at the top of the chart page: the latest quote (or the newest
// bars) of `input`, its symbol and the day's "Total" signal row, with the
// separator lines in `bluePen`.
void DrawQuoteSummary(Canvas& canvas, const ChartInput& input, PenId bluePen);

// The run of the page the summary strip covers, down to its lowest separator.
PageBand QuoteSummaryBand();
