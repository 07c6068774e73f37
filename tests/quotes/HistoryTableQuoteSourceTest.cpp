#include "quotes/HistoryTableQuoteSource.h"
#include "quotes/QuoteSeries.h"
#include "support/PageServer.h"
#include "support/TestStore.h"
#include "support/WebQuotePages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace SecondSourcePages;

constexpr auto kQuoteTarget = "/research/quote.gsp?s=YHOO";
constexpr auto kHistoryTarget = "/research/historical.gsp?s=YHOO&c=0&o=d&fm=07&fd=05&fy=2000&tm=12&td=05&ty=2000";

class HistoryTableQuoteSourceTest : public testing::Test {
protected:
    HistoryTableQuoteSourceTest()
    {
        web.hosts.Set(HostRole::SecondQuoteSource, server.base());
        web.today = [] { return CalendarDate{2000, 12, 5}; };
        web.showMessage = [this](const std::string& message) { messages.push_back(message); };
    }

    void Load()
    {
        store.Clear();
        source.LoadFromWeb(store, "YHOO", -1, web);
    }

    PageServer server;
    WebAccess web;
    QuoteSeries store;
    HistoryTableQuoteSource source;
    std::vector<std::string> messages;
};

}  // namespace

TEST_F(HistoryTableQuoteSourceTest, ReadsBothPagesMergesTheQuoteAndHalvesPricesButNotVolume)
{
    server.Serve(kQuoteTarget, QuotePage());
    server.Serve(kHistoryTarget, HistoryPage({{"Dec-4-00", 100, 110, 90, 100, 1000, 50},
                                              {"Dec-1-00", 98, 101, 97, 100, 3000, 100},
                                              {"Nov-30-00", 97, 99, 96, 98, 1000, 98}}));
    Load();

    EXPECT_EQ(server.targets(), (std::vector<std::string>{kQuoteTarget, kHistoryTarget}));
    const LatestQuote& quote = source.latestQuote;
    EXPECT_DOUBLE_EQ(quote.lastTrade, 112.25);
    EXPECT_DOUBLE_EQ(quote.dayOpen, 113);
    EXPECT_DOUBLE_EQ(quote.prevClose, 113.75);
    EXPECT_EQ(quote.changeText, "-1.32%");
    EXPECT_DOUBLE_EQ(quote.dayHigh, 114.5);
    EXPECT_EQ(quote.tradeStamp, "4:01PM");
    EXPECT_DOUBLE_EQ(quote.dayLow, 110.25);
    EXPECT_DOUBLE_EQ(quote.yearHigh, 134.94);
    EXPECT_DOUBLE_EQ(quote.yearLow, 90);
    EXPECT_DOUBLE_EQ(quote.quoteVolume, 1234567);
    EXPECT_EQ(quote.quoteMerged, 1);

    ASSERT_EQ(store.barCount, 4);
    EXPECT_EQ(store.dates[0], "4:01PM");
    EXPECT_EQ(store.dates[1], "Dec-4-00");
    EXPECT_EQ(BarOf(store, 1), (TestBar{50, 55, 45, 50, 1000}));
    EXPECT_DOUBLE_EQ(store.rawClose[1], 100);
    EXPECT_EQ(store.dates[3], "Nov-30-00");
    EXPECT_TRUE(messages.empty());
}

TEST_F(HistoryTableQuoteSourceTest, ADateStampMergesOnlyBeforeADayFirstNewestRow)
{
    server.Serve(kQuoteTarget, QuotePage("Dec 5"));
    server.Serve(kHistoryTarget, HistoryPage({{"Dec-4-00", 100, 110, 90, 100, 1000, 100}}));
    Load();
    EXPECT_EQ(source.stampDay, 0);
    EXPECT_EQ(source.latestQuote.quoteMerged, -1);  // "Dec-..." reads as day 0, the stamp's day
    EXPECT_EQ(store.barCount, 1);

    server.Serve(kHistoryTarget, HistoryPage({{"4-Dec-00", 100, 110, 90, 100, 1000, 100}}));
    Load();
    EXPECT_EQ(source.latestQuote.quoteMerged, 1);
    EXPECT_EQ(store.barCount, 2);
}

TEST_F(HistoryTableQuoteSourceTest, WithoutAnAdjustedCloseOrAQuoteThereIsNoData)
{
    server.Serve(kQuoteTarget, QuotePage());
    server.Serve(kHistoryTarget, "<table><tr><th>Close</th></tr></table>");
    Load();
    EXPECT_EQ(store.barCount, -1);

    server.Serve(kQuoteTarget, QuotePage().substr(0, QuotePage().find("Yield")));  // no field before the end
    Load();
    EXPECT_EQ(store.barCount, -1);
    EXPECT_DOUBLE_EQ(source.latestQuote.lastTrade, 0);
    EXPECT_EQ(server.targets().size(), 3U);  // no history after a page without a quote
    EXPECT_EQ(messages, std::vector<std::string>(2, "No data available for YHOO"));
}

TEST_F(HistoryTableQuoteSourceTest, DateRangesUseTheClocksFourDigitYear)
{
    source.ComputeDateRange({2001, 3, 15}, 1);
    EXPECT_EQ(source.fromMonth, 5);
    EXPECT_EQ(source.fromYear, 2000);
    EXPECT_EQ(source.toYear, 2001);
    source.ComputeDateRange({1999, 12, 31}, -1);
    EXPECT_EQ(source.HistoryRequest("A&B", web.hosts).object,
              "/research/historical.gsp?s=A%26B&c=0&o=d&fm=07&fd=31&fy=1999&tm=12&td=31&ty=1999");
    source.ComputeDateRange({2001, 1, 10}, -1);
    EXPECT_EQ(source.fromMonth, 8);
    EXPECT_EQ(source.fromYear, 2000);
}

TEST_F(HistoryTableQuoteSourceTest, MonthMarksComeFromTheDayAfterTheMonthName)
{
    const std::vector<std::string> dates = {"Feb-2-01", "Feb-1-01", "Jan-31-01", "Jan-2-01", "Dec-29-00",
                                            "Dec-28-00", "Nov-30-00", "Nov-29-00", "odd", "Nov-27-00"};
    for (std::size_t i = 0; i < dates.size(); ++i)
        store.dates[i] = dates[i];
    HistoryTableQuoteSource::ScanMonthMarks(store);
    ASSERT_EQ(store.MonthMarkCount(), 2);
    EXPECT_EQ(store.monthStarts[0], 3);
    EXPECT_EQ(store.monthLabels[0], "01");
    EXPECT_EQ(store.monthStarts[1], 5);
    EXPECT_EQ(store.monthLabels[1], "Dec");
}
