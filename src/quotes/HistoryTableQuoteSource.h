#pragma once

#include "quotes/LatestQuote.h"

#include <string_view>

class QuoteSeries;

// The second web quote source: a historical table with month-first dates.
class HistoryTableQuoteSource {
public:
    LatestQuote latestQuote;

    // Not available yet: throws NetworkError saying so, leaving the store
    // as cleared.
    void LoadFromWeb(QuoteSeries& store, std::string_view symbol, int monthSpan);
};
