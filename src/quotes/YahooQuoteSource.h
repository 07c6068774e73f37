#pragma once

#include "quotes/LatestQuote.h"

#include <string_view>

class QuoteSeries;

// Web quote source "Yahoo": the quote page and the historical-prices page of
// the symbol. It also holds the latest-quote record of the document, which
// the local reader fills too.
class YahooQuoteSource {
public:
    LatestQuote latestQuote;

    // Not available yet: throws NetworkError saying so, leaving the store
    // as cleared.
    void LoadFromWeb(QuoteSeries& store, std::string_view symbol, int monthSpan);
};
