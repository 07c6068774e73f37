#include "chart/ChartHitTest.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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

std::optional<double> ValueAtDistance(const ChartArea& chart, int distance)
{
    const int divisionHeight = chart.DivisionHeight();
    if (!chart.Plots() || divisionHeight <= 0)
        return std::nullopt;
    const int base = chart.top + chart.height + 20;
    return chart.scale.axisLow + (base - distance) * chart.scale.step / divisionHeight;
}

std::string ScaleValueText(const ChartArea& chart, double value)
{
    const int divisionHeight = std::max(chart.DivisionHeight(), 1);
    const double perUnit = chart.scale.step / divisionHeight;
    const int decimals = perUnit > 0 && perUnit < 1 ? std::min(static_cast<int>(std::ceil(-std::log10(perUnit))), 12) : 0;
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}
