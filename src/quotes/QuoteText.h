#pragma once

#include <optional>
#include <string_view>

// Small readers for the numbers and dates of quote files and pages. They never
// look outside the text they are given.

// Longest piece of a field that is converted; the rest is ignored.
inline constexpr std::size_t kMaxFieldLength = 20;

// The first kMaxFieldLength characters of a field.
std::string_view TakeField(std::string_view field);

// A decimal number with optional leading blanks, sign and fraction
// ("-12.5", "+3", ".25"); whatever follows it is ignored. Text that does not
// start with a number reads as 0, and so do exponents, "inf" and "nan": the
// result is always finite.
double ReadDecimal(std::string_view text);

// ReadDecimal's number and the length of the text it took (0 when the text
// does not start with a number).
struct LeadingNumber {
    double value = 0;
    std::size_t length = 0;
};
LeadingNumber ReadLeadingDecimal(std::string_view text);

// The leading whole number of a text ("5-Dec-00" gives 5), after optional
// blanks and sign; 0 when there is none. Clamped to the int range.
int LeadingInteger(std::string_view text);

// "Jan" to "Dec" give 1 to 12 (exact case); anything else 0.
int MonthNumber(std::string_view name);

// The text without blanks, tabs and carriage returns at either end.
std::string_view Trimmed(std::string_view text);

// True when both texts are equal, ASCII letters compared without case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The text without its first and last character (the quotes of a quoted
// field); empty when it has fewer than two characters.
std::string_view WithoutEnds(std::string_view text);

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
