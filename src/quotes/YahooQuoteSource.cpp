#include "quotes/YahooQuoteSource.h"

#include "net/SymbolPath.h"
#include "quotes/QuoteSeries.h"

namespace {

constexpr std::size_t kQuoteFieldLength = 13;
constexpr std::size_t kStampLength = 20;
constexpr std::size_t kStampDayLength = 5;
// "<br>" and a three-letter month name come before the day of a date stamp.
constexpr std::size_t kStampDayOffset = 7;

constexpr WebQuoteSource::TableLayout kTable{
    .cellMarker = "<td>",
    .cellMarkerEnd = "",
    .valueOffset = 4,
    .rawCloseOffset = 7,
    .dateLength = 9,
    .volumeAdjusted = true,
};

// The text between the first "(" and the first ")" after `from`.
std::string Parenthesised(std::string_view page, std::size_t from)
{
    const PagePos open = FindIn(page, "(", from);
    const PagePos close = FindIn(page, ")", from);
    if (!open || !close || *close <= *open)
        return {};
    return std::string(CopyAt(page, *open + 1, kStampLength, *close));
}

}  // namespace

PageRequest YahooQuoteSource::QuotePageRequest(std::string_view symbol, const HostsConfig& hosts) const
{
    return {.base = hosts.Base(HostRole::YahooFinance),
            .port = PortChoice::Port80,
            .credentials = Credentials::EmptyNameAndPassword,
            .verb = "GET",
            .object = "/q?s=" + EncodeSymbol(symbol) + "&d=t"};
}

PageRequest YahooQuoteSource::HistoryRequest(std::string_view symbol, const HostsConfig& hosts) const
{
    return {.base = hosts.Base(HostRole::YahooCharts),
            .port = PortChoice::ProtocolDefault,
            .credentials = Credentials::None,
            .verb = "GET",
            .object = "/t?a=" + TwoDigits(fromMonth) + "&b=" + TwoDigits(fromDay) + "&c=" + TwoDigits(fromYear) +
                      "&d=" + TwoDigits(toMonth) + "&e=" + TwoDigits(toDay) + "&f=" + TwoDigits(toYear) +
                      "&g=d&s=" + EncodeSymbol(symbol) + "&Get+Historical+Data&y=0"};
}

void YahooQuoteSource::ComputeDateRange(const CalendarDate& today, int monthSpan)
{
    SetDateRange(today, monthSpan, false);
}

PagePos YahooQuoteSource::ReadTradeStamp(std::string_view page, std::size_t lastTrade)
{
    const PagePos br = FindIn(page, "<br>", lastTrade);
    const PagePos amp = FindIn(page, "&", br);
    if (!amp)
        return std::nullopt;
    // The stamp ends one character before the "&", normally a blank.
    const std::size_t stampStart = *br + 4;
    const std::size_t stampEnd = *amp > stampStart ? *amp - 1 : stampStart;
    latestQuote.tradeStamp = CopyAt(page, stampStart, kStampLength, stampEnd);
    if (!IsTimeOfDay(page, *br, *amp)) {
        stampDay = LeadingInteger(CopyAt(page, *br + kStampDayOffset, kStampDayLength));
        latestQuote.quoteMerged = -1;
    }
    return br;
}

void YahooQuoteSource::ReadQuotePage(QuoteSeries& store, std::string_view symbol, const WebAccess& web)
{
    const std::string_view page = QuoteSeries::TextOf(store.quoteText);
    const PagePos lastTrade = FindIn(page, "Last Trade", 0);
    if (!lastTrade) {
        ReportNoData(store, symbol, web);
        return;
    }
    // No "</table>": no label lies before the end, so nothing is read.
    const std::size_t end = FindIn(page, "</table>", lastTrade).value_or(*lastTrade);
    store.barCount = 1;

    LatestQuote& quote = latestQuote;
    PagePos cursor = ReadTradeStamp(page, *lastTrade);
    const auto read = [&](const LabelledField& field, double& destination) {
        if (const auto value = ReadLabelledNumber(page, cursor, end, field, kQuoteFieldLength))
            destination = *value;
    };
    read({"<b>", "<b>", "</td>", 3}, quote.lastTrade);
    cursor = FindIn(page, "Change", cursor);
    if (cursor)
        quote.changeText = Parenthesised(page, *cursor);
    read({"Prev Cls", "<br>", "</td>", 4}, quote.prevClose);
    read({"Volume", "<br>", "</td>", 4}, quote.quoteVolume);
    // The cursor stops on the "-" between the low and the high.
    read({"Day's Range", "<br>", "-", 4}, quote.dayLow);
    read({"-", "-", "</td>", 1}, quote.dayHigh);
    read({"Open", "<br>", "</td>", 4}, quote.dayOpen);
    read({"52-week Range", "<br>", "-", 4}, quote.yearLow);
    read({"-", "-", "</td>", 1}, quote.yearHigh);

    if (!(quote.yearHigh > 0))
        ReportNoData(store, symbol, web);
}

void YahooQuoteSource::ReadHistoryTable(QuoteSeries& store, std::string_view symbol, const WebAccess& web)
{
    const std::string_view page = QuoteSeries::TextOf(store.historyText);
    PagePos header = FindIn(page, "Adj. Close", 0);
    closeOnlyTable = 0;
    if (!header) {
        header = FindIn(page, "Close", 0);
        closeOnlyTable = 1;
    }
    if (!header) {
        ReportNoData(store, symbol, web);
        return;
    }
    // No "</table>": no cell lies before the end, and the table has no rows.
    const std::size_t end = FindIn(page, "</table>", header).value_or(0);
    ReadTableRows(store, header, end, kTable);
    store.ScanMonthStarts();
}
