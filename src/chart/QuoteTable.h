#pragma once

#include "chart/Canvas.h"
#include "chart/ChartInput.h"

// The second page of the chart view: one text row per bar of `input` with
// date, open, high, low, close and volume, all but the two oldest bars, and
// the symbol. Selects no pen.
void DrawQuoteTable(Canvas& canvas, const ChartInput& input);
