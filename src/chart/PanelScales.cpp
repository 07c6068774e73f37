#include "chart/PanelScales.h"

#include <algorithm>
#include <cmath>

namespace {

// Overflowing or infinite data yields no step rather than a scale no point
// can be placed on.
Scale Checked(Scale scale)
{
    if (!std::isfinite(scale.step) || !std::isfinite(scale.axisLow))
        return {};
    return scale;
}

}  // namespace

ValueRange ScanRange(int shownBars, std::span<const Series* const> series)
{
    ValueRange range;
    for (const Series* values : series)
        MinMax(shownBars, *values, range.max, range.min);
    return range;
}

ValueRange WindowRange(int shownBars, const Series& series)
{
    ValueRange range{-1e10, 1e10};
    const int n = std::min(shownBars - 2, kPanelWindow);
    for (int i = 0; i < n; ++i) {
        const double value = series[i];
        if (value > range.max && value != 0)
            range.max = value;
        if (value < range.min && value != 0)
            range.min = value;
    }
    return range;
}

Scale AnchoredScale(ValueRange range, double factor, double level, bool includeZero)
{
    auto [max, min] = range;
    if (includeZero) {
        max = std::max(max, 0.0);
        min = std::min(min, 0.0);
    }
    Scale scale;
    scale.step = (max - min) * factor;
    // min is the raw bottom NiceScale rounds, and it is read again afterwards.
    NiceScale(min, scale.step, scale.axisLow);
    if (includeZero && scale.axisLow > 0)
        scale.axisLow = 0;
    if (scale.step > 0 && scale.axisLow < level) {
        const int below = CeilToDivisions(std::fabs(scale.axisLow - level) / scale.step);
        scale.axisLow = level - below * scale.step;
        scale.divisions = below + CeilToDivisions((max - level) / scale.step);
    } else if (scale.step > 0) {
        scale.divisions = CeilToDivisions((max - min) / scale.step);
    }
    return Checked(scale);
}

Scale SymmetricScale(ValueRange range, double centre)
{
    auto [max, min] = range;
    Scale scale;
    scale.step = (max - min) * 0.3333333333333333;
    NiceScale(min, scale.step, scale.axisLow);
    if (scale.step > 0)
        scale.divisions = CeilToDivisions((max - scale.axisLow) / scale.step);
    const double above = std::fabs(max - centre);
    const double below = std::fabs(min - centre);
    const double reach = above > below ? above : below;
    if (scale.axisLow < centre && scale.step > 0) {
        const int half = CeilToDivisions(reach / scale.step);
        scale.axisLow = centre - half * scale.step;
        scale.divisions = 2 * half;
    }
    return Checked(scale);
}

Scale PlainScale(ValueRange range, double factor)
{
    auto [max, min] = range;
    Scale scale;
    scale.step = (max - min) * factor;
    NiceScale(min, scale.step, scale.axisLow);
    if (scale.step > 0)
        scale.divisions = CeilToDivisions((max - scale.axisLow) / scale.step);
    return Checked(scale);
}

Scale SteppedScale(ValueRange range)
{
    return Checked({CeilToDivisions(range.max * 0.1), 0, 10});
}
