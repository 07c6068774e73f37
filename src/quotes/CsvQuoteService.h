#pragma once

#include "quotes/CsvHistoryReader.h"
#include "quotes/QuoteText.h"

#include <cstddef>
#include <string>
#include <string_view>

class QuoteSeries;
struct PageRequest;
struct WebAccess;

// A quote service that answers a symbol's daily history as a CSV file, at
// the address the hosts file's [csvService] section names, for instance
//   url = https://quotes.example/q/d/l/?s={symbol}&i=d&from={from}&to={to}
class CsvQuoteService {
public:
    // The most of an answer that is read; a longer one is refused.
    static constexpr std::size_t kMaxAnswer = 16u << 20;
    // {from} is this many calendar days before today: 400 trading days and a
    // margin for holidays.
    static constexpr int kDaysBack = 600;

    // The address for `symbol` on `today`: "{symbol}" becomes the symbol and
    // "{symbolLower}" the symbol in lower case, both percent-encoded as
    // query values; "{from}" and "{to}" become the ISO dates kDaysBack days
    // before today and today.
    static std::string RequestUrl(std::string_view urlTemplate, std::string_view symbol, CalendarDate today);

    // The request for an address: its scheme, host and port as the base, the
    // rest as the object; a failing HTTP status fails the fetch.
    static PageRequest RequestFor(const std::string& url);

    // Fetches the symbol's history from the service configured in web.hosts
    // and reads it into the store as CsvHistoryReader does. Throws
    // NetworkError when no service is configured, the fetch fails or the
    // answer is longer than kMaxAnswer, FetchCancelled when the user stopped
    // it, and FileError (naming the address) when the answer is no usable
    // history. The store is cleared when the answer is read, as
    // CsvHistoryReader::Parse does.
    CsvReadReport LoadFromWeb(QuoteSeries& store, std::string_view symbol, const WebAccess& web) const;
};
