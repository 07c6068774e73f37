#include "chart/ChartReadout.h"

#include "chart/ChartPagePaint.h"
#include "chart/ChartPanels.h"
#include "chart/RecordingCanvas.h"
#include "support/SampleDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const PanelView& Named(const std::vector<PanelView>& panels, std::string_view name)
{
    const auto found = std::ranges::find(panels, name, &PanelView::name);
    EXPECT_NE(found, panels.end()) << name;
    return *found;
}

const ReadoutValue& Titled(const PanelReadout& readout, std::string_view title)
{
    const auto found = std::ranges::find(readout.series, title, &ReadoutValue::title);
    EXPECT_NE(found, readout.series.end()) << title;
    return *found;
}

// The IBM sample with the RSI chart's marks replaced by a test's own.
class RsiMarksTest : public testing::Test {
protected:
    RsiMarksTest() { rsi.Clear(); }

    // The RSI chart as the painter lays it out, with the marks recorded so far.
    const PanelView& Panel()
    {
        panels = ChartPanels(document->chartInput());
        return Named(panels, "RSI(7)");
    }

    std::unique_ptr<CTarnwickDoc> document = LoadedSample("IBM");
    SignalSet& rsi = document->oscillators.rsiSignals;
    std::vector<PanelView> panels;
};

}  // namespace

TEST(ChartReadout, BarValuesAreTheStoresAsTheQuoteTablePrintsThem)
{
    auto document = LoadedSample("IBM");
    QuoteSeries& store = document->store;
    store.open[3] = 112.375;
    store.volume[3] = 1234567;
    const BarReadout bar = ReadBar(store, 3);
    EXPECT_EQ(bar.date, store.dates[3]);
    ASSERT_EQ(bar.values.size(), 5u);
    EXPECT_EQ(bar.values[0].title, "Open");
    EXPECT_EQ(bar.values[0].value, 112.375);
    EXPECT_EQ(bar.values[0].text, "112.375");
    EXPECT_EQ(bar.values[3].value, store.close[3]);
    EXPECT_EQ(bar.values[4].text, "1234567");

    store.volume[3] = 0;
    EXPECT_EQ(ReadBar(store, 3).values[4].value, std::nullopt);
    EXPECT_EQ(ReadBar(store, 3).values[4].text, "\u2013");
    EXPECT_TRUE(ReadBar(store, store.barCount).values.empty());
    EXPECT_TRUE(ReadBar(store, -1).values.empty());
}

TEST(ChartReadout, SeriesValuesAreTheAnalysisArraysInThePanelsPrecision)
{
    auto document = LoadedSample("IBM");
    document->movingAverages.sma50[4] = 112.3849;
    document->oscillators.stochK[4] = 73.2;
    document->movingAverages.volumeSma25[4] = 1234567.25;
    const std::vector<PanelView> panels = ChartPanels(document->chartInput());

    const PanelReadout averages = ReadPanel(Named(panels, "Moving Averages"), 4);
    EXPECT_EQ(averages.panel, "Moving Averages");
    const ReadoutValue& sma50 = Titled(averages, "SMA(50)");
    EXPECT_EQ(sma50.value, 112.3849);  // full precision beside the text
    EXPECT_EQ(sma50.text, "112.38");
    EXPECT_EQ(sma50.colour, Colour::kBlue);
    EXPECT_EQ(Titled(averages, "SMA(9)").value, document->movingAverages.sma9[4]);

    const PanelReadout stochastic = ReadPanel(Named(panels, "%K"), 4);
    const ReadoutValue& k = Titled(stochastic, "%K");
    EXPECT_EQ(k.text, "73.2");
    EXPECT_EQ(k.colour, Colour::kPurple);
    EXPECT_EQ(Titled(stochastic, "%D").value, document->oscillators.stochD[4]);

    // The volume chart labels its grid with 12 digits.
    EXPECT_EQ(Titled(ReadPanel(Named(panels, "Volume"), 4), "Volume MA(25)").text, "1234567.25");

    const PanelReadout macd = ReadPanel(Named(panels, "MACD(12,26)"), 4);
    ASSERT_EQ(macd.series.size(), 3u);
    EXPECT_EQ(Titled(macd, "Divergence").value, document->oscillators.macdDivergence[4]);
    EXPECT_EQ(Titled(macd, "MACD EMA(9)").value, document->oscillators.macdSignal[4]);
    EXPECT_EQ(Titled(ReadPanel(Named(panels, "Rivirirudiv IZ 1"), 4), "Rivirirudiv IZ 1").value,
              document->volumeForecast.ita1Line[4]);
}

TEST(ChartReadout, EveryNamedSeriesOfEveryPanelReadsItsOwnArray)
{
    const auto document = LoadedSample("IBM");
    for (const PanelView& panel : ChartPanels(document->chartInput())) {
        const PanelReadout readout = ReadPanel(panel, 0);
        ASSERT_EQ(readout.series.size(), panel.series.size()) << panel.name;
        for (std::size_t k = 0; k < panel.series.size(); ++k) {
            EXPECT_FALSE(readout.series[k].title.empty()) << panel.name << " " << k;
            const double stored = (*panel.series[k].values)[0];
            if (readout.series[k].value)
                EXPECT_EQ(*readout.series[k].value, stored) << panel.name << " " << readout.series[k].title;
            else
                EXPECT_EQ(readout.series[k].text, kNoValue) << panel.name << " " << readout.series[k].title;
        }
    }
}

