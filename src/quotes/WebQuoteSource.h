#pragma once

#include "net/FetchPage.h"
#include "net/HostsConfig.h"
#include "net/PageScan.h"
#include "quotes/LatestQuote.h"
#include "quotes/QuoteSeries.h"
#include "quotes/QuoteText.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

// What a web load needs from outside the document: where the services are,
// how a page is fetched, today's date and where a message goes. The program,
// the command-line tool and the tests each put in their own.
struct WebAccess {
    HostsConfig hosts;
    // Fetches the page into the buffer as FetchPage does; returns the text length.
    std::function<std::size_t(const PageRequest&, std::span<char>)> fetch;
    std::function<CalendarDate()> today;
    // A message the user must see, such as "No data available for IBM".
    std::function<void(const std::string&)> showMessage;

    // FetchPage with its default limits, the local date, no messages shown.
    WebAccess();
};

// What both web quote sources share: the requested date range, the latest-
// quote record and the reading of the historical table, whose cells each
// source finds its own way.
class WebQuoteSource {
public:
    virtual ~WebQuoteSource() = default;

    // Fetches and reads the quote page and, when it held a quote, the history
    // of the last 5 months (10 when monthSpan is not -1) into the cleared
    // store. A page without data sets barCount -1 and says so through
    // web.showMessage. A failed fetch throws NetworkError; what was read
    // before it stays.
    void LoadFromWeb(QuoteSeries& store, std::string_view symbol, int monthSpan, const WebAccess& web);

    // The steps of LoadFromWeb; the readers work on the text already in the
    // store's buffers.
    virtual PageRequest QuotePageRequest(std::string_view symbol, const HostsConfig& hosts) const = 0;
    virtual void ReadQuotePage(QuoteSeries& store, std::string_view symbol, const WebAccess& web) = 0;
    virtual void ComputeDateRange(const CalendarDate& today, int monthSpan) = 0;
    virtual PageRequest HistoryRequest(std::string_view symbol, const HostsConfig& hosts) const = 0;
    virtual void ReadHistoryTable(QuoteSeries& store, std::string_view symbol, const WebAccess& web) = 0;

    int fromMonth = 0;
    int fromDay = 0;
    int fromYear = 0;
    int toMonth = 0;
    int toDay = 0;
    int toYear = 0;
    int closeOnlyTable = 0;  // 1: the table has "Close" but no "Adj. Close"
    int stampDay = 0;        // day of the month of a last-trade stamp that is a date
    LatestQuote latestQuote;

    // How a source's historical table is laid out.
    struct TableLayout {
        std::string_view cellMarker;     // searched 2 bytes after the cursor
        std::string_view cellMarkerEnd;  // then this, 2 bytes after the marker; empty: the marker itself
        std::size_t valueOffset;         // value text from the cell's anchor
        std::size_t rawCloseOffset;      // the unadjusted close starts further in
        std::size_t dateLength;          // characters of a date cell copied
        bool volumeAdjusted;             // the volume is divided by the adjustment ratio
    };

protected:
    // Clears the record, the date range and the merge state before a load.
    void Reset();

    // The range from today's day `months` months back (5, or 10 when
    // monthSpan is not -1) to today; years as fourDigitYears says.
    void SetDateRange(const CalendarDate& today, int monthSpan, bool fourDigitYears);

    // barCount -1 and "No data available for " + symbol shown.
    static void ReportNoData(QuoteSeries& store, std::string_view symbol, const WebAccess& web);

    // Reads up to 400 rows from the cell after `cursor`, bounded by `end`:
    // date, open, high, low, then close (close-only table) or unadjusted
    // close, volume and adjusted close. Each row is adjusted once, and the
    // latest quote is merged in front of row 0 when it is of a newer day.
    // Sets barCount to the number of bars.
    void ReadTableRows(QuoteSeries& store, PagePos cursor, std::size_t end, const TableLayout& layout);

    // Fetches a page into one of the store's text buffers.
    static void FetchInto(TextBuffer& buffer, const PageRequest& request, const WebAccess& web);

private:
    PagePos FindCell(std::string_view page, PagePos cursor, std::size_t end, const TableLayout& layout) const;
    bool MergeLatestQuote(QuoteSeries& store);
};

// "%2.2u": at least two digits, zero-padded.
std::string TwoDigits(int number);
