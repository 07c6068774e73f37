#include "chart/ChartHitTest.h"

#include <algorithm>

std::optional<int> BarAtX(int x, int barWidth, int shownBars)
{
    if (x < 0 || x > kChartRight || shownBars <= 0 || barWidth <= 0)
        return std::nullopt;
    // Right of the newest bar counts as the newest bar.
    const int leftOfNewest = std::max(kNewestBarX - x, 0);
    const int nearest = (leftOfNewest + barWidth / 2 - 1) / barWidth;
    return std::min(nearest, shownBars - 1);
}

std::optional<ChartHit> HitTest(std::span<const PanelView> panels, int shownBars, int x, int distance)
{
    for (std::size_t k = 0; k < panels.size(); ++k) {
        const PageBand& band = panels[k].band;
        if (distance < band.top || distance >= band.bottom)
            continue;
        const std::optional<int> bar = BarAtX(x, panels[k].chart.barWidth, shownBars);
        if (!bar)
            return std::nullopt;
        return ChartHit{static_cast<int>(k), *bar};
    }
    return std::nullopt;
}

int BarHairlineX(int bar, int shownBars)
{
    return BarX(bar, BarWidth(shownBars));
}
