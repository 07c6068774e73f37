#include "chart/ChartHitTest.h"

#include "chart/ChartPagePaint.h"
#include "chart/ChartPanels.h"
#include "support/SampleDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Two strips with a gap between them, 6 units a bar.
std::vector<PanelView> TwoStrips()
{
    std::vector<PanelView> panels(2);
    panels[0].band = {100, 200};
    panels[1].band = {250, 300};
    for (PanelView& panel : panels)
        panel.chart.barWidth = 6;
    return panels;
}

}  // namespace

TEST(BarAtX, NearestBarWithTheNewerOneHalfway)
{
    const struct {
        int x;
        int barWidth;
        int expected;
    } cases[] = {
        {745, 6, 0}, {750, 6, 0},  // right of the newest bar
        {743, 6, 0}, {742, 6, 0},  // halfway to bar 1 is still bar 0
        {741, 6, 1}, {739, 6, 1}, {736, 6, 1}, {735, 6, 2},
        {745, 4, 0}, {743, 4, 0}, {742, 4, 1}, {741, 4, 1},
        {0, 4, 186},  // 250 shown bars: the oldest fully visible one
    };
    for (const auto& c : cases)
        EXPECT_EQ(BarAtX(c.x, c.barWidth, 250), c.expected) << "x " << c.x << " width " << c.barWidth;
}

TEST(BarAtX, StaysWithinTheShownBarsAndTheDrawingArea)
{
    EXPECT_EQ(BarAtX(0, 6, 10), 9);  // far left of the oldest of ten bars
    EXPECT_EQ(BarAtX(691, 6, 10), 9);
    EXPECT_EQ(BarAtX(-1, 6, 10), std::nullopt);
    EXPECT_EQ(BarAtX(751, 6, 10), std::nullopt);  // the label column
    EXPECT_EQ(BarAtX(700, 6, 0), std::nullopt);
}

TEST(HitTest, BandEdgesGapsAndOffPage)
{
    const std::vector<PanelView> panels = TwoStrips();
    const struct {
        int x;
        int distance;
        std::optional<int> panel;
    } cases[] = {
        {745, 100, 0},  {745, 199, 0},  {745, 200, {}},  // a band's bottom is outside it
        {745, 225, {}}, {745, 249, {}}, {745, 250, 1}, {745, 299, 1},
        {745, 300, {}}, {745, -5, {}},  {745, 5000, {}}, {-3, 150, {}}, {1100, 150, {}},
    };
    for (const auto& c : cases) {
        const std::optional<ChartHit> hit = HitTest(panels, 10, c.x, c.distance);
        ASSERT_EQ(hit.has_value(), c.panel.has_value()) << c.x << "," << c.distance;
        if (hit) {
            EXPECT_EQ(hit->panel, *c.panel) << c.distance;
        }
    }
}

TEST(HitTest, FirstLastAndBetweenBars)
{
    const std::vector<PanelView> panels = TwoStrips();
    EXPECT_EQ(HitTest(panels, 10, 745, 150)->bar, 0);
    EXPECT_EQ(HitTest(panels, 10, BarHairlineX(9, 10), 150)->bar, 9);
    // Bar 7 stands at x 703 and bar 8 at 697.
    EXPECT_EQ(HitTest(panels, 10, 700, 150)->bar, 7);
    EXPECT_EQ(HitTest(panels, 10, 699, 150)->bar, 8);
    EXPECT_EQ(HitTest(panels, 10, 10, 150)->bar, 9);
}

