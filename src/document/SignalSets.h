#pragma once

#include "analysis/SignalSet.h"

#include <array>

class CTarnwickDoc;

// The document's sixteen signal sets in the order the chart page shows them
// (SignalTitles::kChartOrder), whichever module holds each.
std::array<const SignalSet*, 16> SignalSetsInChartOrder(const CTarnwickDoc& document);
