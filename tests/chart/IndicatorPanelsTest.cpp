#include "chart/IndicatorPanels.h"
#include "chart/Pens.h"
#include "support/CanvasChecks.h"
#include "support/ChartInputOver.h"
#include "support/SampleDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using Painter = void (*)(Canvas&, const ChartInput&, int, const Pens&);

RecordingCanvas Paint(Painter painter, const ChartInput& input, int shownBars)
{
    RecordingCanvas canvas;
    const PenSet pens(canvas);
    painter(canvas, input, shownBars, pens.pens());
    return canvas;
}

// A store with volume and the three modules the panels read.
struct PanelData {
    QuoteSeries store;
    OscillatorAnalysis oscillators;
    FlowDirectionAnalysis flowDirection;
    VolumeForecastAnalysis volumeForecast;

    ChartInput input() const { return ChartInputOver(store, oscillators, flowDirection, volumeForecast); }
};

// Every series a panel draws, filled with nonzero values 10 to 13 that vary
// from bar to bar, so every automatic scale has a positive step.
std::unique_ptr<PanelData> RampData()
{
    auto data = std::make_unique<PanelData>();
    OscillatorAnalysis& o = data->oscillators;
    FlowDirectionAnalysis& f = data->flowDirection;
    VolumeForecastAnalysis& v = data->volumeForecast;
    for (Series* series : {&o.macd, &o.macdSignal, &o.macdDivergence, &o.rsi7, &o.rsi14, &o.stochK, &o.stochD,
                           &o.williamsR, &o.volumeRangeIndex, &o.momentum, &o.momentumMa, &o.roc, &o.rocMa,
                           &f.volatility10, &f.dmiPlus, &f.dmiMinus, &f.adx14, &f.cci15, &f.cci30, &f.mfi14,
                           &v.ita1Line, &v.ita2Line, &v.obv, &v.obvMa12, &v.pvt, &v.pvtMa12})
        for (int i = 0; i < kMaxBars; ++i)
            (*series)[i] = 10 + i % 4;
    data->store.volume[1] = 1000;
    return data;
}

// Curve segments run leftward from bar i to bar i + 1; grid and frame lines
// run rightward from x 0.
std::vector<Line> Segments(const RecordingCanvas& canvas, Rgb colour)
{
    std::vector<Line> found;
    for (const Line& line : canvas.lines())
        if (line.colour == colour && line.x1 > line.x2)
            found.push_back(line);
    return found;
}

int VerticalStrokes(const RecordingCanvas& canvas, Rgb colour)
{
    return static_cast<int>(std::count_if(canvas.lines().begin(), canvas.lines().end(), [&](const Line& line) {
        return line.colour == colour && line.x1 == line.x2;
    }));
}

}  // namespace

TEST(PanelScale, MacdWorkedScalesReachTheGrid)
{
    const auto store = std::make_unique<QuoteSeries>();
    auto oscillators = std::make_unique<OscillatorAnalysis>();
    const ChartInput input = ChartInputOver(*store, *oscillators);
    RecordingCanvas empty = Paint(&IndicatorPanels::DrawMacdPanel, input, 50);
    EXPECT_EQ(GridLabels(empty), std::vector<std::string>{"0"});
    EXPECT_EQ(VerticalStrokes(empty, Colour::kPurple), 0);
    EXPECT_TRUE(Segments(empty, Colour::kBlue).empty());

    // The signal line is not scanned: its 40 lies above the grid, and its line is cut at the chart's top.
    oscillators->macd[0] = 5;
    oscillators->macdDivergence[3] = -3;
    oscillators->macdSignal[0] = 40;
    oscillators->macdSignals.buyBars[0] = 2;
    oscillators->macdSignals.buyLevels[0] = 1;
    RecordingCanvas canvas = Paint(&IndicatorPanels::DrawMacdPanel, input, 50);
    EXPECT_EQ(GridLabels(canvas), (std::vector<std::string>{"-3", "-2", "-1", "0", "1", "2", "3", "4", "5"}));
    // p = 140 / 8 = 17: value 5 at 1610 - 8 * 17, the zero line at 1610 - 3 * 17.
    const std::vector<Line> macd = Segments(canvas, Colour::kBlue);
    ASSERT_EQ(macd.size(), 48u);
    EXPECT_EQ(macd[0].y1, -1474);
    EXPECT_EQ(macd[0].y2, -1559);
    EXPECT_EQ(Segments(canvas, Colour::kRed)[0].y1, -(1610 - 20 - 8 * 17));
    // The divergence bar of bar 3 hangs from the zero line down to -3.
    const auto& lines = canvas.lines();
    const Line bar3{727, -1559, 727, -1610, Colour::kPurple};
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [&](const Line& l) { return l == bar3; }), 1);
    // A mark starts 9 units above its level's point: base 1601 less 4 * 17.
    EXPECT_EQ(TextsNamed(canvas, "o"), (std::vector<Text>{{745 - 12 - 4, -(1601 - 68), Colour::kGreen, "o"}}));
}

