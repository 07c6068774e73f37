#include "base/Errors.h"
#include "net/SymbolPath.h"
#include "quotes/QuoteSeries.h"
#include "quotes/YahooQuoteSource.h"
#include "support/PageServer.h"
#include "support/TestStore.h"
#include "support/WebQuotePages.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

namespace {

using namespace YahooPages;

constexpr auto kQuoteTarget = "/q?s=YHOO&d=t";
constexpr auto kHistoryTarget = "/t?a=07&b=05&c=00&d=12&e=05&f=00&g=d&s=YHOO&Get+Historical+Data&y=0";

class YahooQuoteSourceTest : public testing::Test {
protected:
    YahooQuoteSourceTest()
    {
        web.hosts.Set(HostRole::YahooFinance, server.base());
        web.hosts.Set(HostRole::YahooCharts, server.base());
        web.today = [] { return CalendarDate{2000, 12, 5}; };
        web.showMessage = [this](const std::string& message) { messages.push_back(message); };
    }

    void Load(const std::string& symbol = "YHOO", int monthSpan = -1)
    {
        store.Clear();
        source.LoadFromWeb(store, symbol, monthSpan, web);
    }

    PageServer server;
    WebAccess web;
    QuoteSeries store;
    YahooQuoteSource source;
    std::vector<std::string> messages;
};

}  // namespace

TEST_F(YahooQuoteSourceTest, ReadsTheQuoteAndMergesItInFrontOfAnOlderHistory)
{
    server.Serve(kQuoteTarget, QuotePage());
    server.Serve(kHistoryTarget, HistoryPage({{"4-Dec-00", 100, 105, 99, 104, 2000, 104},
                                              {"1-Dec-00", 98, 101, 97, 100, 3000, 100},
                                              {"30-Nov-00", 97, 99, 96, 98, 1000, 98}}));
    Load();

    EXPECT_EQ(server.targets(), (std::vector<std::string>{kQuoteTarget, kHistoryTarget}));
    const LatestQuote& quote = source.latestQuote;
    EXPECT_DOUBLE_EQ(quote.lastTrade, 112.375);
    EXPECT_EQ(quote.changeText, "-1.21%");
    EXPECT_EQ(quote.tradeStamp, "4:00PM");
    EXPECT_DOUBLE_EQ(quote.prevClose, 113.75);
    EXPECT_DOUBLE_EQ(quote.quoteVolume, 1234567);
    EXPECT_DOUBLE_EQ(quote.dayLow, 110.25);
    EXPECT_DOUBLE_EQ(quote.dayHigh, 114.5);
    EXPECT_DOUBLE_EQ(quote.dayOpen, 113);
    EXPECT_DOUBLE_EQ(quote.yearLow, 90);
    EXPECT_DOUBLE_EQ(quote.yearHigh, 134.94);
    EXPECT_EQ(quote.quoteMerged, 1);

    ASSERT_EQ(store.barCount, 4);
    EXPECT_EQ(BarOf(store, 0), (TestBar{113, 114.5, 110.25, 112.375, 1234567}));
    EXPECT_EQ(BarOf(store, 3), (TestBar{97, 99, 96, 98, 1000}));
    EXPECT_DOUBLE_EQ(store.rawClose[1], 104);
    // The table's dates end at their cell's tag.
    EXPECT_EQ((std::vector<std::string>{store.dates.begin(), store.dates.begin() + 4}),
              (std::vector<std::string>{"4:00PM", "4-Dec-00", "1-Dec-00", "30-Nov-00"}));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(source.fromMonth, 7);
}

TEST_F(YahooQuoteSourceTest, NumbersWrittenWithAnExponentKeepIt)
{
    server.Serve(kQuoteTarget, QuotePage("4:00PM", "9.44375e1"));
    server.Serve(kHistoryTarget, "<table><tr><th>Date</th><th>Close</th><th>Volume</th><th>Adj. Close</th></tr>"
                                 "<tr><td>4-Dec-00</td><td>9.1e1</td><td>9.5E+1</td><td>900e-1</td>"
                                 "<td><b>9.3e1</b></td><td>1.2e6</td><td>9.3e1</td></tr></table>");
    Load();
    EXPECT_DOUBLE_EQ(source.latestQuote.lastTrade, 94.4375);
    ASSERT_EQ(store.barCount, 2);
    EXPECT_EQ(BarOf(store, 1), (TestBar{91, 95, 90, 93, 1200000}));
}

