#include "cli/AnalysisReport.h"

#include "analysis/SignalTitles.h"
#include "document/CTarnwickDoc.h"
#include "document/SignalSets.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kTitleWidth = 46;

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string Row(std::string_view title, const std::string& buy, const std::string& sell)
{
    char row[128];
    std::snprintf(row, sizeof row, "%-*.*s %5s %5s\n", kTitleWidth, kTitleWidth, std::string(title).c_str(),
                  buy.c_str(), sell.c_str());
    return row;
}

std::string CountRow(std::string_view title, int buy, int sell)
{
    return Row(title, std::to_string(buy), std::to_string(sell));
}

void WriteNewestBar(const CTarnwickDoc& document, std::ostream& out)
{
    const LatestQuote& quote = document.latestQuote();
    const QuoteSeries& store = document.store;
    if (quote.quoteMerged == 1) {
        out << "Latest quote " << store.dates[0] << ' ' << quote.tradeStamp
            << " (placed in front of the history as bar 0):\n"
            << "  last " << Number(quote.lastTrade) << "  open " << Number(quote.dayOpen) << "  high "
            << Number(quote.dayHigh) << "  low " << Number(quote.dayLow) << "  volume " << Number(quote.quoteVolume)
            << "\n";
        return;
    }
    out << "Newest bar " << store.dates[0] << ":\n"
        << "  open " << Number(store.open[0]) << "  high " << Number(store.high[0]) << "  low "
        << Number(store.low[0]) << "  close " << Number(store.close[0]) << "  volume " << Number(store.volume[0])
        << "\n";
}

}  // namespace

void WriteAnalysisReport(const CTarnwickDoc& document, std::ostream& out)
{
    const QuoteSeries& store = document.store;
    const int bars = store.BarsLoaded();
    out << document.loadedSymbol << ": " << bars << " daily bars";
    if (bars == 0) {
        out << "\n";
        return;
    }
    out << " from " << store.dates[bars - 1] << " to " << store.dates[0] << "\n";
    WriteNewestBar(document, out);

    out << "\n" << Row("Signals of the day", "Buy", "Sell");
    const auto sets = SignalSetsInChartOrder(document);
    for (std::size_t i = 0; i < sets.size(); ++i)
        out << CountRow(SignalTitles::kChartOrder[i].title, sets[i]->buyToday, sets[i]->sellToday);
    const VolumeForecastAnalysis& totals = document.volumeForecast;
    out << CountRow(SignalTitles::kTotal, totals.todayBuyTotal, totals.todaySellTotal);
}