TEST(ChartReadout, UndefinedEntriesPrintADashNeverZero)
{
    auto document = LoadedSample("IBM");
    document->oscillators.rsi14[2] = 0;  // left without a value by the analysis
    const std::vector<PanelView> panels = ChartPanels(document->chartInput());
    const PanelView& rsi = Named(panels, "RSI(7)");
    const PanelReadout rsiAtTwo = ReadPanel(rsi, 2);
    const ReadoutValue& atTwo = Titled(rsiAtTwo, "RSI(14)");
    EXPECT_EQ(atTwo.value, std::nullopt);
    EXPECT_EQ(atTwo.text, "\u2013");

    // Past the warm-up no point is drawn, whatever the array holds there.
    const int shown = ShownBars(document->store.barCount);
    const PanelReadout averagesAtOldest = ReadPanel(Named(panels, "Moving Averages"), shown - 1);
    const ReadoutValue& oldest = Titled(averagesAtOldest, "SMA(50)");
    EXPECT_EQ(oldest.value, std::nullopt);
    EXPECT_EQ(oldest.text, "\u2013");
}

TEST_F(RsiMarksTest, ReadoutGivesTheMarksAtTheBarWithTheirRuleAndLevel)
{
    rsi.RecordBuy(5, 5, 28.456);
    rsi.RecordSell(6, 6, 71.5);
    rsi.RecordSell(7, 5, 0);  // a level of 0 is no entry
    const PanelView& panel = Panel();

    const PanelReadout atFive = ReadPanel(panel, 5);
    ASSERT_EQ(atFive.marks.size(), 1u);
    EXPECT_TRUE(atFive.marks[0].buy);
    EXPECT_EQ(atFive.marks[0].rule, "Relative Strength Index");
    EXPECT_EQ(atFive.marks[0].level, 28.456);
    EXPECT_EQ(atFive.marks[0].text, "28.456");

    const PanelReadout atSix = ReadPanel(panel, 6);
    ASSERT_EQ(atSix.marks.size(), 1u);
    EXPECT_FALSE(atSix.marks[0].buy);
    EXPECT_TRUE(ReadPanel(panel, 7).marks.empty());
}

TEST(ChartReadout, BandsChartMarksBothItsRules)
{
    auto document = LoadedSample("IBM");
    MovingAverageAnalysis& averages = document->movingAverages;
    averages.bollingerSignals.Clear();
    averages.envelopeSignals.Clear();
    averages.bollingerSignals.RecordBuy(1, 1, 100.5);
    averages.envelopeSignals.RecordSell(1, 1, 120.25);
    const std::vector<PanelView> panels = ChartPanels(document->chartInput());
    const PanelReadout readout = ReadPanel(Named(panels, "Bollinger Bands / MA Envelopes"), 1);
    ASSERT_EQ(readout.marks.size(), 2u);
    EXPECT_EQ(readout.marks[0].rule, "Bollinger Bands");
    EXPECT_EQ(readout.marks[1].rule, "MA Envelopes");
    EXPECT_EQ(readout.marks[1].text, "120.25");
}

// Where the painter draws each mark's "o" is where the pointer finds it: the
// glyph's middle, 4 units right of its text corner and 10 below it.
TEST_F(RsiMarksTest, MarkAtPointFindsEveryMarkWhereThePainterDrawsIt)
{
    rsi.RecordBuy(5, 5, 28.456);
    rsi.RecordSell(6, 6, 71.5);
    const PanelView& panel = Panel();
    RecordingCanvas canvas;
    Markers(canvas, panel.chart, rsi);
    ASSERT_EQ(canvas.texts().size(), 2u);
    for (const RecordingCanvas::Text& o : canvas.texts()) {
        const std::optional<ReadoutMark> mark = MarkAtPoint(panel, o.x + 4, -o.y + 10);
        ASSERT_TRUE(mark.has_value()) << o.x << "," << o.y;
        EXPECT_EQ(mark->buy, o.colour == Colour::kGreen);
    }
    const RecordingCanvas::Text& buy = canvas.texts()[0];
    EXPECT_EQ(MarkTip(*MarkAtPoint(panel, buy.x + 4, -buy.y + 10)), "Buy: Relative Strength Index at 28.456");
    // A glyph's width to the side, or a line of text above, is off the mark.
    EXPECT_EQ(MarkAtPoint(panel, buy.x + 14, -buy.y + 10), std::nullopt);
    EXPECT_EQ(MarkAtPoint(panel, buy.x + 4, -buy.y - 6), std::nullopt);
}

TEST_F(RsiMarksTest, MarkAtPointGivesTheNearestOfOverlappingMarks)
{
    rsi.RecordBuy(5, 5, 30);
    rsi.RecordSell(4, 4, 30);  // one bar to the right: the two glyphs overlap
    const PanelView& panel = Panel();
    const int level = panel.chart.ValueDistance(30) + 1;
    EXPECT_TRUE(MarkAtPoint(panel, BarX(5, panel.chart.barWidth) + 1, level)->buy);
    EXPECT_FALSE(MarkAtPoint(panel, BarX(4, panel.chart.barWidth) - 1, level)->buy);
}

TEST(ReadoutLine, DateBarValuesThenTheStrip)
{
    auto document = LoadedSample("IBM");
    const std::vector<PanelView> panels = ChartPanels(document->chartInput());
    const PanelView& panel = Named(panels, "RSI(7)");
    EXPECT_EQ(ReadoutLine(ReadBar(document->store, 0), ReadPanel(panel, 0)),
              "12/31/2001  Open 122.75  High 123.24  Low 120.95  Close 120.96  Volume 3512700   "
              "RSI(7):  RSI(7) 29.161  RSI(14) 53.788");
}