TEST(HitTest, EveryShownBarIsFoundAtItsOwnHairlineInEveryStrip)
{
    for (int shown : {1, 120, 121, 250}) {
        auto document = LoadedSample("IBM");
        document->store.barCount = shown;
        const std::vector<PanelView> panels = ChartPanels(document->chartInput());
        ASSERT_FALSE(panels.empty());
        for (std::size_t k = 0; k < panels.size(); ++k) {
            const int middle = (panels[k].band.top + panels[k].band.bottom) / 2;
            for (int bar = 0; bar < shown; ++bar) {
                const int x = BarHairlineX(bar, shown);
                const std::optional<ChartHit> hit = HitTest(panels, shown, x, middle);
                if (x < 0) {
                    EXPECT_FALSE(hit) << bar;  // drawn left of the page
                    continue;
                }
                ASSERT_TRUE(hit) << shown << " bars, strip " << k << ", bar " << bar;
                EXPECT_EQ(hit->panel, static_cast<int>(k));
                EXPECT_EQ(hit->bar, bar);
            }
        }
    }
}

TEST(ChartPanels, EveryStripLiesOnABandThePrintedPageKeepsWhole)
{
    const auto document = LoadedSample("IBM");
    const std::vector<PageBand> pageBands = ChartPageBands(document->chartInput());
    const std::vector<PanelView> panels = ChartPanels(document->chartInput());
    EXPECT_EQ(panels.size(), 18u);  // 3 price and volume charts, 15 panels
    for (const PanelView& panel : panels) {
        EXPECT_NE(std::ranges::find(pageBands, panel.band), pageBands.end()) << panel.name;
        // The strip's closing line and frame line lie inside its band.
        EXPECT_LE(panel.band.top, panel.chart.top) << panel.name;
        EXPECT_GT(panel.band.bottom, panel.chart.PlotBottomDistance()) << panel.name;
    }
}

TEST(ChartPanels, WithoutVolumesTheVolumeStripsAreNotHit)
{
    auto document = LoadedSample("IBM");
    document->store.volume[1] = document->store.volume[2] = 0;
    const std::vector<PanelView> panels = ChartPanels(document->chartInput());
    EXPECT_EQ(panels.size(), 13u);
    for (const PanelView& panel : panels)
        EXPECT_TRUE(panel.name != "Volume" && panel.name != "k%R" && panel.name != "MFI(14)" &&
                    panel.name != "OBV" && panel.name != "PVT")
            << panel.name;
    // The middle of the volume chart's strip is now a gap.
    EXPECT_EQ(HitTest(panels, 250, 700, 510 + 770 + 70), std::nullopt);
}

TEST(ChartPanels, NoBarsNoStrips)
{
    auto document = LoadedSample("IBM");
    document->store.barCount = 0;
    EXPECT_TRUE(ChartPanels(document->chartInput()).empty());
}

// A strip 200 units high with four divisions of 5 from 100: the bottom grid
// line at distance 320, 50 units a division.
TEST(ValueAtDistance, InvertsTheScaleOfTheStrip)
{
    ChartArea chart{.top = 100, .height = 200, .scale = {4, 100, 5}};
    EXPECT_EQ(ValueAtDistance(chart, 320), 100);
    EXPECT_EQ(ValueAtDistance(chart, 270), 105);
    EXPECT_EQ(ValueAtDistance(chart, 295), 102.5);
    EXPECT_EQ(ValueAtDistance(chart, 120), 120);
    for (int distance = chart.PlotTopDistance(); distance <= chart.PlotBottomDistance(); ++distance)
        EXPECT_NEAR(chart.ValueDistance(*ValueAtDistance(chart, distance)), distance, 1) << distance;
    chart.scale.step = 0;
    EXPECT_EQ(ValueAtDistance(chart, 300), std::nullopt);
}

TEST(ScaleValueText, AsFineAsOneUnitOfHeight)
{
    ChartArea chart{.top = 100, .height = 200, .scale = {4, 100, 5}};  // 0.1 a unit
    EXPECT_EQ(ScaleValueText(chart, 102.5), "102.5");
    chart.scale.step = 1;  // 0.02 a unit
    EXPECT_EQ(ScaleValueText(chart, 29.1614), "29.16");
    chart.scale.step = 1e6;  // volumes: whole numbers
    EXPECT_EQ(ScaleValueText(chart, 3512700.4), "3512700");
    EXPECT_EQ(ScaleValueText(chart, 1e300).size(), 63u);  // cut, never past its buffer
}
