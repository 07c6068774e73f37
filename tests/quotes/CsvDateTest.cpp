#include "quotes/CsvDate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// Lines whose first field starts like a year-month-day date: real and unreal
// days of short, long and leap months, years at and past the ends, days that
// are no two digits, and every way a field may end there.
std::vector<std::string> DateLines()
{
    std::vector<std::string> lines;
    for (const std::string head : {"2024-02-", "2023-02-", "1900-02-", "2000-02-", "2024-04-", "2024-12-", "2099-12-",
                                   "2100-01-", "1899-12-", "2024-13-", "2024-00-"}) {
        std::vector<std::string> days;
        for (int day = 0; day <= 39; ++day)
            days.push_back(std::string(1, static_cast<char>('0' + day / 10)) + static_cast<char>('0' + day % 10));
        for (const std::string odd : {"0a", "a1", "1 ", "/1", "1", ""})
            days.push_back(odd);
        days.push_back(std::string("1\0", 2));
        for (const std::string& day : days)
            for (const std::string end : {"", ",1.5", ";1.5", "\t1", "x,1", "5,1", " 16:00,1"})
                lines.push_back(head + day + end);
    }
    // Other dates between them, read the long way.
    for (const std::string other : {"3/15/2024,1", "15.03.2024,1", "15-Mar-24,1", "20240315,1", "Mar 15, 2024,1"})
        lines.push_back(other);
    return lines;
}

// Reads `lines` in turn with one reader and each alone with LeadingCsvDate:
// the same answer and the same date for every line, for both separators
// and slash orders.
void ExpectSameAsLeadingCsvDate(const std::vector<std::string>& lines)
{
    for (const char separator : {',', ';'}) {
        for (const SlashOrder slashes : {SlashOrder::MonthFirst, SlashOrder::DayFirst}) {
            LeadingDateReader reader(separator, slashes);
            for (const std::string& line : lines) {
                const CalendarDate untouched{1, 2, 3};
                CalendarDate expected = untouched;
                CalendarDate read = untouched;
                const bool expectedRead = LeadingCsvDate(line, separator, slashes, expected);
                ASSERT_EQ(reader.Read(line, read), expectedRead) << line << " with " << separator;
                ASSERT_EQ(read, expected) << line << " with " << separator;
            }
        }
    }
}

}  // namespace

TEST(LeadingDateReader, ReadsEachLineOfAFileAsLeadingCsvDateReadsItAlone)
{
    // In order, lines of one month follow each other and reuse its year and
    // month, real days and unreal ones; shuffled, the months change nearly
    // every line.
    std::vector<std::string> lines = DateLines();
    ExpectSameAsLeadingCsvDate(lines);
    std::reverse(lines.begin(), lines.end());
    ExpectSameAsLeadingCsvDate(lines);
    std::shuffle(lines.begin(), lines.end(), std::mt19937(17));
    ExpectSameAsLeadingCsvDate(lines);
}

TEST(LeadingDateReader, ADayPastTheEndOfTheMonthBeforeIsNoDate)
{
    LeadingDateReader reader(',', SlashOrder::MonthFirst);
    CalendarDate date;
    ASSERT_TRUE(reader.Read("2023-02-28,1", date));
    EXPECT_EQ(date, (CalendarDate{2023, 2, 28}));
    EXPECT_FALSE(reader.Read("2023-02-29,1", date));
    EXPECT_FALSE(reader.Read("2023-02-00,1", date));
    EXPECT_EQ(date, (CalendarDate{2023, 2, 28}));
    ASSERT_TRUE(reader.Read("2023-02-01", date));
    EXPECT_EQ(date, (CalendarDate{2023, 2, 1}));
    ASSERT_TRUE(reader.Read("2024-02-29,1", date));
    EXPECT_EQ(date, (CalendarDate{2024, 2, 29}));
}