// A price scaled by the adjusted close past the range of double has no value.
TEST_F(YahooQuoteSourceTest, APriceScaledPastTheRangeOfNumbersIsStoredAsNoValue)
{
    server.Serve(kQuoteTarget, QuotePage());
    server.Serve(kHistoryTarget, "<table><tr><th>Date</th><th>Close</th><th>Volume</th><th>Adj. Close</th></tr>"
                                 "<tr><td>4-Dec-00</td><td>1e301</td><td>2e300</td><td>5e-1</td>"
                                 "<td><b>1e-10</b></td><td>1e6</td><td>1e-2</td></tr></table>");
    Load();
    ASSERT_EQ(store.barCount, 2);
    EXPECT_EQ(store.open[1], 0);
    EXPECT_EQ(store.high[1], 0);
    EXPECT_DOUBLE_EQ(store.low[1], 5e7);
    for (const Series* series : {&store.open, &store.high, &store.low, &store.close, &store.volume})
        EXPECT_TRUE(std::isfinite((*series)[1]));
}

TEST_F(YahooQuoteSourceTest, TheQuoteStaysOutWhenTheNewestRowIsTheQuotedDay)
{
    // Within 0.1 % of the quote's open, low and high: the same day.
    server.Serve(kQuoteTarget, QuotePage());
    server.Serve(kHistoryTarget, HistoryPage({{"5-Dec-00", 113.1, 114.55, 110.2, 112, 900, 112},
                                              {"4-Dec-00", 100, 105, 99, 104, 2000, 104}}));
    Load();
    EXPECT_EQ(source.latestQuote.quoteMerged, 0);
    EXPECT_EQ(store.barCount, 2);
    EXPECT_EQ(store.dates[0], "5-Dec-00");

    // A date stamp of the newest row's day: no merge whatever the prices.
    server.Serve(kQuoteTarget, QuotePage("Dec 4"));
    server.Serve(kHistoryTarget, HistoryPage({{"4-Dec-00", 100, 105, 99, 104, 2000, 104}}));
    Load();
    EXPECT_EQ(source.stampDay, 4);
    EXPECT_EQ(source.latestQuote.quoteMerged, -1);
    EXPECT_EQ(store.barCount, 1);

    // A date stamp of a later day: the prices decide, and they differ.
    server.Serve(kQuoteTarget, QuotePage("Dec 5"));
    Load();
    EXPECT_EQ(source.latestQuote.quoteMerged, 1);
    EXPECT_EQ(store.dates[0], "Dec 5");
    EXPECT_EQ(store.barCount, 2);
}

TEST_F(YahooQuoteSourceTest, AdjustsEachRowByItsRatioAndKeepsTheLastUsableOne)
{
    server.Serve(kQuoteTarget, QuotePage());
    server.Serve(kHistoryTarget,
                 HistoryPage({{"5-Dec-00", 113, 114.5, 110.25, 112, 900, 112},
                              {"4-Dec-00", 100, 110, 90, 100, 1000, 50},  // split: halved, volume doubled
                              {"1-Dec-00", 100, 110, 90, 0, 1000, 60},    // no close: the ratio before
                              {"30-Nov-00", 100, 110, 90, 100, 1000, 0}}));  // ratio 0 would erase the row
    Load();
    ASSERT_EQ(store.barCount, 4);
    EXPECT_DOUBLE_EQ(store.open[0], 113);
    EXPECT_EQ(BarOf(store, 1), (TestBar{50, 55, 45, 50, 2000}));
    EXPECT_EQ(BarOf(store, 2), (TestBar{50, 55, 45, 60, 2000}));
    EXPECT_EQ(BarOf(store, 3), (TestBar{50, 55, 45, 0, 2000}));
}

