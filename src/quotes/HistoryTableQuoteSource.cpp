#include "quotes/HistoryTableQuoteSource.h"

#include "net/SymbolPath.h"
#include "quotes/QuoteSeries.h"

namespace {

constexpr std::size_t kQuoteFieldLength = 49;
constexpr std::size_t kTextLength = 60;
// The end of the font tag that comes before every value of the quote page.
constexpr std::string_view kFontMarker = "Helvetica\">";
constexpr std::size_t kAfterFontMarker = 11;
constexpr std::size_t kYearLength = 4;

constexpr WebQuoteSource::TableLayout kTable{
    .cellMarker = "face=",
    .cellMarkerEnd = ">",
    .valueOffset = 1,
    .rawCloseOffset = 4,
    .dateLength = 10,
    .volumeAdjusted = false,
};

LabelledField FontField(std::string_view label)
{
    return {label, kFontMarker, "</td>", kAfterFontMarker};
}

// The day of a month-first date: the number after its first "-".
std::optional<int> DayOf(std::string_view date)
{
    const std::size_t dash = date.find('-');
    if (dash == std::string_view::npos)
        return std::nullopt;
    return LeadingInteger(date.substr(dash + 1));
}

std::string MonthLabel(std::string_view date)
{
    const std::string_view month = date.substr(0, 3);
    if (month != "Jan")
        return std::string(month);
    const std::size_t first = date.find('-');
    const std::size_t second = date.find('-', first + 2);
    return second == std::string_view::npos ? std::string() : std::string(date.substr(second + 1, kYearLength));
}

}  // namespace

PageRequest HistoryTableQuoteSource::QuotePageRequest(std::string_view symbol, const HostsConfig& hosts) const
{
    return {.base = hosts.Base(HostRole::SecondQuoteSource),
            .port = PortChoice::Port80,
            .credentials = Credentials::EmptyNameAndPassword,
            .verb = "GET",
            .object = "/research/quote.gsp?s=" + EncodeSymbol(symbol)};
}

PageRequest HistoryTableQuoteSource::HistoryRequest(std::string_view symbol, const HostsConfig& hosts) const
{
    return {.base = hosts.Base(HostRole::SecondQuoteSource),
            .port = PortChoice::ProtocolDefault,
            .credentials = Credentials::None,
            .verb = "GET",
            .object = "/research/historical.gsp?s=" + EncodeSymbol(symbol) + "&c=0&o=d&fm=" + TwoDigits(fromMonth) +
                      "&fd=" + TwoDigits(fromDay) + "&fy=" + TwoDigits(fromYear) + "&tm=" + TwoDigits(toMonth) +
                      "&td=" + TwoDigits(toDay) + "&ty=" + TwoDigits(toYear)};
}

void HistoryTableQuoteSource::ComputeDateRange(const CalendarDate& today, int monthSpan)
{
    SetDateRange(today, monthSpan, true);
}

PagePos HistoryTableQuoteSource::ReadTradeStamp(std::string_view page, PagePos cursor)
{
    const PagePos font = FindIn(page, kFontMarker, FindIn(page, "Last Trade", cursor));
    const PagePos stampEnd = FindIn(page, "</font>", font);
    if (!stampEnd)
        return font;
    // The stamp starts one character past the marker and loses its last character.
    const std::size_t start = *font + kAfterFontMarker + 1;
    latestQuote.tradeStamp = CopyAt(page, start, kTextLength, *stampEnd > start ? *stampEnd - 1 : start);
    if (!IsTimeOfDay(page, *font, *stampEnd)) {
        latestQuote.quoteMerged = -1;
        stampDay = 0;
    }
    return font;
}

void HistoryTableQuoteSource::ReadQuotePage(QuoteSeries& store, std::string_view symbol, const WebAccess& web)
{
    const std::string_view page = QuoteSeries::TextOf(store.quoteText);
    const PagePos lastTrade = FindIn(page, "Last Trade", 0);
    if (!lastTrade) {
        ReportNoData(store, symbol, web);
        return;
    }
    // No "Yield": no label lies before the end, so nothing is read.
    const std::size_t end = FindIn(page, "Yield", lastTrade).value_or(*lastTrade);
    store.barCount = 1;

    LatestQuote& quote = latestQuote;
    PagePos cursor = lastTrade;
    const auto read = [&](const LabelledField& field, double& destination) {
        if (const auto value = ReadLabelledNumber(page, cursor, end, field, kQuoteFieldLength))
            destination = *value;
    };
    read({"<b>", "<b>", "</td>", 3}, quote.lastTrade);
    read(FontField("Open"), quote.dayOpen);
    read(FontField("Previous"), quote.prevClose);
    cursor = FindIn(page, "% Change", cursor);
    const PagePos colour = FindIn(page, ">", FindIn(page, "color", cursor));
    if (const PagePos fontEnd = FindIn(page, "</font", colour))
        quote.changeText = CopyAt(page, *colour + 1, kTextLength, *fontEnd);
    read(FontField("Today's High"), quote.dayHigh);
    cursor = ReadTradeStamp(page, cursor);
    read(FontField("Today's Low"), quote.dayLow);
    read(FontField("52 Wk High"), quote.yearHigh);
    read(FontField("52 Wk Low"), quote.yearLow);
    read(FontField("Volume"), quote.quoteVolume);

    if (!(quote.yearHigh > 0))
        ReportNoData(store, symbol, web);
}

void HistoryTableQuoteSource::ReadHistoryTable(QuoteSeries& store, std::string_view symbol, const WebAccess& web)
{
    const std::string_view page = QuoteSeries::TextOf(store.historyText);
    const PagePos header = FindIn(page, "Adj. Close", 0);
    closeOnlyTable = 0;
    if (!header) {
        ReportNoData(store, symbol, web);
        return;
    }
    // No "</table>": no cell lies before the end, and the table has no rows.
    const std::size_t end = FindIn(page, "</table>", header).value_or(0);
    ReadTableRows(store, header, end, kTable);
    ScanMonthMarks(store);
}

void HistoryTableQuoteSource::ScanMonthMarks(QuoteSeries& store)
{
    int marks = 0;
    for (int i = 2; i <= 389 && marks < kMaxMonthMarks; ++i) {
        if (store.dates[i + 1].empty())
            break;
        const std::optional<int> day = DayOf(store.dates[i]);
        const std::optional<int> olderDay = DayOf(store.dates[i + 1]);
        if (day && olderDay && *olderDay > *day) {
            store.monthStarts[marks] = i;
            store.monthLabels[marks] = MonthLabel(store.dates[i]);
            ++marks;
        }
    }
}