TEST(PanelScale, DirectionalMovementWithoutValuesDrawsNoGridLine)
{
    const auto store = std::make_unique<QuoteSeries>();
    auto flowDirection = std::make_unique<FlowDirectionAnalysis>();
    const ChartInput input = ChartInputOver(*store, *flowDirection);
    RecordingCanvas canvas = Paint(&IndicatorPanels::DrawDmiPanel, input, 50);
    EXPECT_TRUE(GridLabels(canvas).empty());
    // The legend stands at gridTop 0 less 18, the tally row at top + 20 less 38.
    EXPECT_EQ(TextsNamed(canvas, "DMI+(14)")[0].y, 18);
    EXPECT_EQ(TextsNamed(canvas, "Directional Movement")[0].y, -(2270 + 20 - 38));
    // Step 10 still plots: every line lies on the bottom line.
    const std::vector<Line> plus = Segments(canvas, Colour::kBlue);
    ASSERT_EQ(plus.size(), 34u);
    EXPECT_TRUE(std::all_of(plus.begin(), plus.end(), [](const Line& l) { return l.y1 == -2410 && l.y2 == -2410; }));

    flowDirection->adx14[7] = 45;
    EXPECT_EQ(GridLabels(Paint(&IndicatorPanels::DrawDmiPanel, input, 50)),
              (std::vector<std::string>{"0", "10", "20", "30", "40", "50"}));
}

TEST(PanelScale, RsiValuesSitOnTheirGridLines)
{
    const auto store = std::make_unique<QuoteSeries>();
    auto oscillators = std::make_unique<OscillatorAnalysis>();
    oscillators->rsi7[0] = 50;
    oscillators->rsi7[1] = 100;
    const ChartInput input = ChartInputOver(*store, *oscillators);
    // RSI panel top 1670: 50 at top + 80, 100 at top + 20.
    EXPECT_EQ(Segments(Paint(&IndicatorPanels::DrawRsiPanel, input, 9), Colour::kGreen),
              (std::vector<Line>{{745, -1750, 739, -1690, Colour::kGreen}}));
    // 121 bars are 4 units wide.
    const std::vector<Line> wide = Segments(Paint(&IndicatorPanels::DrawRsiPanel, input, 121), Colour::kGreen);
    ASSERT_EQ(wide.size(), 113u);
    EXPECT_EQ(wide[0].x2, 741);
}

struct BoundCase {
    const char* name;
    Painter painter;
    Rgb colour;
    int shownBars;
    int segments;
};

