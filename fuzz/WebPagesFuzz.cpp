// Feeds arbitrary bytes to the page readers of one web quote source (chosen
// when the harness is built): the bytes before the first NUL are the quote
// page, the rest the historical page, each cut at the store's buffer size.
// Whatever the pages hold, the readers must stay inside the text, load -1 to
// 400 bars, keep every date and text within its copy limit and store only
// finite numbers.
#include "quotes/HistoryTableQuoteSource.h"
#include "quotes/QuoteSeries.h"
#include "quotes/YahooQuoteSource.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

void Fill(TextBuffer& buffer, const std::uint8_t* data, std::size_t size)
{
    const std::size_t length = std::min(size, buffer.size() - 1);
    std::memcpy(buffer.data(), data, length);
    buffer[length] = '\0';
}

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static auto store = std::make_unique<QuoteSeries>();
    static const WebAccess web;
    WEB_SOURCE source;
    store->Clear();

    const auto* nul = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    const std::size_t quoteSize = nul ? static_cast<std::size_t>(nul - data) : size;
    const std::size_t historyStart = nul ? quoteSize + 1 : size;
    Fill(store->quoteText, data, quoteSize);
    Fill(store->historyText, data + historyStart, size - historyStart);

    source.ReadQuotePage(*store, "FUZZ", web);
    source.ComputeDateRange({2000, 12, 5}, -1);
    source.ReadHistoryTable(*store, "FUZZ", web);

    Require(store->barCount >= -1 && store->barCount <= kMaxBars);
    Require(source.latestQuote.tradeStamp.size() <= 60 && source.latestQuote.changeText.size() <= 60);
    for (const double value : {source.latestQuote.lastTrade, source.latestQuote.yearHigh, source.latestQuote.dayLow})
        Require(std::isfinite(value));
    for (int i = 0; i < store->BarsLoaded(); ++i) {
        Require(store->dates[i].size() <= 60);
        for (const Series* series : {&store->open, &store->high, &store->low, &store->close, &store->volume})
            Require(std::isfinite((*series)[i]));
    }
    return 0;
}
