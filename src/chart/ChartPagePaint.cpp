#include "chart/ChartPagePaint.h"

#include "chart/ChartDrawing.h"
#include "chart/CullingCanvas.h"
#include "chart/IndicatorPanels.h"
#include "chart/Pens.h"
#include "chart/PriceCharts.h"
#include "chart/QuoteSummary.h"
#include "chart/QuoteTable.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace {

void DrawCharts(Canvas& canvas, const ChartInput& input)
{
    const int shown = ShownBars(input.store.barCount);
    const PenSet penSet(canvas);
    const Pens& pens = penSet.pens();

    DrawPriceCharts(canvas, input, shown, pens);
    IndicatorPanels::DrawMacdPanel(canvas, input, shown, pens);
    IndicatorPanels::DrawRsiPanel(canvas, input, shown, pens);
    IndicatorPanels::DrawStochasticPanel(canvas, input, shown, pens);
    IndicatorPanels::DrawWilliamsPanel(canvas, input, shown, pens);
    IndicatorPanels::DrawMomentumPanel(canvas, input, shown, pens);
    IndicatorPanels::DrawRocPanel(canvas, input, shown, pens);
    IndicatorPanels::DrawVolatilityPanel(canvas, input, shown, pens);
    IndicatorPanels::DrawDmiPanel(canvas, input, shown, pens);
    IndicatorPanels::DrawCciPanel(canvas, input, shown, pens);
    IndicatorPanels::DrawIta2Panel(canvas, input, shown, pens);
    IndicatorPanels::DrawIta1Panel(canvas, input, shown, pens);
    if (HasVolume(input.store)) {
        DrawVolumeChart(canvas, input, shown, pens);
        IndicatorPanels::DrawMfiPanel(canvas, input, shown, pens);
        IndicatorPanels::DrawObvPanel(canvas, input, shown, pens);
        IndicatorPanels::DrawPvtPanel(canvas, input, shown, pens);
    }
    DrawQuoteSummary(canvas, input, pens.blue);
}

// The table draws only the rows that meet `tableRows`.
std::optional<PageSize> PaintPage(Canvas& canvas, const ChartInput& input, PageBand tableRows)
{
    const int bars = input.store.BarsLoaded();
    if (bars <= 0)
        return std::nullopt;
    if (input.chartPage == 1) {
        DrawQuoteTable(canvas, input, tableRows);
        return QuoteTablePageSize(bars);
    }
    DrawCharts(canvas, input);
    return kChartPageSize;
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

std::optional<PageSize> PaintChartPage(Canvas& canvas, const ChartInput& input)
{
    return PaintPage(canvas, input, {0, std::numeric_limits<int>::max()});
}

std::optional<PageSize> PaintChartPage(Canvas& canvas, const ChartInput& input, PageRect visible)
{
    CullingCanvas culling(canvas, visible);
    return PaintPage(culling, input, {visible.top, visible.bottom});
}

std::vector<PageBand> ChartPageBands(const ChartInput& input)
{
    const int bars = input.store.BarsLoaded();
    if (bars <= 0)
        return {};
    if (input.chartPage == 1)
        return QuoteTableBands(bars);
    std::vector<PageBand> bands = PriceChartBands(input.panelBase);
    std::ranges::copy(IndicatorPanels::Bands(input.panelBase), std::back_inserter(bands));
    bands.push_back(QuoteSummaryBand());
    return bands;
}

std::vector<PageBand> PrintSheets(const ChartInput& input, int sheetHeight)
{
    return SplitIntoSheets(ChartPageBands(input), sheetHeight);
}
