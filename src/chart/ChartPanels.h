#pragma once

#include "chart/ChartInput.h"
#include "chart/PanelView.h"

#include <vector>

// Every strip the chart page paints for `input`: the price charts, the volume
// chart, then the indicator panels; the strips that need volumes only when the
// store has them. Empty without bars.
std::vector<PanelView> ChartPanels(const ChartInput& input);
