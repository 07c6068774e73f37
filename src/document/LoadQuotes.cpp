#include "document/LoadQuotes.h"

#include "base/Text.h"
#include "document/CTarnwickDoc.h"
#include "quotes/QuoteLibrary.h"

#include <memory>
#include <string>
#include <vector>

namespace {

// Empties the store and what the last load reported, before any source is read.
void ClearLoad(CTarnwickDoc& document)
{
    document.store.Clear();
    document.latestQuote().quoteMerged = 0;
    document.csvReport = CsvReadReport{};
}

void LoadLocalFiles(CTarnwickDoc& document, const QuoteLocation& location)
{
    document.loadedFrom = location.path;
    if (location.kind == QuoteLocation::Kind::CsvFile)
        document.csvReport = document.csvReader.Load(document.store, location.path);
    else
        document.localReader.Load(document.store, location.path, document.symbol, document.latestQuote());
}

// Reads a CSV history with `read` into a store of its own and, only when
// that worked, makes it the document's: a failed read changes nothing.
template <typename Read>
CsvReadReport ReplaceWithCsv(CTarnwickDoc& document, int sourceMode, const std::string& symbol, Read read)
{
    auto store = std::make_unique<QuoteSeries>();
    const CsvReadReport report = read(*store);
    document.store = *store;
    document.latestQuote() = LatestQuote{};
    document.csvReport = report;
    document.sourceMode = sourceMode;
    document.symbol = symbol;
    document.loadedSymbol = symbol;
    document.chartPage = 0;
    AnalyzeQuotes(document);
    return report;
}

}  // namespace

std::string UntiedQuotesNotice(const CTarnwickDoc& document)
{
    if (document.sourceMode != CTarnwickDoc::kLocalFiles || document.store.barCount < 1 ||
        !document.csvReport.layout.empty())
        return {};
    const std::string& symbol = document.symbol;
    const std::string& quoted = document.localReader.quotedSymbol;
    const std::filesystem::path folder =
        document.loadedFrom.has_filename() ? document.loadedFrom : document.loadedFrom.parent_path();
    const bool folderNamesIt = EqualsIgnoringCase(folder.filename().string(), symbol);
    if (quoted.empty() || EqualsIgnoringCase(quoted, symbol)) {
        if (folderNamesIt || !quoted.empty())
            return {};
        return "The quote folder's table.csv is not tied to " + symbol +
               ": neither the folder's name nor a quotes.csv names it.";
    }
    if (folderNamesIt)
        return "The quotes.csv in " + symbol + "'s folder is for " + quoted + ": the chart shows the history without it.";
    return "The quote folder's table.csv is not tied to " + symbol + "; its quotes.csv is for " + quoted + ".";
}

void LoadQuotes(CTarnwickDoc& document)
{
    ClearLoad(document);
    switch (document.sourceMode) {
    case CTarnwickDoc::kLocalFiles: LoadLocalFiles(document, FindQuotes(document.quoteDir, document.symbol)); break;
    case CTarnwickDoc::kCsvFile: document.csvReport = document.csvReader.Load(document.store, document.quoteFile); break;
    case CTarnwickDoc::kCsvService:
        document.csvReport = document.csvService.LoadFromWeb(document.store, document.symbol, document.web);
        break;
    default:
        if (document.sourceName != "Yahoo")
            document.historyTableSource.LoadFromWeb(document.store, document.symbol, document.monthSpan, document.web);
        else
            document.yahooSource.LoadFromWeb(document.store, document.symbol, document.monthSpan, document.web);
    }

    if (document.store.barCount > 0)
        AnalyzeQuotes(document);
}

void LoadQuotesAt(CTarnwickDoc& document, const QuoteLocation& location)
{
    ClearLoad(document);
    LoadLocalFiles(document, location);
    if (document.store.barCount > 0)
        AnalyzeQuotes(document);
}

std::string NoBarsMessage(const CTarnwickDoc& document)
{
    const std::string start = "No daily bars in \"" + (document.loadedFrom / "table.csv").string() + "\": ";
    const std::string reason = document.localReader.NoBarsReason(document.store);
    if (!reason.empty())
        return start + "the file " + reason + ".";
    return start + "it needs a header line with \"Volume\" or \"Close\", then one date,open,high,low,close[,volume] "
                   "line per day, newest first.";
}

void AnalyzeQuotes(CTarnwickDoc& document)
{
    const QuoteSeries& store = document.store;
    document.movingAverages.Analyze(store);
    document.oscillators.Analyze(store);
    document.flowDirection.Analyze(store);

    std::vector<const SignalSet*> earlier;
    for (const SignalSetList& list : {document.movingAverages.AllSignalSets(), document.oscillators.AllSignalSets(),
                                      document.flowDirection.AllSignalSets()})
        for (const NamedSignalSet& named : list)
            earlier.push_back(named.signals);
    document.volumeForecast.Analyze(store, document.oscillators.stochK, earlier);
}

CsvReadReport ImportQuotes(CTarnwickDoc& document, const std::filesystem::path& file)
{
    // Tickers are written in capitals; a file saved as "msft.csv" is MSFT's.
    CsvReadReport report = ReplaceWithCsv(document, CTarnwickDoc::kCsvFile, UpperAscii(file.stem().string()),
                                          [&](QuoteSeries& store) { return document.csvReader.Load(store, file); });
    document.quoteFile = file;
    return report;
}

CsvReadReport ReadQuoteService(CTarnwickDoc& document)
{
    return ReplaceWithCsv(document, CTarnwickDoc::kCsvService, document.symbol, [&](QuoteSeries& store) {
        return document.csvService.LoadFromWeb(store, document.symbol, document.web);
    });
}
