#include "quotes/QuoteText.h"

#include <array>
#include <charconv>

namespace {

// A whole number made of digits only, within int range.
std::optional<int> WholeNumber(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end)
        return std::nullopt;
    return value;
}

}  // namespace

int MonthNumber(std::string_view name)
{
    static constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (std::size_t m = 0; m < kMonths.size(); ++m)
        if (kMonths[m] == name)
            return static_cast<int>(m) + 1;
    return 0;
}

namespace {

// The three parts of a text split at the first two `separator`s; the last
// part runs to the end.
std::optional<std::array<std::string_view, 3>> SplitInThree(std::string_view text, char separator)
{
    const std::size_t first = text.find(separator);
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t second = text.find(separator, first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    return std::array{text.substr(0, first), text.substr(first + 1, second - first - 1), text.substr(second + 1)};
}

}  // namespace

std::optional<CalendarDate> ParseHistoryDate(std::string_view text)
{
    const auto parts = SplitInThree(text, '-');
    if (!parts)
        return std::nullopt;
    const std::optional<int> day = WholeNumber((*parts)[0]);
    const int month = MonthNumber((*parts)[1]);
    const std::string_view yearText = (*parts)[2].substr(0, 2);
    const std::optional<int> shortYear = WholeNumber(yearText);
    if (!day || month == 0 || !shortYear || yearText.size() != 2)
        return std::nullopt;
    // Two-digit years pivot at 69, so a 1999 history still sorts before 2000.
    const int year = *shortYear < 69 ? 2000 + *shortYear : 1900 + *shortYear;
    return CalendarDate{year, month, *day};
}

std::optional<CalendarDate> ParseQuoteDate(std::string_view text)
{
    const auto parts = SplitInThree(text, '/');
    if (!parts)
        return std::nullopt;
    const std::optional<int> month = WholeNumber((*parts)[0]);
    const std::optional<int> day = WholeNumber((*parts)[1]);
    const std::optional<int> year = WholeNumber((*parts)[2].substr(0, 4));
    if (!month || !day || !year)
        return std::nullopt;
    return CalendarDate{*year, *month, *day};
}
