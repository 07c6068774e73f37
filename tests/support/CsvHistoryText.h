#pragma once

#include <chrono>
#include <cstdio>
#include <string>

// A daily history as a quote vendor's download has it: a header line
// "Date,Open,High,Low,Close,Volume", then `days` rows of consecutive days
// from 2024-01-02, oldest first, closes between 100 and 106. Line 3 is a row
// whose date cannot be read, so a reader skips it.
inline std::string CsvHistoryText(int days)
{
    using namespace std::chrono;
    std::string text = "Date,Open,High,Low,Close,Volume\n";
    sys_days day = 2024y / January / 2;
    for (int i = 0; i < days; ++i, day += std::chrono::days(1)) {
        if (i == 1)
            text += "n/a,1,1,1,1,1\n";
        const year_month_day date(day);
        const double close = 100 + i % 7;
        char row[96];
        std::snprintf(row, sizeof row, "%04d-%02u-%02u,%.2f,%.2f,%.2f,%.2f,%d\n", static_cast<int>(date.year()),
                      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), close - 0.5, close + 1,
                      close - 1, close, 1000 + 10 * i);
        text += row;
    }
    return text;
}
