#pragma once

#include "analysis/SignalSet.h"
#include "chart/ChartDrawing.h"
#include "chart/PageSheets.h"
#include "quotes/QuoteSeries.h"

#include <string_view>
#include <vector>

// What one strip of the chart page shows, as its painter lays it out: where
// it lies, its scale, the series it draws and the signal sets it marks. The
// pointers refer into the ChartInput the view was made from.

// A series the strip draws, under its legend text and in its pen's colour.
struct PlottedSeries {
    std::string_view title;
    Rgb colour;
    const Series* values = nullptr;
    int drawnBars = 0;  // bars 0 .. drawnBars - 1 may have a point on the chart
};

// A signal set whose marks the strip draws, under its rule's title.
struct PlottedSignals {
    std::string_view rule;
    const SignalSet* signals = nullptr;
};

struct PanelView {
    std::string_view name;
    PageBand band;    // the run of the page the strip covers, tally rows included
    ChartArea chart;  // top, height, scale and bar width as painted
    bool longLabels = false;  // grid labels with 12 significant digits instead of 5
    std::vector<PlottedSeries> series{};
    std::vector<PlottedSignals> signals{};
};

// The first point drawn past a line whose segments run from bar i to i + 1 for
// i < bound is bound itself.
inline int LinePoints(int bound)
{
    return bound > 0 ? bound + 1 : 0;
}
