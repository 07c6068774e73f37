#include "document/CTarnwickDoc.h"

CTarnwickDoc::CTarnwickDoc() : quoteDir(DefaultQuoteDir()) {}

std::filesystem::path CTarnwickDoc::DefaultQuoteDir(const std::filesystem::path& programFile)
{
    const std::filesystem::path installed =
        (programFile.parent_path() / TARNWICK_SAMPLE_FROM_PROGRAM).lexically_normal();
    std::error_code error;
    if (!programFile.empty() && std::filesystem::is_directory(installed, error))
        return installed;
    return std::filesystem::path(TARNWICK_SOURCE_SAMPLE_DIR);
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
