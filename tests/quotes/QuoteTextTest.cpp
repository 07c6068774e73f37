#include "quotes/QuoteText.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ReadDecimal, ReadsSignFractionAndIgnoresWhatFollows)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"123.50", 123.5},   {"-1.94", -1.94},  {"+1.25", 1.25}, {".25", 0.25},     {"7.", 7},
        {"3512700\r", 3512700}, {"  42", 42},   {"12abc", 12},   {"4213900,", 4213900},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ReadDecimal(c.text), c.value) << c.text;
}

TEST(ReadDecimal, TextThatIsNoNumberReadsZeroAndNothingIsInfinite)
{
    for (const char* text : {"", "abc", "-", ".", "N/A", "inf", "nan", "-infinity", "\"12\""})
        EXPECT_EQ(ReadDecimal(text), 0) << text;
    // No exponent: only the mantissa counts, so no input reaches infinity.
    EXPECT_EQ(ReadDecimal("1e999"), 1);
    EXPECT_TRUE(std::isfinite(ReadDecimal("99999999999999999999")));
}

TEST(LeadingInteger, ReadsTheDayOfADate)
{
    EXPECT_EQ(LeadingInteger("5-Dec-00"), 5);
    EXPECT_EQ(LeadingInteger("31-Jan-01"), 31);
    EXPECT_EQ(LeadingInteger("Dec"), 0);
    EXPECT_EQ(LeadingInteger("99999999999999999999-x"), 2147483647);
}

TEST(EqualsIgnoringCase, ComparesAsciiLettersWithoutCase)
{
    EXPECT_TRUE(EqualsIgnoringCase("ibm", "IBM"));
    EXPECT_TRUE(EqualsIgnoringCase("Brk.B", "BRK.b"));
    EXPECT_FALSE(EqualsIgnoringCase("IBM", "IBMX"));
    EXPECT_FALSE(EqualsIgnoringCase("IBM", "I8M"));
}

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
