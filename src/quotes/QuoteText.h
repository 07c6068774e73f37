#pragma once

#include "base/Text.h"

#include <cstddef>
#include <optional>
#include <string_view>

// Readers for the fields and dates of quote files and pages. They never look
// outside the text they are given.

// Longest piece of a field that is converted; the rest is ignored.
inline constexpr std::size_t kMaxFieldLength = 20;

// The first kMaxFieldLength characters of a field. Inline: readers take
// every field of every row through it.
inline std::string_view TakeField(std::string_view field)
{
    return field.substr(0, kMaxFieldLength);
}

// "Jan" to "Dec" give 1 to 12 (exact case); anything else 0.
int MonthNumber(std::string_view name);

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend auto operator<=>(const CalendarDate&, const CalendarDate&) = default;
};

// A history date, day-month-year with a three-letter month and a two-digit
// year: "5-Dec-00". Years 00 to 68 are 2000 to 2068, 69 to 99 are 1969 to
// 1999. Nothing when the text does not follow that layout.
std::optional<CalendarDate> ParseHistoryDate(std::string_view text);

// A quote date, month/day/year: "12/5/2000". Nothing when the text does not
// follow that layout.
std::optional<CalendarDate> ParseQuoteDate(std::string_view text);
