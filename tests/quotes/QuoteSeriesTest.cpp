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

// The month marks of `dates` as "bar:label ...".
std::string MarksOf(const std::vector<std::string>& dates)
{
    auto store = StoreWithDates(dates);
    store->ScanMonthStarts();
    std::string marks;
    for (int k = 0; k < store->MonthMarkCount(); ++k)
        marks += std::to_string(store->monthStarts[k]) + ":" + store->monthLabels[k] + " ";
    return marks;
}

}  // namespace

TEST(MonthMarks, FirstTradingDayOfEachMonthLabelledWithMonthOrJanuaryYear)
{
    const struct {
        std::vector<std::string> dates;  // newest first
        std::string marks;
    } cases[] = {
        // Into January 2000 at bar 2 and into February at bar 5 of a made-up list.
        {{"3-Feb-00", "2-Feb-00", "3-Jan-00", "31-Dec-99", "30-Dec-99", "1-Feb-00", "31-Jan-00", "30-Jan-00"},
         "2:00 5:Feb "},
        // Month changes at the two newest bars are not marked.
        {{"1-Mar-00", "29-Feb-00", "28-Feb-00", "27-Feb-00", "25-Feb-00"}, ""},
        {{"2-Mar-00", "1-Mar-00", "29-Feb-00", "28-Feb-00", "1-Feb-00", "31-Jan-00"}, "4:Feb "},
        // Too short a series, and the first empty date ends the scan.
        {{"3-Jan-00", "31-Dec-99", "1-Dec-99"}, ""},
        {{"5-Jan-00", "4-Jan-00", "3-Jan-00", "", "1-Jan-00", "31-Dec-99"}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MarksOf(c.dates), c.marks) << c.dates[0] << " .. " << c.dates.back();
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
    EXPECT_EQ(MarksOf(late), "389:Mar ");
}

TEST(QuoteSeries, ClearEmptiesEveryBarAndBuffer)
{
    auto store = StoreWithDates({"3-Jan-00", "31-Dec-99", "30-Dec-99", "1-Dec-99", "30-Nov-99"});
    store->close[4] = 12;
    store->rawClose[399] = 3;
    store->quoteText[0] = 'x';
    store->historyText[0] = 'y';
    store->ScanMonthStarts();
    store->Clear();
    EXPECT_EQ(store->barCount, 0);
    EXPECT_EQ(store->dates[0], "");
    EXPECT_EQ(store->close[4], 0);
    EXPECT_EQ(store->rawClose[399], 0);
    EXPECT_EQ(QuoteSeries::TextOf(store->quoteText), "");
    EXPECT_EQ(QuoteSeries::TextOf(store->historyText), "");
    EXPECT_EQ(store->MonthMarkCount(), 0);
    EXPECT_EQ(store->monthLabels[0], "");
}