TEST(PanelCurves, StopAtShownBarsLessTheWarmUp)
{
    // A single segment at the first bar a curve has catches a warm-up off by one either way.
    const auto data = RampData();
    const BoundCase cases[] = {
        {"RSI(7) at 9", &IndicatorPanels::DrawRsiPanel, Colour::kGreen, 9, 1},
        {"RSI(14) at 16", &IndicatorPanels::DrawRsiPanel, Colour::kGold, 16, 1},
        {"%D at 6", &IndicatorPanels::DrawStochasticPanel, Colour::kGreen, 6, 1},
        {"%R at 11", &IndicatorPanels::DrawWilliamsPanel, Colour::kBrightGreen, 11, 1},
        {"MTM MA at 24", &IndicatorPanels::DrawMomentumPanel, Colour::kGreen, 24, 1},
        {"ROC MA at 20", &IndicatorPanels::DrawRocPanel, Colour::kGold, 20, 1},
        {"volatility at 20", &IndicatorPanels::DrawVolatilityPanel, Colour::kDarkRed, 20, 0},
        {"ADX at 31", &IndicatorPanels::DrawDmiPanel, Colour::kBrightGreen, 31, 1},
        {"DMI- at 17", &IndicatorPanels::DrawDmiPanel, Colour::kRed, 17, 1},
        {"CCI(15) at 59", &IndicatorPanels::DrawCciPanel, Colour::kBlue, 59, 0},
        {"CCI(30) at 60", &IndicatorPanels::DrawCciPanel, Colour::kGreen, 60, 1},
        {"IZ 1 at 12", &IndicatorPanels::DrawIta1Panel, Colour::kPurple, 12, 0},
        {"IZ 2 at 13", &IndicatorPanels::DrawIta2Panel, Colour::kPurple, 13, 1},
        {"MFI at 16", &IndicatorPanels::DrawMfiPanel, Colour::kPurple, 16, 1},
        {"MACD lines at 2", &IndicatorPanels::DrawMacdPanel, Colour::kBlue, 2, 0},
        {"MACD lines at 3", &IndicatorPanels::DrawMacdPanel, Colour::kRed, 3, 1},
        {"OBV at 2", &IndicatorPanels::DrawObvPanel, Colour::kRed, 2, 0},
        {"OBV at 42 joins bars 0..40", &IndicatorPanels::DrawObvPanel, Colour::kRed, 42, 40},
        {"OBV at 250 joins bars 0..40", &IndicatorPanels::DrawObvPanel, Colour::kRed, 250, 40},
        {"OBV MA at 30", &IndicatorPanels::DrawObvPanel, Colour::kGreen, 30, 17},
        {"PVT MA at 250", &IndicatorPanels::DrawPvtPanel, Colour::kBlue, 250, 40},
    };
    for (const BoundCase& c : cases)
        EXPECT_EQ(Segments(Paint(c.painter, data->input(), c.shownBars), c.colour).size(),
                  static_cast<size_t>(c.segments))
            << c.name;

    // The divergence bars: one per bar up to shownBars - 2.
    EXPECT_EQ(VerticalStrokes(Paint(&IndicatorPanels::DrawMacdPanel, data->input(), 1), Colour::kPurple), 0);
    EXPECT_EQ(VerticalStrokes(Paint(&IndicatorPanels::DrawMacdPanel, data->input(), 2), Colour::kPurple), 1);
    EXPECT_EQ(VerticalStrokes(Paint(&IndicatorPanels::DrawMacdPanel, data->input(), 250), Colour::kPurple), 249);
}

TEST(PanelCurves, RunningTotalsTakeTheirScaleFromTheWindowOnly)
{
    auto data = RampData();
    data->volumeForecast.obv[40] = 1e6;  // outside the scan: the line toward it rises to the chart's top
    RecordingCanvas canvas = Paint(&IndicatorPanels::DrawObvPanel, data->input(), 250);
    // Bars 0 to 39 hold 10 to 13: 3 * 0.2 is a hair above 0.6, so the step rounds up to 0.7.
    EXPECT_EQ(GridLabels(canvas), (std::vector<std::string>{"10", "10.7", "11.4", "12.1", "12.8", "13.5"}));
    const std::vector<Line> obv = Segments(canvas, Colour::kRed);
    ASSERT_EQ(obv.size(), 39u);
    EXPECT_EQ(obv.back().x2, 745 - 39 * 4);
    const auto& lines = canvas.lines();
    const auto rise = std::find_if(lines.begin(), lines.end(), [](const Line& line) {
        return line.colour == Colour::kRed && line.x1 == 745 - 39 * 4 && line.x2 == line.x1;
    });
    ASSERT_NE(rise, lines.end());
    EXPECT_GT(rise->y2, rise->y1);
}

