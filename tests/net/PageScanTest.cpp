#include "net/PageScan.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

// Reads one "<br>"-started value ending at "</td>", as the quote pages hold them.
std::optional<double> ReadValue(std::string_view page, PagePos& cursor)
{
    return ReadLabelledNumber(page, cursor, page.size(), {"Price", "<br>", "</td>", 4}, 13);
}

}  // namespace

TEST(PageScan, ThousandsGroupsFollowTheDigitsDirectly)
{
    EXPECT_DOUBLE_EQ(ReadGroupedNumber("12,345,678"), 12345678);
    EXPECT_DOUBLE_EQ(ReadGroupedNumber("1,234.5"), 1234.5);
    EXPECT_DOUBLE_EQ(ReadGroupedNumber("1,2,3,4,5,6"), 1002003004005);  // four groups at most
    EXPECT_DOUBLE_EQ(ReadGroupedNumber("12 ,345"), 12);
    EXPECT_DOUBLE_EQ(ReadGroupedNumber("12,"), 12);
    // Groups after a huge exponent would overflow to infinity: no price.
    EXPECT_EQ(ReadGroupedNumber("1e300,000,000,001"), 0);
    EXPECT_DOUBLE_EQ(ReadGroupedNumber("x,5"), 0);
    EXPECT_DOUBLE_EQ(ReadGroupedNumber("9.44375e1"), 94.4375);
    EXPECT_DOUBLE_EQ(ReadGroupedNumber("1.2E6,5"), 1200000005);

    // A comma in a tag after the field is not a group of the value.
    const std::string_view page = "Price<br>113</td><font face=\"Arial,Helvetica\">";
    PagePos cursor = 0;
    EXPECT_EQ(ReadValue(page, cursor), 113);
}

TEST(PageScan, AFractionIsTakenOnlyFromInsideItsField)
{
    PagePos cursor = 0;
    EXPECT_EQ(ReadValue("Price<br>112<sup>3</sup>/<sub>8</sub></td>", cursor), 112.375);

    // A superscript without its subscript: the next field's "<sub>" is not used.
    const std::string_view page = "Price<br>112<sup>3</sup></td>Price<br>5<sup>1</sup>/<sub>2</sub></td>";
    cursor = 0;
    EXPECT_EQ(ReadValue(page, cursor), std::nullopt);
    EXPECT_EQ(cursor, page.find("</td>"));  // the next label is searched from the field's end
    EXPECT_EQ(ReadValue(page, cursor), 5.5);

    cursor = 0;
    EXPECT_EQ(ReadValue("Volume<br>5</td>", cursor), std::nullopt);
    EXPECT_EQ(cursor, std::nullopt);  // no label: every later field is skipped
    EXPECT_EQ(ReadValue("Price<br>5</td>", cursor), std::nullopt);
}

TEST(PageScan, DateCellsEndAtTheirTagAndSearchesStayInTheText)
{
    EXPECT_EQ(CellText("4-Dec-00<"), "4-Dec-00");
    EXPECT_EQ(CellText("Dec-4-00 </"), "Dec-4-00");
    EXPECT_EQ(CellText("14-Jan-00"), "14-Jan-00");
    EXPECT_EQ(CopyAt("abc", 2, 13), "c");
    EXPECT_EQ(CopyAt("abc", 7, 13), "");
    EXPECT_EQ(FindIn("abc", "c", 9), std::nullopt);
    EXPECT_EQ(FindIn("abc", "c", std::nullopt), std::nullopt);
    EXPECT_TRUE(IsTimeOfDay("<br>4:00PM &", 0, 11));
    EXPECT_FALSE(IsTimeOfDay("<br>Dec 4 &x PM", 0, 11));
}
