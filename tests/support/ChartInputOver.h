#pragma once

#include "chart/ChartInput.h"
#include "chart/IndicatorPanels.h"

#include <string>
#include <type_traits>

// ChartInputs for painter tests that fill only what the painter under test
// reads, instead of a whole document.

// One instance of a part no test fills: empty results (all zeros, no
// signals), a quote that was not merged, an empty symbol.
template <typename Part>
const Part& UnfilledPart()
{
    static const Part part{};
    return part;
}

template <typename Part, typename Given>
const Part* AsPart(const Given& given)
{
    if constexpr (std::is_same_v<Part, Given>)
        return &given;
    else
        return nullptr;
}

// The first of `given` of type Part, else the unfilled one.
template <typename Part, typename... Given>
const Part& PartOf(const Given&... given)
{
    for (const Part* part : {AsPart<Part>(given)..., static_cast<const Part*>(nullptr)})
        if (part != nullptr)
            return *part;
    return UnfilledPart<Part>();
}

template <typename Part>
inline constexpr bool kIsChartPart =
    std::is_same_v<Part, MovingAverageAnalysis> || std::is_same_v<Part, OscillatorAnalysis> ||
    std::is_same_v<Part, FlowDirectionAnalysis> || std::is_same_v<Part, VolumeForecastAnalysis> ||
    std::is_same_v<Part, LatestQuote> || std::is_same_v<Part, std::string>;

// The charts page over `store` and `parts`: any of the four analysis modules,
// the latest quote and the loaded symbol (a std::string). Parts not given are
// unfilled; panelBase is the document's.
template <typename... Parts>
ChartInput ChartInputOver(const QuoteSeries& store, const Parts&... parts)
{
    static_assert((kIsChartPart<Parts> && ...), "not a part of ChartInput");
    return {.store = store,
            .movingAverages = PartOf<MovingAverageAnalysis>(parts...),
            .oscillators = PartOf<OscillatorAnalysis>(parts...),
            .flowDirection = PartOf<FlowDirectionAnalysis>(parts...),
            .volumeForecast = PartOf<VolumeForecastAnalysis>(parts...),
            .latestQuote = PartOf<LatestQuote>(parts...),
            .loadedSymbol = PartOf<std::string>(parts...),
            .chartPage = 0,
            .panelBase = IndicatorPanels{}.panelBase};
}