TEST(VolumeRangePanel, DrawnOnlyWhenVolumeEntryOneOrTwoIsNotZero)
{
    auto data = RampData();
    data->oscillators.williamsSignals.buyLevels[0] = -50;
    data->oscillators.williamsSignals.buyToday = 1;
    QuoteSeries& store = data->store;
    store.volume[1] = 0;
    store.volume[3] = 500;
    RecordingCanvas without = Paint(&IndicatorPanels::DrawWilliamsPanel, data->input(), 50);
    EXPECT_TRUE(TextsNamed(without, "k%R").empty());
    EXPECT_TRUE(Segments(without, Colour::kBlue).empty());

    for (int entry : {1, 2}) {
        store.volume[1] = store.volume[2] = 0;
        store.volume[entry] = 7;
        RecordingCanvas with = Paint(&IndicatorPanels::DrawWilliamsPanel, data->input(), 50);
        ASSERT_EQ(TextsNamed(with, "k%R").size(), 1u) << entry;
        EXPECT_EQ(Segments(with, Colour::kBlue).size(), 40u);
        // Only the %R panel has marks and a tally.
        EXPECT_EQ(TextsNamed(with, "o").size(), 1u);
        EXPECT_EQ(TextsNamed(with, " Number of Signal:").size(), 1u);
    }
}

struct LegendCase {
    const char* name;
    Painter painter;
    std::vector<Text> row;  // y is the row's, filled in below
};

TEST(PanelLegend, ListsTextsColoursAndStarsOnOneRow)
{
    const auto data = RampData();
    const LegendCase cases[] = {
        {"MACD", &IndicatorPanels::DrawMacdPanel,
         {{0, 0, Colour::kBlue, "MACD(12,26)"}, {100, 0, Colour::kRed, "MACD EMA(9)"},
          {210, 0, Colour::kPurple, "Divergence"}, {620, 0, Colour::kRed, "* * * *"}}},
        {"directional movement", &IndicatorPanels::DrawDmiPanel,
         {{0, 0, Colour::kBlue, "DMI+(14)"}, {80, 0, Colour::kRed, "DMI-(14)"},
          {160, 0, Colour::kBrightGreen, "ADX(14)"}, {620, 0, Colour::kRed, "* * * *"}}},
        {"IZ 1", &IndicatorPanels::DrawIta1Panel,
         {{0, 0, Colour::kPurple, "  Rivirirudiv IZ 1"}, {620, 0, Colour::kRed, "* * * * *"}}},
        {"OBV", &IndicatorPanels::DrawObvPanel,
         {{0, 0, Colour::kRed, "OBV"}, {60, 0, Colour::kGreen, "OBV MA(12)"}, {620, 0, Colour::kRed, "* * *"}}},
    };
    for (const LegendCase& c : cases) {
        RecordingCanvas canvas = Paint(c.painter, data->input(), 50);
        // The row stands 18 units above the highest grid line, whose label stands 8 above it.
        const int rowY = canvas.texts()[GridLabels(canvas).size() - 1].y + 10;
        std::vector<Text> expected = c.row;
        for (Text& text : expected)
            text.y = rowY;
        std::vector<Text> row;
        std::copy_if(canvas.texts().begin(), canvas.texts().end(), std::back_inserter(row),
                     [&](const Text& text) { return text.y == rowY; });
        EXPECT_EQ(row, expected) << c.name;
    }
}

