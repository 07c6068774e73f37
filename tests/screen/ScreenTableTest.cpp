#include "screen/ScreenTable.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

ScreenRow Row(std::string symbol, int buy, int sell, std::string error = "")
{
    ScreenRow row;
    row.symbol = std::move(symbol);
    row.buyTotal = buy;
    row.sellTotal = sell;
    row.error = std::move(error);
    return row;
}

std::vector<std::string> SymbolsIn(const std::vector<ScreenRow>& rows)
{
    std::vector<std::string> symbols;
    for (const ScreenRow& row : rows)
        symbols.push_back(row.symbol);
    return symbols;
}

// The fields of one CSV line, quotes taken off.
std::vector<std::string> CsvFields(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

}  // namespace

TEST(ScreenTable, SignalOrdersPutTheMostSignalsFirstAndErrorsLast)
{
    const std::vector<ScreenRow> rows = {Row("AA", 1, 1), Row("BAD", 0, 0, "unreadable"), Row("CC", 3, 0),
                                         Row("DD", 0, 2), Row("EE", 0, 0)};
    auto sorted = [&](ScreenSort sort) {
        std::vector<ScreenRow> copy = rows;
        SortScreenRows(copy, sort);
        return SymbolsIn(copy);
    };
    using Symbols = std::vector<std::string>;
    EXPECT_EQ(sorted(ScreenSort::Total), (Symbols{"CC", "AA", "DD", "EE", "BAD"}));
    EXPECT_EQ(sorted(ScreenSort::Buy), (Symbols{"CC", "AA", "DD", "EE", "BAD"}));
    EXPECT_EQ(sorted(ScreenSort::Sell), (Symbols{"DD", "AA", "CC", "EE", "BAD"}));
    EXPECT_EQ(sorted(ScreenSort::Symbol), (Symbols{"AA", "BAD", "CC", "DD", "EE"}));
    EXPECT_EQ(SymbolsIn(RowsWithSignals(rows)), (Symbols{"AA", "CC", "DD"}));
    EXPECT_EQ(ScreenSortNamed("sell"), ScreenSort::Sell);
    EXPECT_FALSE(ScreenSortNamed("Sell"));
}

TEST(ScreenTable, TheCsvHasOneFieldPerColumnOnEveryLineWhateverTheTextHolds)
{
    ScreenRow read = Row("A,\"B\"", 2, 1);
    read.newestDate = "2024-01-02";
    read.lastClose = 123.456789;
    read.changePercent = -0.404;
    read.signals[3] = {2, 0};
    read.signals[15] = {0, 1};
    const std::vector<ScreenRow> rows = {read, Row("BAD", 0, 0, "line 3: \"n/a\", not a number\nsecond line")};

    std::ostringstream out;
    WriteScreenCsv(rows, out);
    std::istringstream lines(out.str());
    std::vector<std::vector<std::string>> table;
    for (std::string line; std::getline(lines, line);) {
        while (std::count(line.begin(), line.end(), '"') % 2 != 0) {  // a quoted line break
            std::string more;
            ASSERT_TRUE(std::getline(lines, more));
            line += "\n" + more;
        }
        table.push_back(CsvFields(line));
    }
    ASSERT_EQ(table.size(), 3u);
    const std::vector<std::string> titles = ScreenColumnTitles();
    ASSERT_EQ(table[0].size(), titles.size() + 1);
    EXPECT_EQ(table[0].back(), "Error");
    EXPECT_EQ(table[0][6], "Moving Averages B");
    for (const auto& line : table)
        EXPECT_EQ(line.size(), table[0].size());

    EXPECT_EQ(table[1][0], "A,\"B\"");
    EXPECT_EQ(table[1][2], "123.456789");
    EXPECT_EQ(table[1][3], "-0.40");
    EXPECT_EQ(table[1][4], "2");
    EXPECT_EQ(table[1][6 + 2 * 3], "2");       // the fourth indicator's buys
    EXPECT_EQ(table[1][6 + 2 * 15 + 1], "1");  // the last one's sells
    EXPECT_EQ(table[2][0], "BAD");
    EXPECT_EQ(table[2][4], "");
    EXPECT_EQ(table[2].back(), "line 3: \"n/a\", not a number\nsecond line");
}
