#include "quotes/WebQuoteSource.h"

#include "net/SymbolPath.h"
#include "quotes/QuoteSeries.h"

#include <cmath>
#include <ctime>

namespace {

constexpr std::size_t kCellNumberLength = 13;
constexpr double kSameDayTolerance = 0.001;

CalendarDate LocalToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// True when the price differs from the quoted one by more than 0.1 %.
bool DiffersFrom(double price, double quoted)
{
    return std::fabs(price - quoted) / quoted > kSameDayTolerance;
}

}  // namespace

WebAccess::WebAccess()
    : fetch([](const PageRequest& request, std::span<char> buffer) { return FetchPage(request, buffer); }),
      today(LocalToday), showMessage([](const std::string&) {})
{
}

std::string TwoDigits(int number)
{
    std::string text = std::to_string(number < 0 ? 0 : number);
    return text.size() < 2 ? "0" + text : text;
}

void WebQuoteSource::LoadFromWeb(QuoteSeries& store, std::string_view symbol, int monthSpan, const WebAccess& web)
{
    Reset();
    FetchInto(store.quoteText, QuotePageRequest(symbol, web.hosts), web);
    ReadQuotePage(store, symbol, web);
    if (store.barCount <= 0)
        return;
    ComputeDateRange(web.today(), monthSpan);
    FetchInto(store.historyText, HistoryRequest(symbol, web.hosts), web);
    ReadHistoryTable(store, symbol, web);
}

void WebQuoteSource::Reset()
{
    latestQuote = LatestQuote{};
    fromMonth = fromDay = fromYear = toMonth = toDay = toYear = 0;
}

void WebQuoteSource::SetDateRange(const CalendarDate& today, int monthSpan, bool fourDigitYears)
{
    const int year = fourDigitYears ? today.year : today.year % 100;
    toMonth = today.month;
    toDay = fromDay = today.day;
    toYear = fromYear = year;
    fromMonth = today.month - (monthSpan == -1 ? 5 : 10);
    if (fromMonth <= 0) {
        fromMonth += 12;
        fromYear = year - 1;
    }
    if (!fourDigitYears && fromYear < 0)
        fromYear += 100;  // the year 00 steps back to 99
}

void WebQuoteSource::ReportNoData(QuoteSeries& store, std::string_view symbol, const WebAccess& web)
{
    store.barCount = -1;
    web.showMessage("No data available for " + std::string(symbol));
}

void WebQuoteSource::FetchInto(TextBuffer& buffer, const PageRequest& request, const WebAccess& web)
{
    web.fetch(request, buffer);
}

PagePos WebQuoteSource::FindCell(std::string_view page, PagePos cursor, std::size_t end,
                                 const TableLayout& layout) const
{
    if (!cursor)
        return std::nullopt;
    // Searching 2 bytes on keeps the cell the cursor stands on from being found again.
    PagePos cell = FindIn(page, layout.cellMarker, *cursor + 2);
    if (cell && !layout.cellMarkerEnd.empty())
        cell = FindIn(page, layout.cellMarkerEnd, *cell + 2);
    if (!cell || *cell >= end)
        return std::nullopt;
    return cell;
}

void WebQuoteSource::ReadTableRows(QuoteSeries& store, PagePos cursor, std::size_t end, const TableLayout& layout)
{
    const std::string_view page = QuoteSeries::TextOf(store.historyText);
    // A cell that is not found unsets the cursor: the rest of the row stays 0.
    const auto readNumber = [&](std::size_t offset) {
        cursor = FindCell(page, cursor, end, layout);
        return cursor ? ReadGroupedNumber(CopyAt(page, *cursor + offset, kCellNumberLength)) : 0.0;
    };

    double ratio = 1;
    int i = 0;
    for (; i < kMaxBars; ++i) {
        cursor = FindCell(page, cursor, end, layout);
        if (!cursor)
            break;
        store.dates[i] = CellText(CopyAt(page, *cursor + layout.valueOffset, layout.dateLength));
        if (i == 0 && latestQuote.quoteMerged == -1 && LeadingInteger(store.dates[0]) != stampDay)
            latestQuote.quoteMerged = 0;  // the quote is of a later day than the newest row

        store.open[i] = readNumber(layout.valueOffset);
        store.high[i] = readNumber(layout.valueOffset);
        store.low[i] = readNumber(layout.valueOffset);
        if (closeOnlyTable == 1) {
            store.close[i] = readNumber(layout.rawCloseOffset);
        } else {
            store.rawClose[i] = readNumber(layout.rawCloseOffset);
            store.volume[i] = readNumber(layout.valueOffset);
            store.close[i] = readNumber(layout.valueOffset);
        }

        // A row without a usable ratio is scaled like the row before it.
        if (store.rawClose[i] != 0) {
            const double rowRatio = store.close[i] / store.rawClose[i];
            if (rowRatio != 0 && std::isfinite(rowRatio))
                ratio = rowRatio;
        }
        if (ratio != 1) {
            // Numbers with exponents can scale past the range of double: such
            // an entry has no value rather than an infinite one.
            const auto finiteOrNone = [](double value) { return std::isfinite(value) ? value : 0.0; };
            store.open[i] = finiteOrNone(store.open[i] * ratio);
            store.high[i] = finiteOrNone(store.high[i] * ratio);
            store.low[i] = finiteOrNone(store.low[i] * ratio);
            if (layout.volumeAdjusted)
                store.volume[i] = finiteOrNone(store.volume[i] / ratio);
        }

        if (i == 0 && MergeLatestQuote(store))
            i = 1;
    }
    store.barCount = i;
}

bool WebQuoteSource::MergeLatestQuote(QuoteSeries& store)
{
    const LatestQuote& quote = latestQuote;
    if (quote.quoteMerged == -1 || !(quote.lastTrade > 0 && quote.dayOpen > 0 && quote.dayHigh > 0 && quote.dayLow > 0))
        return false;
    if (!DiffersFrom(store.open[0], quote.dayOpen) && !DiffersFrom(store.low[0], quote.dayLow) &&
        !DiffersFrom(store.high[0], quote.dayHigh))
        return false;

    store.dates[1] = store.dates[0];
    for (Series* series : {&store.open, &store.high, &store.low, &store.volume, &store.close, &store.rawClose})
        (*series)[1] = (*series)[0];
    store.dates[0] = quote.tradeStamp;
    store.open[0] = quote.dayOpen;
    store.high[0] = quote.dayHigh;
    store.low[0] = quote.dayLow;
    store.volume[0] = quote.quoteVolume;
    store.close[0] = quote.lastTrade;
    latestQuote.quoteMerged = 1;
    return true;
}
