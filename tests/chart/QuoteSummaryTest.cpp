#include "chart/QuoteSummary.h"
#include "support/CanvasChecks.h"
#include "support/ChartInputOver.h"
#include "support/TestStore.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace {

// What the quote summary reads.
struct SummaryData {
    QuoteSeries store;
    VolumeForecastAnalysis volumeForecast;
    LatestQuote quote;
    std::string symbol;

    ChartInput input() const { return ChartInputOver(store, volumeForecast, quote, symbol); }
};

std::unique_ptr<SummaryData> SummaryOfTwoBars()
{
    auto data = std::make_unique<SummaryData>();
    QuoteSeries& store = data->store;
    store.dates[0] = "28-Dec-01";
    SetBar(store, 0, {123.5, 123.88, 122.35, 122.9, 4213900});
    store.close[1] = 123.5;
    store.barCount = 2;
    data->symbol = "IBM";
    data->volumeForecast.todayBuyTotal = 3;
    data->volumeForecast.todaySellTotal = 11;
    return data;
}

// The texts of the value row (distance 25) by x.
std::map<int, Text> ValueRow(const SummaryData& data)
{
    RecordingCanvas canvas;
    DrawQuoteSummary(canvas, data.input(), 5);
    std::map<int, Text> row;
    for (const auto& text : canvas.texts())
        if (text.y == -25)
            row.emplace(text.x, text);
    return row;
}

std::map<int, std::string> Words(const std::map<int, Text>& row)
{
    std::map<int, std::string> words;
    for (const auto& [x, text] : row)
        words[x] = text.text;
    return words;
}

}  // namespace

TEST(QuoteSummary, WithoutAMergedQuoteShowsTheNewestBars)
{
    const auto row = ValueRow(*SummaryOfTwoBars());
    // No change and no 52-week range without the quote record.
    EXPECT_EQ(Words(row), (std::map<int, std::string>{{10, "IBM"}, {75, "28-Dec-01"}, {155, "122.9"}, {290, "123.5"},
                                                      {370, "122.35"}, {420, "-"}, {430, "123.88"},
                                                      {500, "4213900   "}, {580, "123.5"}}));
    EXPECT_EQ(row.at(155).colour, Colour::kRed);  // below the close before
    EXPECT_EQ(row.at(10).colour, Colour::kPurple);
}

TEST(QuoteSummary, AMergedQuoteShowsTheLatestQuoteRecord)
{
    auto data = SummaryOfTwoBars();
    data->quote = {.quoteMerged = 1, .lastTrade = 123.5, .quoteVolume = 0, .dayLow = 120.95, .dayHigh = 123.24,
                   .dayOpen = 122.75, .yearLow = 80.06, .yearHigh = 126.39, .tradeStamp = "4:01PM",
                   .changeText = "+0.60"};
    data->store.close[0] = 123.5;  // equal: green

    // No previous close and no volume in the record: those two stay empty.
    const auto row = ValueRow(*data);
    EXPECT_EQ(Words(row), (std::map<int, std::string>{{10, "IBM"}, {75, "4:01PM"}, {155, "123.5"}, {220, "+0.60"},
                                                      {290, "122.75"}, {370, "120.95"}, {420, "-"},
                                                      {430, "123.24"}, {670, "80.06"}, {720, "-"}, {730, "126.39"}}));
    EXPECT_EQ(row.at(155).colour, Colour::kGreen);
}

TEST(QuoteSummary, TotalRowAndSeparators)
{
    RecordingCanvas canvas;
    DrawQuoteSummary(canvas, SummaryOfTwoBars()->input(), 5);
    const std::vector<Text> total = TextsNamed(canvas, "Total");
    ASSERT_EQ(total.size(), 1u);
    EXPECT_EQ(total[0].y, -52);
    EXPECT_EQ(canvas.texts().back().text, " 11");
    std::vector<int> distances;
    for (const Line& line : canvas.lines())
        distances.push_back(-line.y1);
    EXPECT_EQ(distances, (std::vector<int>{3, 45, 75, 80}));
}
