#include "chart/ChartDrawing.h"
#include "support/CanvasChecks.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using Kind = RecordingCanvas::Kind;

TEST(NiceScale, RoundsTheStepUpAndTheBottomDownToItsDecade)
{
    const struct {
        double raw, step;
        double niceStep, axisLow;
    } cases[] = {
        {12.34, 0.37, 0.4, 12.3},  // one decade up and back
        {12.34, 37, 40, 10},       // one decade down: raw 1.234, floor 1
        {12, 0.125, 0.2, 12},
        {0, 205761.16666666666, 300000, 0},
        {-3, 1, 1, -3},
        {7, 0, 0, -99},  // without a positive step everything stays
        {7, -1.5, -1.5, -99},
    };
    for (const auto& c : cases) {
        double raw = c.raw;
        double step = c.step;
        double axisLow = -99;
        NiceScale(raw, step, axisLow);
        EXPECT_NEAR(step, c.niceStep, 1e-12) << c.raw << " " << c.step;
        EXPECT_NEAR(axisLow, c.axisLow, 1e-9) << c.raw << " " << c.step;
        EXPECT_NEAR(raw, c.raw, 1e-9);
    }
}

TEST(MinMax, WidensOverTheShownBarsAndSkipsZeros)
{
    Series series{};
    series[0] = 5;
    series[1] = 0;
    series[2] = -2;
    series[3] = 9;  // not shown
    double max = -1e9;
    double min = 1e9;
    MinMax(3, series, max, min);
    EXPECT_EQ(max, 5);
    EXPECT_EQ(min, -2);
}

TEST(Grid, FourDivisionsOfHundredTwentyWithLabelsAndClosingLine)
{
    RecordingCanvas canvas;
    int gridTop = 0;
    Grid(canvas, 1000, 4, 120, 12, 0.5, gridTop, false, 1, 2);
    const int bottom = 1160;
    EXPECT_EQ(gridTop, bottom - 140);

    // The frame line, five grid lines 30 apart from 20 above it, the closing line.
    std::vector<int> distances;
    for (const Line& line : canvas.lines()) {
        EXPECT_TRUE(line.x1 == 0 && line.x2 == 750 && line.y1 == line.y2) << line;
        distances.push_back(-line.y1);
    }
    EXPECT_EQ(distances, (std::vector<int>{bottom, bottom - 20, bottom - 50, bottom - 80, bottom - 110, bottom - 140,
                                           bottom - 160}));
    ASSERT_EQ(canvas.texts().size(), 5u);
    EXPECT_EQ(canvas.texts()[0].text, "12    ");
    EXPECT_EQ(canvas.texts()[4], (Text{755, -(bottom - 148), Rgb{}, "14    "}));
    // The frame line takes the frame pen, the rest the grid pen.
    EXPECT_EQ(canvas.calls()[0].kind, Kind::SelectPen);
    EXPECT_EQ(canvas.calls()[0].pen, 2);
}

TEST(Grid, DegenerateDivisions)
{
    RecordingCanvas flat;
    int gridTop = -1;
    Grid(flat, 100, 0, 120, 0, 0, gridTop, true, 1, 2);
    EXPECT_EQ(gridTop, 240);
    ASSERT_EQ(flat.texts().size(), 1u);
    EXPECT_EQ(flat.texts()[0].text, "0             ");
    EXPECT_EQ(flat.lines().size(), 3u);

    RecordingCanvas none;
    gridTop = 0;
    Grid(none, 100, -3, 120, 0, 10, gridTop, false, 1, 2);
    EXPECT_EQ(gridTop, 0);
    EXPECT_TRUE(none.texts().empty());
    ASSERT_EQ(none.lines().size(), 2u);  // frame line, and the closing line at gridTop - 20
    EXPECT_EQ(none.lines()[1].y1, 20);
}

