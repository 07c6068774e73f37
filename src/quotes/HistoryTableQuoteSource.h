#pragma once

#include "quotes/WebQuoteSource.h"

#include <string_view>

class QuoteSeries;

// The second web quote source ("Silicon Investor" in the source box): its
// quote page and its historical table with month-first dates. Its latest-
// quote record is its own; the quote summary does not show it.
class HistoryTableQuoteSource : public WebQuoteSource {
public:
    PageRequest QuotePageRequest(std::string_view symbol, const HostsConfig& hosts) const override;
    void ReadQuotePage(QuoteSeries& store, std::string_view symbol, const WebAccess& web) override;
    void ComputeDateRange(const CalendarDate& today, int monthSpan) override;
    PageRequest HistoryRequest(std::string_view symbol, const HostsConfig& hosts) const override;
    void ReadHistoryTable(QuoteSeries& store, std::string_view symbol, const WebAccess& web) override;

    // Month marks from month-first dates ("Dec-4-00"): bar i starts a month
    // when the older bar's day is greater; a January mark is labelled with
    // the year.
    static void ScanMonthMarks(QuoteSeries& store);

private:
    // The trade stamp shown with the second "Last Trade"; the cursor after it.
    PagePos ReadTradeStamp(std::string_view page, PagePos cursor);
};
