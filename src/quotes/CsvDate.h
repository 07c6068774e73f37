#pragma once

#include "quotes/QuoteText.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

// The dates of downloaded CSV histories, in the layouts data vendors, brokers
// and free services write today.

// A row's date and, when the field carried one, its time of day.
struct CsvDate {
    CalendarDate date;
    int seconds = -1;  // seconds after midnight; -1 when the field has no time
};

// How a file writes the dates with slashes: month first (3/15/2024) unless
// some row's first number is above 12, which makes the whole file day first.
enum class SlashOrder { MonthFirst, DayFirst };

// One date field: 2024-03-15, 20240315, 3/15/2024, 15.03.2024, 15-Mar-24,
// Mar 15, 2024 (or March 15, 2024), each optionally followed by a time after
// a blank or a 'T' ("2024-03-15T16:00:00Z", "15.03.2024 09:30"). Two-digit
// years pivot at 69 as the local history files do. Nothing when the field is
// no real calendar date (31-Feb is none) or its time is no time of day.
std::optional<CsvDate> ParseCsvDate(std::string_view field, SlashOrder slashes = SlashOrder::MonthFirst);

// ParseCsvDate's date for the first field of `line`, in one pass, into
// `date` when that field is a date of digits and marks ("2024-03-15",
// "3/15/2024", "15-Mar-24") without a time, from the line's first character
// right up to `separator` or the line end. False, and `date` left as it
// was, for any other first field, which ParseCsvDate then has to read. (An
// out-parameter: a returned date would go through memory on every row.)
bool LeadingCsvDate(std::string_view line, char separator, SlashOrder slashes, CalendarDate& date);

// LeadingCsvDate for the rows of one file in turn. Consecutive rows mostly
// share their year and month: a "2024-03-15" date that starts with the same
// eight bytes as the last such date read only has its day read and checked.
class LeadingDateReader {
public:
    LeadingDateReader(char separator, SlashOrder slashes) : separator_(separator), slashes_(slashes) {}

    // As LeadingCsvDate(line, separator, slashes, date).
    bool Read(std::string_view line, CalendarDate& date)
    {
        if (line.size() >= 10 && (line.size() == 10 || line[10] == separator_)) {
            std::uint64_t head;
            std::memcpy(&head, line.data(), sizeof head);
            std::uint16_t tail;
            std::memcpy(&tail, line.data() + 8, sizeof tail);
            // The day's two bytes as 0 to 9 each when both are digits.
            const std::uint32_t day = tail ^ 0x3030u;
            if (head == head_ && ((day | (day + 0x7676)) & 0x8080) == 0) {
                const int number = static_cast<int>(day & 0xFF) * 10 + static_cast<int>(day >> 8);
                if (number >= 1 && number <= daysInMonth_) {
                    date = CalendarDate{year_, month_, number};
                    return true;
                }
            }
        }
        return ReadAnew(line, date);
    }

private:
    // LeadingCsvDate itself, keeping the year and month of a "2024-03-15".
    bool ReadAnew(std::string_view line, CalendarDate& date);

    char separator_;
    SlashOrder slashes_;
    std::uint64_t head_ = 0;  // "2024-03-" of the last such date read
    int year_ = 0;
    int month_ = 0;
    int daysInMonth_ = 0;  // 0 until one is read: no day passes
};

// True when `field` is a slash date whose first number cannot be a month.
bool IsDayFirstSlashDate(std::string_view field);

// A separate time field, "16:00", "16:00:00", "160000" or "1600": seconds
// after midnight, or -1 when it is none.
int ParseCsvTime(std::string_view field);

// A real calendar date (as ParseCsvDate gives) as the local history files
// write it, "5-Dec-00", into `text`: written over in place, no string built
// and moved for every bar.
void WriteHistoryDate(const CalendarDate& date, std::string& text);
