#include "screen/ScreenTable.h"

#include "analysis/SignalTitles.h"

#include <algorithm>
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

std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
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
    for (const std::string& title : ScreenColumnTitles())
        out << CsvField(title) << ',';
    out << "Error\n";
    for (const ScreenRow& row : rows) {
        out << CsvField(row.symbol) << ',' << CsvField(row.newestDate) << ','
            << (row.failed() ? "" : Number(row.lastClose)) << ',' << ChangeText(row) << ',';
        if (row.failed())
            out << std::string(2 + 2 * kScreenIndicators, ',');
        else {
            out << row.buyTotal << ',' << row.sellTotal << ',';
            for (const SignalCount& count : row.signals)
                out << count.buy << ',' << count.sell << ',';
        }
        out << CsvField(row.error) << '\n';
    }
}