TEST_F(YahooQuoteSourceTest, ReadsACloseOnlyTableAndAtMost400Rows)
{
    server.Serve(kQuoteTarget, QuotePage());
    std::vector<PageRow> rows;
    for (int i = 0; i < 450; ++i)
        rows.push_back({std::to_string(1 + i % 28) + "-Nov-00", 113, 114.5, 110.25, 100.0 + i, 0, 0});
    server.Serve(kHistoryTarget, HistoryPage(rows, false));
    Load();
    EXPECT_EQ(source.closeOnlyTable, 1);
    ASSERT_EQ(store.barCount, 400);
    EXPECT_DOUBLE_EQ(store.close[0], 100);
    EXPECT_DOUBLE_EQ(store.close[399], 499);
    EXPECT_DOUBLE_EQ(store.volume[10], 0);
    EXPECT_DOUBLE_EQ(store.rawClose[10], 0);
}

TEST_F(YahooQuoteSourceTest, APageWithoutAQuoteOrATableIsReportedAsNoData)
{
    Load();  // the quote page is a 404 page
    EXPECT_EQ(store.barCount, -1);
    EXPECT_EQ(server.targets().size(), 1U);  // no history requested

    server.Serve(kQuoteTarget, QuotePage("4:00PM").replace(QuotePage().find("52-week"), 7, "Year   "));
    Load();
    EXPECT_EQ(store.barCount, -1);
    EXPECT_DOUBLE_EQ(source.latestQuote.lastTrade, 112.375);  // what was read stays

    server.Serve(kQuoteTarget, QuotePage());
    server.Serve(kHistoryTarget, "<html>no prices today</html>");
    Load();
    EXPECT_EQ(store.barCount, -1);
    EXPECT_EQ(messages, std::vector<std::string>(3, "No data available for YHOO"));

    server.Serve(kHistoryTarget, "<th>Adj. Close</th><td>5-Dec-00</td>");  // no "</table>"
    Load();
    EXPECT_EQ(store.barCount, 0);
    EXPECT_EQ(messages.size(), 3U);
}

TEST_F(YahooQuoteSourceTest, BrokenQuotePagesStayInsideTheText)
{
    for (const std::string page :
         {"Last Trade", "Last Trade<br>4:00PM", "Last Trade<br>4:00PM &", "Last Trade<br>&<b>1<sup>",
          "Last Trade<br>x &<b>12<sup>1</sup>/<sub>0</sub></td>Change(</table>", "Last Trade</table><b>5</td>",
          "Last Trade<br>4:00PM &<b>1,</td>Change (x)</table>"}) {
        store.Clear();
        std::copy(page.c_str(), page.c_str() + page.size() + 1, store.quoteText.begin());
        source.latestQuote = {};
        source.ReadQuotePage(store, "YHOO", web);
        EXPECT_EQ(store.barCount, -1) << page;
        EXPECT_DOUBLE_EQ(source.latestQuote.lastTrade, page.find("1,") != std::string::npos ? 1 : 0) << page;
    }
    EXPECT_EQ(source.latestQuote.changeText, "x");
}

TEST_F(YahooQuoteSourceTest, DateRangesStepBackOverTheYearEnd)
{
    source.ComputeDateRange({2000, 2, 10}, -1);
    EXPECT_EQ(source.fromMonth, 9);
    EXPECT_EQ(source.fromYear, 99);
    EXPECT_EQ(source.toYear, 0);
    source.ComputeDateRange({2001, 3, 15}, 1);
    EXPECT_EQ(source.fromMonth, 5);
    EXPECT_EQ(source.fromYear, 0);
    EXPECT_EQ(source.fromDay, 15);
    EXPECT_EQ(source.HistoryRequest("IBM", web.hosts).object,
              "/t?a=05&b=15&c=00&d=03&e=15&f=01&g=d&s=IBM&Get+Historical+Data&y=0");
}

TEST_F(YahooQuoteSourceTest, AnOddSymbolCannotChangeTheRequest)
{
    Load("AT&T /x?");
    EXPECT_EQ(server.targets(), std::vector<std::string>{"/q?s=AT%26T%20%2Fx%3F&d=t"});
    EXPECT_EQ(messages, std::vector<std::string>{"No data available for AT&T /x?"});
    EXPECT_EQ(EncodeSymbol("^DJI.X-1_a\xC3\xA9"), "^DJI.X-1_a%C3%A9");
}

TEST_F(YahooQuoteSourceTest, AServerThatCannotBeReachedFailsTheLoadAndLeavesTheStoreCleared)
{
    web.hosts.Set(HostRole::YahooFinance, "http://127.0.0.1:1");
    EXPECT_THROW(Load(), NetworkError);
    EXPECT_EQ(store.barCount, 0);
}
