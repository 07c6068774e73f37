#include "chart/ChartPagePaint.h"
#include "chart/Pens.h"
#include "chart/PriceCharts.h"
#include "support/CanvasChecks.h"
#include "support/ChartInputOver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

// The store and the module the price and volume charts read.
struct PriceData {
    QuoteSeries store;
    MovingAverageAnalysis movingAverages;

    ChartInput input() const { return ChartInputOver(store, movingAverages); }
};

// A store of `bars` bars between 12 and 13.5 and moving averages all set to
// 12.5, without running the analysis.
std::unique_ptr<PriceData> PricedData(int bars)
{
    auto data = std::make_unique<PriceData>();
    QuoteSeries& store = data->store;
    for (int i = 0; i < bars; ++i) {
        store.close[i] = store.open[i] = 12.5 + 0.25 * (i % 3 == 0);
        store.high[i] = 13.5;
        store.low[i] = 12;
        store.volume[i] = 1000 + i;
    }
    store.barCount = bars;
    MovingAverageAnalysis& averages = data->movingAverages;
    for (Series* series : {&averages.sma200, &averages.sma50, &averages.sma27, &averages.sma18, &averages.sma9})
        series->fill(12.5);
    return data;
}

// Line segments one bar wide drawn in `colour` on the first price chart
// (distances 110 to 450): its curve segments.
int Segments(const RecordingCanvas& canvas, Rgb colour, int barWidth)
{
    return static_cast<int>(std::count_if(canvas.lines().begin(), canvas.lines().end(), [&](const auto& line) {
        return line.colour == colour && line.x1 - line.x2 == barWidth && line.y1 <= -110 && line.y1 >= -450;
    }));
}

RecordingCanvas PaintPriceCharts(const PriceData& data)
{
    RecordingCanvas canvas;
    const PenSet pens(canvas);
    DrawPriceCharts(canvas, data.input(), ShownBars(data.store.barCount), pens.pens());
    return canvas;
}

}  // namespace

TEST(PriceCharts, PriceScaleFromTwelveToThirteenAndAHalf)
{
    const auto data = PricedData(100);
    const RecordingCanvas canvas = PaintPriceCharts(*data);
    // Step 0.125 rounds to 0.2 from 12: 8 divisions of 37 units, on both charts.
    const std::vector<std::string> scale = {"12", "12.2", "12.4", "12.6", "12.8", "13", "13.2", "13.4", "13.6"};
    std::vector<std::string> both = scale;
    both.insert(both.end(), scale.begin(), scale.end());
    EXPECT_EQ(GridLabels(canvas), both);
}

TEST(PriceCharts, HundredBarsDrawEachAverageFromItsOwnBound)
{
    const auto data = PricedData(100);
    const RecordingCanvas canvas = PaintPriceCharts(*data);
    EXPECT_EQ(Segments(canvas, Colour::kDarkRed, 6), 0);       // 100 - 200 bars
    EXPECT_EQ(Segments(canvas, Colour::kBlue, 6), 28);         // 100 - 72
    EXPECT_EQ(Segments(canvas, Colour::kBrightGreen, 6), 73);  // 100 - 27
    EXPECT_EQ(Segments(canvas, Colour::kPurple, 6), 91);       // 100 - 9

    // Each bar: a stroke from its low (12, the bottom grid line at 430) to its
    // high (13.5, 430 - 277.5), from x 745 down to 151.
    int strokes = 0;
    int leftmost = 1000;
    for (const auto& line : canvas.lines())
        if (line.x1 == line.x2 && line.y1 == -430 && line.y2 == -152) {
            ++strokes;
            leftmost = std::min(leftmost, line.x1);
        }
    EXPECT_EQ(leftmost, 151);
    EXPECT_EQ(strokes, 100);
}

TEST(PriceCharts, ThreeHundredBarsShowTwoHundredFiftyAndSma200ByTheBarsLoaded)
{
    const auto data = PricedData(300);
    const RecordingCanvas canvas = PaintPriceCharts(*data);
    EXPECT_EQ(Segments(canvas, Colour::kDarkRed, 4), 100);
    const auto last = std::find_if(canvas.lines().rbegin(), canvas.lines().rend(),
                                   [](const auto& line) { return line.colour == Colour::kDarkRed; });
    ASSERT_NE(last, canvas.lines().rend());
    EXPECT_EQ(last->x1, 349);
    EXPECT_EQ(last->x2, 345);
    EXPECT_EQ(Segments(canvas, Colour::kBlue, 4), 250 - 72);
}

TEST(PriceCharts, FlatPricesLeaveOneGridLineAndNoBars)
{
    auto data = PricedData(50);
    for (int i = 0; i < 50; ++i)
        data->store.high[i] = data->store.low[i] = 12.5;
    const RecordingCanvas canvas = PaintPriceCharts(*data);
    EXPECT_EQ(GridLabels(canvas), (std::vector<std::string>{"0", "0"}));
    for (const auto& line : canvas.lines())
        EXPECT_TRUE((line.x1 == 0 && line.x2 == 750) || line.x1 == line.x2) << line.x1 << " " << line.x2;
}

TEST(PriceCharts, ALowerCloseIsRedAndAnEqualCloseGreen)
{
    auto data = PricedData(10);
    data->store.close[0] = 12.6;
    data->store.close[1] = 12.6;  // equal: green
    data->store.close[2] = 12.9;  // bar 1 fell: red
    const RecordingCanvas canvas = PaintPriceCharts(*data);
    const auto strokeColour = [&](int x) {
        for (const auto& line : canvas.lines())
            if (line.x1 == x && line.x2 == x && line.y1 != line.y2)
                return line.colour;
        return Rgb{1, 1, 1};
    };
    EXPECT_EQ(strokeColour(745), Colour::kGreen);
    EXPECT_EQ(strokeColour(739), Colour::kRed);
}

TEST(VolumeChart, ScaleUpToTheHighestVolume)
{
    auto data = PricedData(30);
    data->store.volume[4] = 1234567;
    RecordingCanvas canvas;
    const PenSet pens(canvas);
    DrawVolumeChart(canvas, data->input(), 30, pens.pens());
    // Step 205761.17 rounds to 300000 from 0: 5 divisions of 20 units.
    EXPECT_EQ(GridLabels(canvas), (std::vector<std::string>{"0", "300000", "600000", "900000", "1200000", "1500000"}));
    const int bottomLine = 1280 + 100 + 20;
    std::vector<Line> strokes;
    for (const auto& line : canvas.lines())
        if (line.x1 == line.x2 && line.y1 == -bottomLine)
            strokes.push_back(line);
    ASSERT_EQ(strokes.size(), 30u);
    const auto tallest = std::max_element(strokes.begin(), strokes.end(),
                                          [](const auto& a, const auto& b) { return a.y2 < b.y2; });
    EXPECT_EQ(tallest->x1, 745 - 4 * 6);
    EXPECT_EQ(tallest->y2, -1317);  // 1400 - 1234567 * 20 / 300000, truncated
}
