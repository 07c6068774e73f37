#pragma once

// The zoom of the chart view on screen, as a fraction of the page's physical
// size; printing and export always use the physical size.

inline constexpr double kMinZoom = 0.25;
inline constexpr double kMaxZoom = 4;

// The next step up or down from `zoom`: 25, 33, 50, 67, 75, 90, 100, 110,
// 125, 150, 175, 200, 250, 300 and 400 %. Stays at the end steps.
double ZoomedIn(double zoom);
double ZoomedOut(double zoom);

// A zoom kept between the smallest and the largest step.
double BoundedZoom(double zoom);
