#pragma once

#include "quotes/WebQuoteSource.h"

#include <string_view>

class QuoteSeries;

// Web quote source "Yahoo": the quote page of the symbol on the finance
// server and the historical-prices table on the chart server. Its latest-
// quote record is the document's: the quote summary shows it, and the local
// reader fills it too.
class YahooQuoteSource : public WebQuoteSource {
public:
    PageRequest QuotePageRequest(std::string_view symbol, const HostsConfig& hosts) const override;
    void ReadQuotePage(QuoteSeries& store, std::string_view symbol, const WebAccess& web) override;
    void ComputeDateRange(const CalendarDate& today, int monthSpan) override;
    PageRequest HistoryRequest(std::string_view symbol, const HostsConfig& hosts) const override;
    void ReadHistoryTable(QuoteSeries& store, std::string_view symbol, const WebAccess& web) override;

private:
    // The last-trade stamp after "Last Trade"; the cursor for the fields, unset
    // when the stamp's "<br>" or "&" is missing.
    PagePos ReadTradeStamp(std::string_view page, std::size_t lastTrade);
};
