#include "base/Text.h"

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


TEST(CaseMapping, OnlyAsciiLettersChangeCase)
{
    EXPECT_EQ(UpperAscii("brk.b-1_\xC3\xA9z"), "BRK.B-1_\xC3\xA9Z");
    EXPECT_EQ(LowerAscii("BRK.B-1_\xC3\x89Z"), "brk.b-1_\xC3\x89z");
}
