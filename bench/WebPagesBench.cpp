// Reading the pages of the two web quote services, the text already in the
// store's buffers: a quote page filled out to the buffer's 150000 bytes and a
// historical page of 400 rows. Target: both pages of a source under 1 ms.
#include "quotes/HistoryTableQuoteSource.h"
#include "quotes/QuoteSeries.h"
#include "quotes/YahooQuoteSource.h"
#include "support/WebQuotePages.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Markup of the size of a busy quote page ahead of the quote itself.
std::string FilledOut(const std::string& quotePage)
{
    std::string page;
    while (page.size() + quotePage.size() < kTextBufferSize - 1000)
        page += "<tr><td class=\"nav\"><a href=\"/news/item\">Market news</a></td></tr>\n";
    return page + quotePage;
}

std::vector<PageRow> Rows(bool monthFirst)
{
    std::vector<PageRow> rows;
    for (int i = 0; i < 400; ++i) {
        const std::string day = std::to_string(28 - i % 28);
        rows.push_back({monthFirst ? "Nov-" + day + "-00" : day + "-Nov-00", 100.0 + i, 105.0 + i, 95.0 + i,
                        102.0 + i, 1234567, 101.0 + i});
    }
    return rows;
}

void Put(std::vector<char>& buffer, const std::string& text)
{
    std::fill(buffer.begin(), buffer.end(), '\0');
    std::copy_n(text.begin(), std::min(text.size(), buffer.size() - 1), buffer.begin());
}

template <typename Source>
void ReadBothPages(benchmark::State& state, const std::string& quotePage, const std::string& historyPage)
{
    QuoteSeries store;
    Put(store.quoteText, FilledOut(quotePage));
    Put(store.historyText, historyPage);
    WebAccess web;
    Source source;
    for (auto _ : state) {
        source.latestQuote = {};
        source.ReadQuotePage(store, "YHOO", web);
        source.ReadHistoryTable(store, "YHOO", web);
        benchmark::DoNotOptimize(store.barCount);
    }
    state.counters["bars"] = store.barCount;
}

void YahooPages400Rows(benchmark::State& state)
{
    ReadBothPages<YahooQuoteSource>(state, YahooPages::QuotePage(), YahooPages::HistoryPage(Rows(false)));
}

void SecondSourcePages400Rows(benchmark::State& state)
{
    ReadBothPages<HistoryTableQuoteSource>(state, SecondSourcePages::QuotePage(),
                                           SecondSourcePages::HistoryPage(Rows(true)));
}

}  // namespace

BENCHMARK(YahooPages400Rows)->Unit(benchmark::kMicrosecond);
BENCHMARK(SecondSourcePages400Rows)->Unit(benchmark::kMicrosecond);
