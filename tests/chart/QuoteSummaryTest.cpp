#include "chart/QuoteSummary.h"
#include "chart/RecordingCanvas.h"
#include "support/ChartInputOver.h"

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
    store.open[0] = 123.5;
    store.high[0] = 123.88;
    store.low[0] = 122.35;
    store.close[0] = 122.9;
    store.volume[0] = 4213900;
    store.close[1] = 123.5;
    store.barCount = 2;
    data->symbol = "IBM";
    data->volumeForecast.todayBuyTotal = 3;
    data->volumeForecast.todaySellTotal = 11;
    return data;
}

// The texts of the value row (distance 25) by x.
std::map<int, RecordingCanvas::Text> ValueRow(const SummaryData& data)
{
    RecordingCanvas canvas;
    DrawQuoteSummary(canvas, data.input(), 5);
    std::map<int, RecordingCanvas::Text> row;
    for (const auto& text : canvas.texts())
        if (text.y == -25)
            row.emplace(text.x, text);
    return row;
}

}  // namespace

TEST(QuoteSummary, WithoutAMergedQuoteShowsTheNewestBars)
{
    const auto row = ValueRow(*SummaryOfTwoBars());
    EXPECT_EQ(row.at(75).text, "28-Dec-01");
    EXPECT_EQ(row.at(290).text, "123.5");
    EXPECT_EQ(row.at(370).text, "122.35");
    EXPECT_EQ(row.at(430).text, "123.88");
    EXPECT_EQ(row.at(580).text, "123.5");
    EXPECT_EQ(row.at(500).text, "4213900   ");
    EXPECT_EQ(row.at(155).text, "122.9");
    EXPECT_EQ(row.at(155).colour, Colour::kRed);  // below the close before
    EXPECT_EQ(row.at(10).text, "IBM");
    EXPECT_EQ(row.at(10).colour, Colour::kPurple);
    EXPECT_EQ(row.count(220), 0u);
    EXPECT_EQ(row.count(670), 0u);
}

TEST(QuoteSummary, AMergedQuoteShowsTheLatestQuoteRecord)
{
    auto data = SummaryOfTwoBars();
    LatestQuote& quote = data->quote;
    quote.quoteMerged = 1;
    quote.tradeStamp = "4:01PM";
    quote.changeText = "+0.60";
    quote.lastTrade = 123.5;
    quote.dayOpen = 122.75;
    quote.dayLow = 120.95;
    quote.dayHigh = 123.24;
    quote.quoteVolume = 0;
    quote.yearLow = 80.06;
    quote.yearHigh = 126.39;
    data->store.close[0] = 123.5;  // equal: green

    const auto row = ValueRow(*data);
    EXPECT_EQ(row.at(75).text, "4:01PM");
    EXPECT_EQ(row.at(290).text, "122.75");
    EXPECT_EQ(row.at(155).text, "123.5");
    EXPECT_EQ(row.at(155).colour, Colour::kGreen);
    EXPECT_EQ(row.at(220).text, "+0.60");
    EXPECT_EQ(row.at(670).text, "80.06");
    EXPECT_EQ(row.at(730).text, "126.39");
    EXPECT_EQ(row.count(580), 0u);  // no previous close in the record
    EXPECT_EQ(row.count(500), 0u);  // no volume in the record
}

TEST(QuoteSummary, TotalRowAndSeparators)
{
    RecordingCanvas canvas;
    DrawQuoteSummary(canvas, SummaryOfTwoBars()->input(), 5);
    bool total = false;
    for (const auto& text : canvas.texts())
        total |= text.text == "Total" && text.y == -52;
    EXPECT_TRUE(total);
    EXPECT_EQ(canvas.texts().back().text, " 11");
    ASSERT_EQ(canvas.lines().size(), 4u);
    const int distances[] = {3, 45, 75, 80};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(canvas.lines()[k].y1, -distances[k]);
}
