#pragma once

#include "quotes/CsvLayout.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class QuoteSeries;

// What a CSV history load found, for the status bar.
struct CsvReadReport {
    std::string layout;            // CsvLayout::Describe()
    int rowsInFile = 0;            // data rows, blank lines not counted
    int rowsRead = 0;              // rows that became bars
    int rowsSkipped = 0;           // rows without a usable date or close
    std::vector<int> skippedLines; // the first kMaxListedLines of their line numbers (1-based)

    static constexpr std::size_t kMaxListedLines = 10;

    // "3 rows skipped: line 17, 42, 43"; empty when none was.
    std::string SkippedText() const;
    // "comma-separated: date, open, ...; 400 rows read, 3 rows skipped: line 17, 42, 43",
    // or "...; 400 of 515 rows read" when the rest were older than the 400 kept.
    std::string Summary() const;
};

// Reads a daily price history downloaded as CSV, in whichever common layout
// it comes (see CsvLayout and ParseCsvDate), into the store as the local
// history files fill it: the 400 newest rows, newest at index 0, dates
// written like "5-Dec-00", month marks scanned. Rows may come in either
// order; of rows with the same date the last one read counts. With an
// adjusted-close column, close is the adjusted close, rawClose the close,
// open, high and low are scaled by their ratio and the volume divided by it.
// Rows older than the 400 newest usable ones are not parsed past their date.
class CsvHistoryReader {
public:
    // Files past this size are refused rather than read.
    static constexpr std::size_t kMaxFileSize = 64u << 20;

    // Reads `file` into `store`, which is cleared first. Throws FileError
    // naming the file (and the line, where one is at fault) when it cannot
    // be read, has no date or close column, holds no usable row, or holds
    // intraday rows.
    CsvReadReport Load(QuoteSeries& store, const std::filesystem::path& file) const;

    // The same for text already read; `name` names the file in errors.
    CsvReadReport Parse(QuoteSeries& store, std::string_view text, std::string_view name) const;

private:
    // The bytes of the last file loaded; kept, like the store's buffers, so
    // that the next load reuses them.
    mutable std::vector<char> fileBytes_;
};