TEST(PanelTally, ShowsTodaysCountsAboveTheHighestGridLine)
{
    const auto store = std::make_unique<QuoteSeries>();
    auto volumeForecast = std::make_unique<VolumeForecastAnalysis>();
    volumeForecast->ita1Line[0] = 0.05;
    volumeForecast->ita1Line[1] = -0.02;
    volumeForecast->ita1Signals.buyToday = 1;
    volumeForecast->ita1Signals.sellToday = 0;
    RecordingCanvas canvas = Paint(&IndicatorPanels::DrawIta1Panel, ChartInputOver(*store, *volumeForecast), 50);
    // 4 divisions of 30 from the bottom line at 640: gridTop 520, the row at 482.
    EXPECT_EQ(TextsNamed(canvas, "Intelligent Technical Analysis Algorithm 1"),
              (std::vector<Text>{{10, -482, Colour::kBlue, "Intelligent Technical Analysis Algorithm 1"}}));
    EXPECT_EQ(TextsNamed(canvas, "  1"), (std::vector<Text>{{650, -482, Colour::kGreen, "  1"}}));
    EXPECT_EQ(TextsNamed(canvas, "Sell").size(), 1u);

    auto oscillators = std::make_unique<OscillatorAnalysis>();
    oscillators->macdSignals.buyToday = 2;
    oscillators->macdSignals.sellToday = 1;
    RecordingCanvas macd = Paint(&IndicatorPanels::DrawMacdPanel, ChartInputOver(*store, *oscillators), 50);
    EXPECT_EQ(TextsNamed(macd, "  2"), (std::vector<Text>{{650, -(1610 - 38), Colour::kGreen, "  2"}}));
    EXPECT_EQ(TextsNamed(macd, "  1"), (std::vector<Text>{{720, -(1610 - 38), Colour::kRed, "  1"}}));

    EXPECT_TRUE(TextsNamed(Paint(&IndicatorPanels::DrawVolatilityPanel, ChartInputOver(*store), 50), "Buy").empty());
}

struct StripCase {
    const char* name;
    Painter painter;
    int top;
    int height;
    const char* legend;
};

TEST(PanelStrips, EveryPanelOfTheSampleDrawsGridLegendAndCurveInItsStrip)
{
    const auto document = LoadedSample("IBM");
    const int shownBars = std::min(document->store.barCount, 250);
    ASSERT_GT(shownBars, 100);
    const StripCase cases[] = {
        {"MACD", &IndicatorPanels::DrawMacdPanel, 1450, 140, "MACD(12,26)"},
        {"RSI", &IndicatorPanels::DrawRsiPanel, 1670, 120, "RSI(7)"},
        {"stochastic", &IndicatorPanels::DrawStochasticPanel, 1870, 120, "%K"},
        {"%R", &IndicatorPanels::DrawWilliamsPanel, 3070, 120, "William's %R"},
        {"k%R", &IndicatorPanels::DrawWilliamsPanel, 3250, 120, "k%R"},
        {"momentum", &IndicatorPanels::DrawMomentumPanel, 2470, 120, "MTM(12)"},
        {"ROC", &IndicatorPanels::DrawRocPanel, 2670, 120, "ROC(10)"},
        {"volatility", &IndicatorPanels::DrawVolatilityPanel, 2870, 120, "Volatility(10)"},
        {"DMI", &IndicatorPanels::DrawDmiPanel, 2270, 120, "DMI+(14)"},
        {"CCI", &IndicatorPanels::DrawCciPanel, 2070, 120, "CCI(15)"},
        {"IZ 2", &IndicatorPanels::DrawIta2Panel, 700, 120, "  Rivirirudiv IZ 2"},
        {"IZ 1", &IndicatorPanels::DrawIta1Panel, 500, 120, "  Rivirirudiv IZ 1"},
        {"MFI", &IndicatorPanels::DrawMfiPanel, 3450, 120, "MFI(14)"},
        {"OBV", &IndicatorPanels::DrawObvPanel, 3650, 120, "OBV"},
        {"PVT", &IndicatorPanels::DrawPvtPanel, 3850, 120, "PVT"},
    };
    for (const StripCase& c : cases) {
        RecordingCanvas canvas = Paint(c.painter, document->chartInput(), shownBars);
        const auto inStrip = [&](int y) { return -y >= c.top && -y <= c.top + c.height + 40; };
        const auto& lines = canvas.lines();
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const Line& l) {
            return l.colour == Colour::kGrey && l.x1 == 0 && l.x2 == 750 && l.y1 == l.y2 && -l.y1 >= c.top + 20 &&
                   -l.y1 <= c.top + c.height + 20;
        })) << c.name << ": grid";
        const std::vector<Text> legend = TextsNamed(canvas, c.legend);
        EXPECT_TRUE(std::any_of(legend.begin(), legend.end(), [&](const Text& t) { return inStrip(t.y); }))
            << c.name << ": legend";
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const Line& l) {
            return l.colour != Colour::kGrey && l.x1 > l.x2 && inStrip(l.y1) && inStrip(l.y2);
        })) << c.name << ": curve";
    }
}
