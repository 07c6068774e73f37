#include "quotes/CsvDate.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads `count` digits at `pos` (exactly that many when `exact`, else 1 to
// `count`), moving `pos` past them; -1 when there are none.
int TakeNumber(std::string_view text, std::size_t& pos, std::size_t count, bool exact)
{
    int value = 0;
    std::size_t taken = 0;
    while (taken < count && pos < text.size() && IsDigit(text[pos])) {
        value = value * 10 + (text[pos++] - '0');
        ++taken;
    }
    if (taken == 0 || (exact && taken != count))
        return -1;
    return value;
}

bool Take(std::string_view text, std::size_t& pos, char c)
{
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

// For years 1900 to 2099, the only ones a date may have: of their years
// divisible by 4 only 1900 is no leap year. No division for every row.
int DaysInMonth(int year, int month)
{
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year & 3) == 0 && year != 1900;
    return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// A year as written: four digits as they are, two digits pivoting at 69.
int FullYear(int year, std::size_t digits)
{
    if (digits > 2)
        return year;
    return year < 69 ? 2000 + year : 1900 + year;
}

// The date when it is a real one, else year 0. Not an optional: copying one
// out costs a stalled load on every row.
CalendarDate Checked(int year, int month, int day)
{
    if (year < 1900 || year > 2099 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return {};
    return CalendarDate{year, month, day};
}

// "Mar", "mar", "March": 1 to 12, moving `pos` past the name; 0 when none.
int TakeMonthName(std::string_view text, std::size_t& pos)
{
    std::size_t end = pos;
    while (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end])))
        ++end;
    const std::string_view name = text.substr(pos, end - pos);
    if (name.size() < 3)
        return 0;
    for (std::size_t m = 0; m < kMonthNames.size(); ++m) {
        if (EqualsIgnoringCase(name.substr(0, 3), kMonthNames[m])) {
            pos = end;
            return static_cast<int>(m) + 1;
        }
    }
    return 0;
}

// "16:00", "16:00:00", "9:30:15.250", then an optional zone ("Z",
// "+01:00"): seconds after midnight, or -1.
int ClockTime(std::string_view text)
{
    std::size_t pos = 0;
    const int hours = TakeNumber(text, pos, 2, false);
    if (hours < 0 || !Take(text, pos, ':'))
        return -1;
    const int minutes = TakeNumber(text, pos, 2, true);
    int seconds = 0;
    if (Take(text, pos, ':'))
        seconds = TakeNumber(text, pos, 2, true);
    if (Take(text, pos, '.'))
        while (pos < text.size() && IsDigit(text[pos]))
            ++pos;
    const std::string_view zone = text.substr(pos);
    const bool zoneOk = zone.empty() || zone == "Z" || zone[0] == '+' || zone[0] == '-';
    if (minutes < 0 || minutes > 59 || seconds < 0 || seconds > 60 || hours > 23 || !zoneOk)
        return -1;
    return hours * 3600 + minutes * 60 + seconds;
}

struct DatePart {
    CalendarDate date;    // year 0 when there is none
    std::size_t end = 0;  // where the date ended in the field
};

DatePart ReadDate(std::string_view text, SlashOrder slashes)
{
    std::size_t pos = 0;
    // A digit is never a letter, in any locale: most dates skip the call.
    if (!text.empty() && !IsDigit(text[0]) && std::isalpha(static_cast<unsigned char>(text[0]))) {
        // Mar 15, 2024
        const int month = TakeMonthName(text, pos);
        Take(text, pos, ' ');
        const int day = TakeNumber(text, pos, 2, false);
        Take(text, pos, ',');
        Take(text, pos, ' ');
        const std::size_t yearStart = pos;
        const int year = TakeNumber(text, pos, 4, false);
        if (month == 0 || day < 0 || year < 0)
            return {};
        return {Checked(FullYear(year, pos - yearStart), month, day), pos};
    }
    const std::size_t firstStart = pos;
    const int first = TakeNumber(text, pos, 8, false);
    const std::size_t firstDigits = pos - firstStart;
    if (first < 0)
        return {};
    if (firstDigits == 8)  // 20240315
        return {Checked(first / 10000, first / 100 % 100, first % 100), pos};
    if (pos >= text.size())
        return {};
    const char separator = text[pos++];
    if (separator == '-' && firstDigits == 4) {  // 2024-03-15
        const int month = TakeNumber(text, pos, 2, false);
        const int day = Take(text, pos, '-') ? TakeNumber(text, pos, 2, false) : -1;
        return {day < 0 || month < 0 ? CalendarDate{} : Checked(first, month, day), pos};
    }
    if (separator == '-') {  // 15-Mar-24
        const int month = TakeMonthName(text, pos);
        const std::size_t yearStart = pos + 1;
        const int year = Take(text, pos, '-') ? TakeNumber(text, pos, 4, false) : -1;
        if (month == 0 || year < 0)
            return {};
        return {Checked(FullYear(year, pos - yearStart), month, first), pos};
    }
    if (separator == '/' || separator == '.') {  // 3/15/2024, 15.03.2024
        const int second = TakeNumber(text, pos, 2, false);
        const std::size_t yearStart = pos + 1;
        const int year = Take(text, pos, separator) ? TakeNumber(text, pos, 4, false) : -1;
        if (second < 0 || year < 0 || firstDigits > 2)
            return {};
        const bool dayFirst = separator == '.' || slashes == SlashOrder::DayFirst;
        const int month = dayFirst ? second : first;
        const int day = dayFirst ? first : second;
        return {Checked(FullYear(year, pos - yearStart), month, day), pos};
    }
    return {};
}

