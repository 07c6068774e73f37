#include "screen/ScreenSymbol.h"

#include "analysis/SignalTitles.h"
#include "document/CTarnwickDoc.h"
#include "document/LoadQuotes.h"
#include "document/SignalSets.h"

#include <exception>

namespace {

void TakeNewestBar(const QuoteSeries& store, ScreenRow& row)
{
    row.bars = store.BarsLoaded();
    row.newestDate = store.dates[0];
    row.lastClose = store.close[0];
    if (row.bars >= 2 && store.close[1] != 0)
        row.changePercent = (store.close[0] - store.close[1]) / store.close[1] * 100.0;
}

void TakeSignals(const CTarnwickDoc& document, ScreenRow& row)
{
    const auto sets = SignalSetsInChartOrder(document);
    for (std::size_t i = 0; i < sets.size(); ++i)
        row.signals[i] = {sets[i]->buyToday, sets[i]->sellToday};
    row.buyTotal = document.volumeForecast.todayBuyTotal;
    row.sellTotal = document.volumeForecast.todaySellTotal;
}

}  // namespace

ScreenRow ScreenSymbol(CTarnwickDoc& document, const LibrarySymbol& symbol)
{
    ScreenRow row;
    row.symbol = symbol.symbol;
    row.location = symbol.location;
    document.symbol = symbol.symbol;
    document.loadedSymbol = symbol.symbol;
    try {
        // The listing found the place: it is read without being looked for again.
        LoadQuotesAt(document, symbol.location);
    } catch (const std::exception& error) {
        // Also a file system or memory failure: it is this symbol's, and the scan goes on.
        row.error = error.what();
        return row;
    }
    if (document.store.barCount < 1) {
        // A CSV history without a bar is an error of its reader; a folder's table.csv may just be empty.
        row.error = symbol.location.kind == QuoteLocation::Kind::QuoteFolder
                        ? NoBarsMessage(document)
                        : "No daily bars in \"" + symbol.location.path.string() + "\".";
        return row;
    }
    TakeNewestBar(document.store, row);
    TakeSignals(document, row);
    return row;
}
