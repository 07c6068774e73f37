#pragma once

#include "chart/Canvas.h"
#include "chart/ChartInput.h"
#include "chart/PageSheets.h"
#include "chart/PanelView.h"
#include "chart/Pens.h"

#include <vector>

// The two price charts and the volume chart of the chart page. Each draws
// `shownBars` bars of `input`, selects only the pens it is handed and keeps
// nothing between paints.

// Both price charts: "Moving Averages" at distance 110 and the Bollinger
// bands and MA envelopes chart at panelBase + 410, on one price scale.
void DrawPriceCharts(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);

// The volume chart at panelBase + 770: one stroke a day with the 25- and
// 50-bar volume averages.
void DrawVolumeChart(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);

// The runs of the page the three charts cover, tally rows included, for a
// lower block starting at panelBase.
std::vector<PageBand> PriceChartBands(int panelBase);

// The two price charts and, when the store has volumes, the volume chart as
// their painters lay them out for `shownBars` bars.
std::vector<PanelView> PriceChartViews(const ChartInput& input, int shownBars);
