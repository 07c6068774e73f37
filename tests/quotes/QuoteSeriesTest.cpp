#include "quotes/QuoteSeries.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<QuoteSeries> StoreWithDates(const std::vector<std::string>& dates)
{
    auto store = std::make_unique<QuoteSeries>();
    for (std::size_t i = 0; i < dates.size(); ++i)
        store->dates[i] = dates[i];
    store->barCount = static_cast<int>(dates.size());
    return store;
}

}  // namespace

TEST(MonthMarks, FirstTradingDayOfEachMonthLabelledWithMonthOrJanuaryYear)
{
    auto store = StoreWithDates({"3-Feb-00", "2-Feb-00", "3-Jan-00", "31-Dec-99", "30-Dec-99", "1-Feb-00",
                                 "31-Jan-00", "30-Jan-00"});
    // Two month changes of a made-up list: into January 2000 at bar 2 and
    // into February at bar 5.
    store->ScanMonthStarts();
    ASSERT_EQ(store->MonthMarkCount(), 2);
    EXPECT_EQ(store->monthStarts[0], 2);
    EXPECT_EQ(store->monthLabels[0], "00");
    EXPECT_EQ(store->monthStarts[1], 5);
    EXPECT_EQ(store->monthLabels[1], "Feb");
    EXPECT_EQ(store->monthStarts[2], 0);
    EXPECT_EQ(store->monthLabels[2], "");
}

TEST(MonthMarks, MonthChangesAtTheTwoNewestBarsAreNotMarked)
{
    auto betweenNewest = StoreWithDates({"1-Mar-00", "29-Feb-00", "28-Feb-00", "27-Feb-00", "25-Feb-00"});
    betweenNewest->ScanMonthStarts();
    EXPECT_EQ(betweenNewest->MonthMarkCount(), 0);

    auto betweenOneAndTwo =
        StoreWithDates({"2-Mar-00", "1-Mar-00", "29-Feb-00", "28-Feb-00", "1-Feb-00", "31-Jan-00"});
    betweenOneAndTwo->ScanMonthStarts();
    ASSERT_EQ(betweenOneAndTwo->MonthMarkCount(), 1);
    EXPECT_EQ(betweenOneAndTwo->monthStarts[0], 4);
    EXPECT_EQ(betweenOneAndTwo->monthLabels[0], "Feb");
}

TEST(MonthMarks, ShortSeriesAndTheFirstEmptyDateEndTheScan)
{
    auto three = StoreWithDates({"3-Jan-00", "31-Dec-99", "1-Dec-99"});
    three->ScanMonthStarts();
    EXPECT_EQ(three->MonthMarkCount(), 0);

    auto gap = StoreWithDates({"5-Jan-00", "4-Jan-00", "3-Jan-00", "", "1-Jan-00", "31-Dec-99"});
    gap->ScanMonthStarts();
    EXPECT_EQ(gap->MonthMarkCount(), 0);
}

TEST(MonthMarks, AtMostTwentyMarksAndNothingPastBarThreeHundredNinety)
{
    std::vector<std::string> alternating;
    for (int i = 0; i < 400; ++i)
        alternating.push_back(i % 2 == 0 ? "1-Mar-00" : "2-Feb-00");
    auto many = StoreWithDates(alternating);
    many->ScanMonthStarts();
    EXPECT_EQ(many->MonthMarkCount(), 20);
    EXPECT_EQ(many->monthStarts[19], 40);

    std::vector<std::string> late(400, "15-Mar-00");
    late[389] = "1-Mar-00";  // its older neighbour, bar 390, is the last one looked at
    late[395] = "1-Mar-00";
    auto tail = StoreWithDates(late);
    tail->ScanMonthStarts();
    ASSERT_EQ(tail->MonthMarkCount(), 1);
    EXPECT_EQ(tail->monthStarts[0], 389);
}

TEST(QuoteSeries, ClearEmptiesEveryBarAndBuffer)
{
    auto store = StoreWithDates({"3-Jan-00", "31-Dec-99", "30-Dec-99", "1-Dec-99", "30-Nov-99"});
    store->close[4] = 12;
    store->rawClose[399] = 3;
    store->quoteText[0] = 'x';
    store->historyText[149999] = 'y';
    store->ScanMonthStarts();
    store->Clear();
    EXPECT_EQ(store->barCount, 0);
    EXPECT_EQ(store->dates[0], "");
    EXPECT_EQ(store->close[4], 0);
    EXPECT_EQ(store->rawClose[399], 0);
    EXPECT_EQ(store->quoteText[0], '\0');
    EXPECT_EQ(store->historyText[149999], '\0');
    EXPECT_EQ(store->MonthMarkCount(), 0);
    EXPECT_EQ(store->monthLabels[0], "");
}
