#include "document/Errors.h"
#include "quotes/HistoryTableQuoteSource.h"
#include "quotes/YahooQuoteSource.h"

#include <string>

namespace {

[[noreturn]] void NotAvailable(std::string_view source)
{
    throw NetworkError("Loading quotes from the " + std::string(source) +
                       " web source is not available in this version. Load the local quote files instead.");
}

}  // namespace

void YahooQuoteSource::LoadFromWeb(QuoteSeries&, std::string_view, int)
{
    NotAvailable("\"Yahoo\"");
}

void HistoryTableQuoteSource::LoadFromWeb(QuoteSeries&, std::string_view, int)
{
    NotAvailable("second");
}
