#pragma once

#include "chart/Canvas.h"
#include "chart/ChartInput.h"
#include "chart/PageSheets.h"
#include "chart/PanelView.h"
#include "chart/Pens.h"

#include <vector>

// The painters of the fifteen indicator panels of the chart page, and where
// the lower block of them starts. Every panel is one strip: value grid, month
// ticks, a legend row with a fixed star rating, its curves, the buy and sell
// marks of its indicator and a tally row (the volatility and k%R panels have
// neither marks nor tally). Each painter reads the analysis results of
// `input`, draws `shownBars` bars, selects only the pens it is handed and
// keeps nothing between paints.
class IndicatorPanels {
public:
    // Top offset of the lower block of charts, in 0.01 inch; the paint pass
    // reads it from ChartInput::panelBase.
    int panelBase = 510;

    // The runs of the page the fifteen panels cover, tally rows included,
    // whether or not the data lets them be drawn.
    static std::vector<PageBand> Bands(int panelBase);

    // The panels painted for `input`, as their painters lay them out for
    // `shownBars` bars: the k%R, money flow, on-balance volume and price and
    // volume trend panels only when the store has volumes. A panel is named
    // after its first legend entry.
    static std::vector<PanelView> Views(const ChartInput& input, int shownBars);

    static void DrawMacdPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);
    static void DrawRsiPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);
    static void DrawStochasticPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);
    // The Williams' %R panel, and below it the k%R panel when the store has
    // volume (entry 1 or 2 of volume not 0).
    static void DrawWilliamsPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);
    static void DrawMomentumPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);
    static void DrawRocPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);
    static void DrawVolatilityPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);
    static void DrawDmiPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);
    static void DrawCciPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);
    static void DrawIta2Panel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);
    static void DrawIta1Panel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);
    static void DrawMfiPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);
    static void DrawObvPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);
    static void DrawPvtPanel(Canvas& canvas, const ChartInput& input, int shownBars, const Pens& pens);
};
