#pragma once

#include "analysis/FlowDirectionAnalysis.h"
#include "analysis/MovingAverageAnalysis.h"
#include "analysis/OscillatorAnalysis.h"
#include "analysis/VolumeForecastAnalysis.h"
#include "base/RunningProgramFile.h"
#include "chart/ChartInput.h"
#include "chart/IndicatorPanels.h"
#include "pages/MarketPages.h"
#include "quotes/CsvHistoryReader.h"
#include "quotes/CsvQuoteService.h"
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

    // The quote folder unless the user chose another: the sample histories
    // installed with the program, <prefix>/share/tarnwick/sample for a program
    // file <prefix>/bin/NAME. A program without that folder beside it (one run
    // from its build tree) gets the samples in the source tree it was built from.
    static std::filesystem::path DefaultQuoteDir(const std::filesystem::path& programFile = RunningProgramFile());

    // Where the quotes come from: the values of sourceMode.
    static constexpr int kLocalFiles = 1;  // the quote folder
    static constexpr int kWeb = 2;         // the web source of sourceName
    static constexpr int kCsvFile = 3;     // the CSV history quoteFile
    static constexpr int kCsvService = 4;  // the CSV quote service of the hosts file

    static constexpr std::string_view kDefaultSymbol = "YHOO";      // when the symbol box is empty
    static constexpr std::string_view kDefaultSourceName = "Yahoo";  // when no web source was chosen

    QuoteSeries store;
    LocalQuoteReader localReader;
    YahooQuoteSource yahooSource;  // also holds the latest-quote record
    HistoryTableQuoteSource historyTableSource;
    CsvHistoryReader csvReader;
    CsvQuoteService csvService;
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
    int sourceMode = kLocalFiles;        // kLocalFiles, kWeb, kCsvFile or kCsvService
    int chartPage = 0;                   // 0: the charts, 1: the quote table
    int homePageShown = 0;
    int commandCount = 0;                // data and page commands run so far
    std::filesystem::path quoteDir;
    std::filesystem::path quoteFile;  // the CSV history read in kCsvFile mode
    std::filesystem::path loadedFrom; // the folder or CSV file the last kLocalFiles load read
    CsvReadReport csvReport;          // what the last load found in a CSV history; empty layout after other loads

    LatestQuote& latestQuote() { return yahooSource.latestQuote; }
    const LatestQuote& latestQuote() const { return yahooSource.latestQuote; }

    // What the chart view paints of this document; valid while the document lives.
    ChartInput chartInput() const;
};
