#include "quotes/QuoteText.h"

#include <gtest/gtest.h>

TEST(ParseHistoryDate, TwoDigitYearsPivotAtSixtyNine)
{
    const struct {
        const char* text;
        CalendarDate date;
    } cases[] = {
        {"5-Dec-00", {2000, 12, 5}}, {"31-Dec-99", {1999, 12, 31}}, {"1-Jan-68", {2068, 1, 1}},
        {"1-Jan-69", {1969, 1, 1}},  {"18-Jan-18", {2018, 1, 18}},
    };
    for (const auto& c : cases) {
        const auto date = ParseHistoryDate(c.text);
        ASSERT_TRUE(date) << c.text;
        EXPECT_EQ(*date, c.date) << c.text;
    }
}

TEST(ParseHistoryDate, RejectsOtherLayouts)
{
    for (const char* text : {"", "2000-12-05", "5-DEC-00", "5-Dez-00", "5-Dec", "5-Dec-0", "x-Dec-00", "12/5/2000"})
        EXPECT_FALSE(ParseHistoryDate(text)) << text;
}

TEST(ParseQuoteDate, ReadsMonthFirst)
{
    const auto date = ParseQuoteDate("12/5/2000");
    ASSERT_TRUE(date);
    EXPECT_EQ(*date, (CalendarDate{2000, 12, 5}));
    for (const char* text : {"", "12/5", "a/5/2000", "12//2000", "5-Dec-00"})
        EXPECT_FALSE(ParseQuoteDate(text)) << text;
}
