#include "chart/ChartView.h"

#include "chart/ChartDrawing.h"
#include "chart/ChartPainters.h"
#include "chart/Pens.h"
#include "document/CTarnwickDoc.h"

#include <algorithm>

namespace {

void PaintChartPage(Canvas& canvas, const CTarnwickDoc& document)
{
    const int shown = ShownBars(document.store.barCount);
    const IndicatorPanels& panels = document.indicatorPanels;
    const PenSet penSet(canvas);
    const Pens& pens = penSet.pens();

    DrawPriceCharts(canvas, document, shown, panels.panelBase, pens);
    panels.DrawMacdPanel(canvas, document, shown, pens);
    panels.DrawRsiPanel(canvas, document, shown, pens);
    panels.DrawStochasticPanel(canvas, document, shown, pens);
    panels.DrawWilliamsPanel(canvas, document, shown, pens);
    panels.DrawMomentumPanel(canvas, document, shown, pens);
    panels.DrawRocPanel(canvas, document, shown, pens);
    panels.DrawVolatilityPanel(canvas, document, shown, pens);
    panels.DrawDmiPanel(canvas, document, shown, pens);
    panels.DrawCciPanel(canvas, document, shown, pens);
    panels.DrawIta2Panel(canvas, document, shown, pens);
    panels.DrawIta1Panel(canvas, document, shown, pens);
    if (HasVolume(document.store)) {
        DrawVolumeChart(canvas, document, shown, panels.panelBase, pens);
        panels.DrawMfiPanel(canvas, document, shown, pens);
        panels.DrawObvPanel(canvas, document, shown, pens);
        panels.DrawPvtPanel(canvas, document, shown, pens);
    }
    DrawQuoteSummary(canvas, document, pens.blue);
}

}  // namespace

PageSize QuoteTablePageSize(int barCount)
{
    return {1000, (barCount * 5 + 25) * 4};
}

int ShownBars(int barCount)
{
    return std::clamp(barCount, 0, kMaxShownBars);
}

std::optional<PageSize> PaintChartView(Canvas& canvas, const CTarnwickDoc& document)
{
    const int bars = document.store.BarsLoaded();
    if (bars <= 0)
        return std::nullopt;
    if (document.chartPage == 1) {
        DrawQuoteTable(canvas, document);
        return QuoteTablePageSize(bars);
    }
    PaintChartPage(canvas, document);
    return kChartPageSize;
}
