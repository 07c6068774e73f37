#pragma once

#include "screen/ScreenRow.h"

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The orders the screener's rows can be listed in. The signal orders put the
// most signals first and the rows with an error last; ties go by symbol.
enum class ScreenSort { Symbol, Total, Buy, Sell };

// "symbol", "total", "buy" or "sell"; nothing for any other word.
std::optional<ScreenSort> ScreenSortNamed(std::string_view name);

void SortScreenRows(std::vector<ScreenRow>& rows, ScreenSort sort);

// The rows with a signal on their newest day (ScreenRow::hasSignal).
std::vector<ScreenRow> RowsWithSignals(std::span<const ScreenRow> rows);

// The columns of the screener table and its CSV export, in order: Symbol,
// Date, Close, Change %, Buy, Sell, then "<title> B" and "<title> S" of each
// indicator in the chart page's order. The CSV adds Error.
std::vector<std::string> ScreenColumnTitles();

// The change as the table shows it: "+1.25" or "-0.40", "" when there is none.
std::string ChangeText(const ScreenRow& row);

// The rows as CSV, a header line first; fields with a comma or a quote are
// quoted. The numbers are those of the table, the close with all its digits.
void WriteScreenCsv(std::span<const ScreenRow> rows, std::ostream& out);
