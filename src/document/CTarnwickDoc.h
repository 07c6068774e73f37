#pragma once

#include "analysis/FlowDirectionAnalysis.h"
#include "analysis/MovingAverageAnalysis.h"
#include "analysis/OscillatorAnalysis.h"
#include "analysis/VolumeForecastAnalysis.h"
#include "base/RunningProgramFile.h"
#include "chart/ChartInput.h"
#include "chart/IndicatorPanels.h"
#include "pages/MarketPages.h"
#include "quotes/HistoryTableQuoteSource.h"
#include "quotes/LocalQuoteReader.h"
#include "quotes/QuoteSeries.h"
#include "quotes/YahooQuoteSource.h"

#include <filesystem>
#include <string>
#include <string_view>

// One workspace: its quote store, the three quote sources, the four analysis
// modules, the market page compositors and the settings the commands change.
// Nothing is shared between documents. About 0.6 MB: create it on the heap.
class CTarnwickDoc {
public:
    CTarnwickDoc();
    CTarnwickDoc(const CTarnwickDoc&) = delete;
    CTarnwickDoc& operator=(const CTarnwickDoc&) = delete;

    // The folder that holds quotes.csv and table.csv unless the user chose
    // another: the sample IBM history installed with the program, which is
    // <prefix>/share/tarnwick/sample/IBM for a program file <prefix>/bin/NAME.
    // A program without that folder beside it (one run from its build tree)
    // gets the sample in the source tree it was built from.
    static std::filesystem::path DefaultQuoteDir(const std::filesystem::path& programFile = RunningProgramFile());

    static constexpr std::string_view kDefaultSymbol = "YHOO";      // when the symbol box is empty
    static constexpr std::string_view kDefaultSourceName = "Yahoo";  // when no web source was chosen

    QuoteSeries store;
    LocalQuoteReader localReader;
    YahooQuoteSource yahooSource;  // also holds the latest-quote record
    HistoryTableQuoteSource historyTableSource;
    WebAccess web;  // how the web sources reach their services
    MovingAverageAnalysis movingAverages;
    OscillatorAnalysis oscillators;
    FlowDirectionAnalysis flowDirection;
    VolumeForecastAnalysis volumeForecast;
    IndicatorPanels indicatorPanels;  // where the lower block of charts starts
    MarketPages marketPages;  // the twelve market page compositors

    std::string symbol{kDefaultSymbol};  // the symbol box; kDefaultSymbol when it is empty
    std::string loadedSymbol;            // the symbol the loaded bars belong to
    std::string sourceName;              // web source: "Yahoo" or "Silicon Investor"; empty until a web command
    int monthSpan = -1;                  // -1: about 5 months of web history, +1: about 10
    int sourceMode = 1;                  // 1: local files, 2: web
    int chartPage = 0;                   // 0: the charts, 1: the quote table
    int homePageShown = 0;
    int commandCount = 0;                // data and page commands run so far
    int favoritesBuiltBrowser = 0;
    int favoritesBuiltChart = 0;
    std::filesystem::path quoteDir;

    LatestQuote& latestQuote() { return yahooSource.latestQuote; }
    const LatestQuote& latestQuote() const { return yahooSource.latestQuote; }

    // What the chart view paints of this document; valid while the document lives.
    ChartInput chartInput() const;
};