// "2024-03-15", the commonest date, from the ten bytes at `text`: the date
// ReadDate reads there when the ten bytes are in that shape, else year 0 (and
// ReadDate has to read them). Two words compared at once, not ten bytes.
CalendarDate IsoDate(const char* text)
{
    static_assert(std::endian::native == std::endian::little);
    std::uint64_t head;  // "2024-03-"
    std::memcpy(&head, text, sizeof head);
    std::uint16_t tail;  // "15"
    std::memcpy(&tail, text + 8, sizeof tail);
    // Digits become 0 to 9 and the dashes 0; every other byte something
    // else. A byte is at most 9 when neither it nor it plus 0x76 reaches
    // 0x80 (nor carries, as no byte reaches 0x80).
    const std::uint64_t digits = head ^ 0x2D30302D30303030;
    const std::uint32_t day = tail ^ 0x3030u;
    const bool shaped = ((digits | (digits + 0x7676767676767676)) & 0x8080808080808080) == 0 &&
                        (digits & 0xFF0000FF00000000) == 0 && ((day | (day + 0x7676)) & 0x8080) == 0;
    if (!shaped)
        return {};
    const auto at = [digits](int i) { return static_cast<int>((digits >> (8 * i)) & 0xFF); };
    return Checked(at(0) * 1000 + at(1) * 100 + at(2) * 10 + at(3), at(5) * 10 + at(6),
                   static_cast<int>(day & 0xFF) * 10 + static_cast<int>(day >> 8));
}

}  // namespace

std::optional<CsvDate> ParseCsvDate(std::string_view field, SlashOrder slashes)
{
    const std::string_view text = Trimmed(field);
    const DatePart part = ReadDate(text, slashes);
    if (part.date.year == 0)
        return std::nullopt;
    std::string_view rest = text.substr(part.end);
    if (rest.empty())
        return CsvDate{part.date, -1};
    if (rest[0] != ' ' && rest[0] != 'T')
        return std::nullopt;
    rest = Trimmed(rest.substr(1));
    const int seconds = ClockTime(rest);
    if (seconds < 0)
        return std::nullopt;
    return CsvDate{part.date, seconds};
}

bool LeadingCsvDate(std::string_view line, char separator, SlashOrder slashes, CalendarDate& date)
{
    // From a digit on, such a date holds no quote and no blank: the field is
    // exactly the date, and reading it stops at the separator as it stops at
    // the field's end.
    if (line.empty() || !IsDigit(line[0]))
        return false;
    CalendarDate read;
    if (line.size() >= 10 && (line.size() == 10 || line[10] == separator)) {
        read = IsoDate(line.data());
    }
    if (read.year == 0) {
        const DatePart part = ReadDate(line, slashes);
        if (part.end < line.size() && line[part.end] != separator)
            return false;
        read = part.date;
    }
    if (read.year == 0)
        return false;
    date = read;
    return true;
}

bool LeadingDateReader::ReadAnew(std::string_view line, CalendarDate& date)
{
    if (!LeadingCsvDate(line, separator_, slashes_, date))
        return false;
    if (line.size() >= 10 && (line.size() == 10 || line[10] == separator_) && IsoDate(line.data()).year != 0) {
        std::memcpy(&head_, line.data(), sizeof head_);
        year_ = date.year;
        month_ = date.month;
        daysInMonth_ = DaysInMonth(date.year, date.month);
    }
    return true;
}

bool IsDayFirstSlashDate(std::string_view field)
{
    const std::string_view text = Trimmed(field);
    std::size_t pos = 0;
    const int first = TakeNumber(text, pos, 2, false);
    return first > 12 && Take(text, pos, '/');
}

int ParseCsvTime(std::string_view field)
{
    const std::string_view text = Trimmed(field);
    if (text.find(':') != std::string_view::npos)
        return ClockTime(text);
    std::size_t pos = 0;
    const int digits = TakeNumber(text, pos, 6, false);
    if (digits < 0 || pos != text.size() || (pos != 4 && pos != 6))
        return -1;
    const int hhmmss = pos == 4 ? digits * 100 : digits;
    const int hours = hhmmss / 10000;
    const int minutes = hhmmss / 100 % 100;
    const int seconds = hhmmss % 100;
    if (hours > 23 || minutes > 59 || seconds > 60)
        return -1;
    return hours * 3600 + minutes * 60 + seconds;
}

void WriteHistoryDate(const CalendarDate& date, std::string& text)
{
    const int shortYear = date.year % 100;
    const std::string_view month = kMonthNames[static_cast<std::size_t>(date.month - 1)];
    char written[16];
    char* end = written;
    if (date.day >= 10)
        *end++ = static_cast<char>('0' + date.day / 10);
    *end++ = static_cast<char>('0' + date.day % 10);
    *end++ = '-';
    end = std::copy(month.begin(), month.end(), end);
    *end++ = '-';
    *end++ = static_cast<char>('0' + shortYear / 10);
    *end++ = static_cast<char>('0' + shortYear % 10);
    text.assign(written, end);
}
