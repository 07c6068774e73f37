#include "screen/ScreenTable.h"

#include "analysis/SignalTitles.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <functional>

namespace {

int SignalKey(const ScreenRow& row, ScreenSort sort)
{
    switch (sort) {
    case ScreenSort::Total: return row.buyTotal + row.sellTotal;
    case ScreenSort::Buy: return row.buyTotal;
    case ScreenSort::Sell: return row.sellTotal;
    case ScreenSort::Symbol: break;
    }
    return 0;
}

// Appends the text as one CSV field, in quotes when it holds a comma, a
// quote or a line break.
void AppendCsvField(std::string& line, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        line += text;
        return;
    }
    line += '"';
    for (const char c : text) {
        line += c;
        if (c == '"')
            line += '"';
    }
    line += '"';
}

// Appends the count and a comma.
void AppendCount(std::string& line, int count)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, count).ptr;
    line.append(digits, end);
    line += ',';
}

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

}  // namespace

std::optional<ScreenSort> ScreenSortNamed(std::string_view name)
{
    if (name == "symbol")
        return ScreenSort::Symbol;
    if (name == "total")
        return ScreenSort::Total;
    if (name == "buy")
        return ScreenSort::Buy;
    if (name == "sell")
        return ScreenSort::Sell;
    return std::nullopt;
}

void SortScreenRows(std::vector<ScreenRow>& rows, ScreenSort sort)
{
    std::stable_sort(rows.begin(), rows.end(), [sort](const ScreenRow& a, const ScreenRow& b) {
        if (sort != ScreenSort::Symbol) {
            if (a.failed() != b.failed())
                return b.failed();
            if (SignalKey(a, sort) != SignalKey(b, sort))
                return SignalKey(a, sort) > SignalKey(b, sort);
        }
        return a.symbol < b.symbol;
    });
}

std::vector<ScreenRow> RowsWithSignals(std::span<const ScreenRow> rows)
{
    std::vector<ScreenRow> kept;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(kept), std::mem_fn(&ScreenRow::hasSignal));
    return kept;
}

std::vector<std::string> ScreenColumnTitles()
{
    std::vector<std::string> titles = {"Symbol", "Date", "Close", "Change %", "Buy", "Sell"};
    for (const SignalTitle& indicator : SignalTitles::kChartOrder) {
        titles.push_back(std::string(indicator.title) + " B");
        titles.push_back(std::string(indicator.title) + " S");
    }
    return titles;
}

std::string ChangeText(const ScreenRow& row)
{
    if (!row.changePercent)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%+.2f", *row.changePercent);
    return text;
}

void WriteScreenCsv(std::span<const ScreenRow> rows, std::ostream& out)
{
    // Each line is put together in one text and written with the others at
    // once: a stream's formatting of each number costs more than the rest.
    std::string text;
    for (const std::string& title : ScreenColumnTitles()) {
        AppendCsvField(text, title);
        text += ',';
    }
    text += "Error\n";
    for (const ScreenRow& row : rows) {
        AppendCsvField(text, row.symbol);
        text += ',';
        AppendCsvField(text, row.newestDate);
        text += ',';
        if (!row.failed())
            text += Number(row.lastClose);
        text += ',';
        text += ChangeText(row);
        text += ',';
        if (row.failed()) {
            text.append(2 + 2 * kScreenIndicators, ',');
        } else {
            AppendCount(text, row.buyTotal);
            AppendCount(text, row.sellTotal);
            for (const SignalCount& count : row.signals) {
                AppendCount(text, count.buy);
                AppendCount(text, count.sell);
            }
        }
        AppendCsvField(text, row.error);
        text += '\n';
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}
