#include "quotes/QuoteSeries.h"

#include "quotes/QuoteText.h"

#include <algorithm>
#include <cstring>

QuoteSeries::QuoteSeries() : quoteText(kTextBufferSize), historyText(kTextBufferSize) {}

void QuoteSeries::Clear()
{
    // Not zero-filled: 300 KB per load would cost more than reading the files.
    quoteText[0] = '\0';
    historyText[0] = '\0';
    for (std::string& date : dates)
        date.clear();
    for (Series* series : {&rawClose, &close, &open, &high, &low, &volume})
        series->fill(0);
    monthStarts.fill(0);
    for (std::string& label : monthLabels)
        label.clear();
    barCount = 0;
}

int QuoteSeries::BarsLoaded() const
{
    return std::clamp(barCount, 0, kMaxBars);
}

int QuoteSeries::MonthMarkCount() const
{
    // A mark is never at bar 0, so the first 0 ends the list.
    const auto end = std::find(monthStarts.begin(), monthStarts.end(), 0);
    return static_cast<int>(end - monthStarts.begin());
}

std::string_view QuoteSeries::TextOf(const TextBuffer& buffer)
{
    return {buffer.data(), strnlen(buffer.data(), buffer.size())};
}

namespace {

// The month name follows the first "-" of a day-first date; January is
// labelled with the year that follows the month name instead.
std::string MonthLabel(std::string_view date)
{
    const std::size_t dash = date.find('-');
    if (dash == std::string_view::npos)
        return {};
    std::string_view label = date.substr(dash + 1).substr(0, 3);
    if (label == "Jan") {
        const std::size_t yearStart = dash + 1 + 3 + 1;
        label = yearStart < date.size() ? date.substr(yearStart, 3) : std::string_view{};
    }
    return std::string(label);
}

}  // namespace

void QuoteSeries::ScanMonthStarts()
{
    // The scan never looks past bar 390: 400 daily bars span at most 19 months.
    int marks = 0;
    int day = LeadingInteger(dates[2]);
    for (int i = 2; i <= 389 && marks < kMaxMonthMarks; ++i) {
        if (dates[i + 1].empty())
            break;
        const int olderDay = LeadingInteger(dates[i + 1]);
        if (olderDay > day) {
            monthStarts[marks] = i;
            monthLabels[marks] = MonthLabel(dates[i]);
            ++marks;
        }
        day = olderDay;
    }
}
