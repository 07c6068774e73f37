#pragma once

#include "chart/ChartDrawing.h"
#include "quotes/QuoteSeries.h"

#include <span>

// The value scales of the indicator panels: pure functions from a scanned
// range to a Scale. A scale without a positive step plots nothing.

// The largest and smallest nonzero values a scan found. A scan that finds
// nothing leaves the seeds, so max < min and every rule yields no step.
struct ValueRange {
    double max = -1e9;
    double min = 1e9;
};

// MinMax over series[0 .. shownBars - 1] of each series, in order, from the
// seeds -1e9 and +1e9.
ValueRange ScanRange(int shownBars, std::span<const Series* const> series);

// The newest entries only: series[0 .. n - 1] with n = shownBars - 2 capped
// at kPanelWindow, from the seeds -1e10 and +1e10. Nothing is scanned when
// n <= 0.
inline constexpr int kPanelWindow = 40;
ValueRange WindowRange(int shownBars, const Series& series);

// Step (max - min) * factor rounded by NiceScale from min. With includeZero
// the range is first widened to hold 0 and the bottom never lies above 0.
// When the bottom lies below `level`, it moves to level minus a whole number
// of steps so that `level` falls on a grid line; otherwise the divisions
// cover max - min from the rounded bottom.
Scale AnchoredScale(ValueRange range, double factor, double level, bool includeZero);

// Step a third of the range; once the rounded bottom lies below `centre`,
// the scale runs centre - k * step to centre + k * step, k steps covering the
// larger distance of max or min from the centre.
Scale SymmetricScale(ValueRange range, double centre);

// Step (max - min) * factor rounded by NiceScale from min, divisions up to max.
Scale PlainScale(ValueRange range, double factor);

// Whole tens from 0 up to the first multiple of 10 at or above max. A scan
// that found nothing gives negative divisions (no grid line at all).
Scale SteppedScale(ValueRange range);
