#pragma once

#include "chart/PanelView.h"

#include <optional>
#include <span>
#include <string>

// Where a point of the chart page falls: the strip under it and the bar whose
// x is nearest. Points are in page units of 0.01 inch, x from the left edge
// and distance down from the top, as the painters place them.

struct ChartHit {
    int panel = 0;  // index into the panels searched
    int bar = 0;    // 0 the newest, below shownBars
};

// The bar nearest to x among bars 0 .. shownBars - 1 drawn `barWidth` units
// apart; halfway between two bars the newer one. Nothing when x lies off the
// drawing area (0 to 750) or no bar is shown.
std::optional<int> BarAtX(int x, int barWidth, int shownBars);

// The panel whose band holds `distance` and the bar nearest x in it. Nothing
// between bands, off the drawing area or off the page.
std::optional<ChartHit> HitTest(std::span<const PanelView> panels, int shownBars, int x, int distance);

// The x of a bar's hairline, as the painters place the bar.
int BarHairlineX(int bar, int shownBars);

// The value a strip's scale gives `distance`, the inverse of ValueDistance;
// nothing on a strip that plots nothing.
std::optional<double> ValueAtDistance(const ChartArea& chart, int distance);

// A value read off a strip's scale, with as many decimals as one unit of the
// strip's height resolves: whole numbers where a unit is worth 1 or more.
std::string ScaleValueText(const ChartArea& chart, double value);