TEST(ValueDistance, PlacesValuesByWholeDivisionsAndTruncates)
{
    // Price scale 12.00 .. 13.50: step 0.2 from 12, 8 divisions of 37 units.
    const ChartArea chart{110, 300, {8, 12, 0.2}, 6};
    EXPECT_EQ(chart.DivisionHeight(), 37);
    EXPECT_EQ(chart.ValueDistance(12), 430);
    EXPECT_EQ(chart.ValueDistance(13.6), 430 - 296);
    EXPECT_EQ(chart.ValueDistance(12.1), 411);  // 430 - 18.5, truncated
    EXPECT_EQ(chart.ValueDistance(11.9), 448);  // 430 + 18.5, truncated
}

TEST(DateTicksAndMarkers, StandAtTheirBars)
{
    auto store = std::make_unique<QuoteSeries>();
    store->monthStarts = {0};
    store->monthStarts[0] = 5;
    store->monthLabels[0] = "Feb";
    store->monthStarts[1] = 26;
    store->monthLabels[1] = "01";
    RecordingCanvas ticks;
    DateTicks(ticks, *store, 110, 340, 4, 7);
    ASSERT_EQ(ticks.lines().size(), 2u);
    EXPECT_EQ(ticks.lines()[0], (Line{725, -450, 725, -131, Rgb{}}));
    EXPECT_EQ(ticks.texts()[1], (Text{745 - 104 + 2, -(110 + 340 - 18), Rgb{}, "01"}));

    SignalSet signals;
    signals.RecordBuy(0, 1, 25);
    signals.RecordSell(0, 3, 75);
    signals.RecordSell(5, 9, 0);  // level 0: no entry
    RecordingCanvas marks;
    Markers(marks, ChartArea{1670, 120, {4, 0, 25}, 6}, signals);
    EXPECT_EQ(marks.texts(), (std::vector<Text>{{745 - 6 - 4, -(1670 + 131 - 30), Colour::kGreen, "o"},
                                                {741 - 18, -(1670 + 131 - 90), Colour::kRed, "o"}}));

    RecordingCanvas flat;
    Markers(flat, ChartArea{1670, 120, {0, 0, 0}, 6}, signals);
    EXPECT_TRUE(flat.texts().empty());
}

TEST(SignalTally, WritesTitleLabelsAndNonZeroCounts)
{
    RecordingCanvas empty;
    SignalTally(empty, 130, "Moving Averages", 0, 0);
    ASSERT_EQ(empty.texts().size(), 4u);
    EXPECT_EQ(empty.texts()[0], (Text{10, -92, Colour::kBlue, "Moving Averages"}));
    EXPECT_EQ(empty.texts()[3].text, " Number of Signal:");
    EXPECT_EQ(empty.texts()[3].x, 480);

    RecordingCanvas counted;
    SignalTally(counted, 90, "Total", 2, 11);
    ASSERT_EQ(counted.texts().size(), 6u);
    EXPECT_EQ(counted.texts()[4], (Text{650, -52, Colour::kGreen, "  2"}));
    EXPECT_EQ(counted.texts()[5], (Text{720, -52, Colour::kRed, " 11"}));
}

TEST(DrawSegment, ACurveLeavingItsChartIsCutAtTheChartsEdge)
{
    // Four divisions of 100 units from 0 in steps of 10: the band runs from distance 1000 to 1440.
    const ChartArea chart{1000, 400, {4, 0, 10}, 6};
    ASSERT_EQ(chart.PlotTopDistance(), 1000);
    ASSERT_EQ(chart.PlotBottomDistance(), 1440);
    const Series series = {20, 100, 120, 30, -40, -50};  // 20 at 1220, 100 at 420, 30 at 1120, -40 at 1820
    RecordingCanvas canvas;
    for (int i = 0; i < 5; ++i)
        DrawSegment(canvas, chart, series, i);
    // 20 -> 100 leaves at the top 220/800 of the way; 100 -> 120 is above altogether;
    // 120 -> 30 comes back; 30 -> -40 leaves at the bottom; -40 -> -50 is below.
    EXPECT_EQ(canvas.lines(), (std::vector<Line>{{745, -1220, 743, -1000, Rgb{}},
                                                  {728, -1000, 727, -1120, Rgb{}},
                                                  {727, -1120, 724, -1440, Rgb{}}}));
}
