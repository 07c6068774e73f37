#pragma once

#include "chart/Canvas.h"
#include "chart/Pens.h"

class CTarnwickDoc;

// The painters of the chart page outside the indicator family. Each reads the
// store and the analysis results of `document` and keeps nothing.

// Both price charts: "Moving Averages" at distance 110 and the Bollinger
// bands and MA envelopes chart at panelBase + 410, on one price scale.
void DrawPriceCharts(Canvas& canvas, const CTarnwickDoc& document, int shownBars, int panelBase, const Pens& pens);

// The volume chart at panelBase + 770: one stroke a day with the 25- and
// 50-bar volume averages.
void DrawVolumeChart(Canvas& canvas, const CTarnwickDoc& document, int shownBars, int panelBase, const Pens& pens);

// The strip at the top of the page: the latest quote (or the newest bars)
// and the day's "Total" signal row.
void DrawQuoteSummary(Canvas& canvas, const CTarnwickDoc& document, PenId bluePen);

// The second page: one text row per bar with date, open, high, low, close and
// volume, and the symbol.
void DrawQuoteTable(Canvas& canvas, const CTarnwickDoc& document);
