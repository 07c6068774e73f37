#include "chart/ChartPanels.h"

#include "chart/ChartPagePaint.h"
#include "chart/IndicatorPanels.h"
#include "chart/PriceCharts.h"

#include <algorithm>
#include <iterator>

std::vector<PanelView> ChartPanels(const ChartInput& input)
{
    const int shown = ShownBars(input.store.BarsLoaded());
    if (shown <= 0)
        return {};
    std::vector<PanelView> panels = PriceChartViews(input, shown);
    std::ranges::move(IndicatorPanels::Views(input, shown), std::back_inserter(panels));
    return panels;
}
