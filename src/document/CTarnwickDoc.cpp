#include "document/CTarnwickDoc.h"

#ifndef TARNWICK_DEFAULT_QUOTE_DIR
#define TARNWICK_DEFAULT_QUOTE_DIR "data/sample/IBM"
#endif

CTarnwickDoc::CTarnwickDoc() : quoteDir(DefaultQuoteDir()) {}

std::filesystem::path CTarnwickDoc::DefaultQuoteDir()
{
    return TARNWICK_DEFAULT_QUOTE_DIR;
}

ChartInput CTarnwickDoc::chartInput() const
{
    return {.store = store,
            .movingAverages = movingAverages,
            .oscillators = oscillators,
            .flowDirection = flowDirection,
            .volumeForecast = volumeForecast,
            .latestQuote = latestQuote(),
            .loadedSymbol = loadedSymbol,
            .chartPage = chartPage,
            .panelBase = indicatorPanels.panelBase};
}
