#pragma once

#include "chart/Canvas.h"
#include "chart/Pens.h"

class CTarnwickDoc;

// The painters of the fifteen indicator panels of the chart page. Every panel
// is one strip: value grid, month ticks, a legend row with a fixed star
// rating, its curves, the buy and sell marks of its indicator and a tally row
// (the volatility and k%R panels have neither marks nor tally). Each painter
// reads the analysis results of `document`, draws `shownBars` bars, selects
// only the pens it is handed and keeps nothing between paints.
class IndicatorPanels {
public:
    // Top offset of the lower block of charts.
    int panelBase = 510;

    void DrawMacdPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const;
    void DrawRsiPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const;
    void DrawStochasticPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const;
    // The Williams' %R panel, and below it the k%R panel when the store has
    // volume (entry 1 or 2 of volume not 0).
    void DrawWilliamsPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const;
    void DrawMomentumPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const;
    void DrawRocPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const;
    void DrawVolatilityPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const;
    void DrawDmiPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const;
    void DrawCciPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const;
    void DrawIta2Panel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const;
    void DrawIta1Panel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const;
    void DrawMfiPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const;
    void DrawObvPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const;
    void DrawPvtPanel(Canvas& canvas, const CTarnwickDoc& document, int shownBars, const Pens& pens) const;
};
