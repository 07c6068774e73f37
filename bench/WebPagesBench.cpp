// Reading the pages of the two web quote services, the text already in the
// store's buffers: a quote page filled out to the buffer's 150000 bytes and a
// historical page of 400 rows. Target: both pages of a source under 1 ms.
// Also a whole "Yahoo" load of such pages from a server on 127.0.0.1.
#include "quotes/HistoryTableQuoteSource.h"
#include "quotes/QuoteSeries.h"
#include "quotes/YahooQuoteSource.h"
#include "support/PageServer.h"
#include "support/WebQuotePages.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
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

void Put(TextBuffer& buffer, const std::string& text)
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

void YahooLoadFromLoopbackServer(benchmark::State& state)
{
    PageServer server;
    WebAccess web;
    web.hosts.PointAllAt(server.base().substr(std::string_view("http://").size()));
    web.today = [] { return CalendarDate{2000, 12, 5}; };
    server.Serve("/q?s=YHOO&d=t", FilledOut(YahooPages::QuotePage()));
    server.Serve("/t?a=07&b=05&c=00&d=12&e=05&f=00&g=d&s=YHOO&Get+Historical+Data&y=0",
                 YahooPages::HistoryPage(Rows(false)));
    auto store = std::make_unique<QuoteSeries>();
    YahooQuoteSource source;
    for (auto _ : state) {
        store->Clear();
        source.LoadFromWeb(*store, "YHOO", -1, web);
    }
    state.counters["bars"] = store->barCount;
}

}  // namespace

BENCHMARK(YahooLoadFromLoopbackServer)->Unit(benchmark::kMillisecond);
BENCHMARK(YahooPages400Rows)->Unit(benchmark::kMicrosecond);
BENCHMARK(SecondSourcePages400Rows)->Unit(benchmark::kMicrosecond);
