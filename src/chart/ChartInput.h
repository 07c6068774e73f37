#pragma once

#include "analysis/FlowDirectionAnalysis.h"
#include "analysis/MovingAverageAnalysis.h"
#include "analysis/OscillatorAnalysis.h"
#include "analysis/VolumeForecastAnalysis.h"
#include "quotes/LatestQuote.h"
#include "quotes/QuoteSeries.h"

#include <string>

// Everything one paint of the chart view reads. It refers to what its maker
// owns, so it must not outlive it; the painters only read through it and
// keep nothing of it between paints.
struct ChartInput {
    const QuoteSeries& store;
    const MovingAverageAnalysis& movingAverages;
    const OscillatorAnalysis& oscillators;
    const FlowDirectionAnalysis& flowDirection;
    const VolumeForecastAnalysis& volumeForecast;
    const LatestQuote& latestQuote;
    const std::string& loadedSymbol;  // the symbol the bars belong to
    int chartPage = 0;                // 0: the charts, 1: the quote table
    int panelBase = 0;                // top offset of the lower block of charts, in 0.01 inch
};
