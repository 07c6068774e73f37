#include "chart/PanelScales.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct ScaleCase {
    const char* name;
    ValueRange range;
    Scale expected;
};

void ExpectScale(const Scale& actual, const ScaleCase& c)
{
    EXPECT_EQ(actual.divisions, c.expected.divisions) << c.name;
    EXPECT_NEAR(actual.axisLow, c.expected.axisLow, 1e-12) << c.name;
    EXPECT_NEAR(actual.step, c.expected.step, 1e-12) << c.name;
}

}  // namespace

TEST(AnchoredScale, IncludingZeroPutsZeroOnAGridLine)
{
    const ScaleCase cases[] = {
        // MACD, factor 1/8.
        {"macd 5/-3", {5, -3}, {8, -3, 1}},
        {"macd 4/-2.5: bottom moved to -2.7", {4, -2.5}, {8, -2.7, 0.9}},
        {"macd above zero starts at 0", {8, 2}, {8, 0, 1}},
        {"macd below zero ends at 0", {-2, -8}, {8, -8, 1}},
        {"nothing scanned", {-1e9, 1e9}, {0, 0, 0}},
    };
    for (const ScaleCase& c : cases)
        ExpectScale(AnchoredScale(c.range, 0.125, 0, true), c);

    const ScaleCase lines[] = {
        {"line -0.02..0.05", {0.05, -0.02}, {4, -0.02, 0.02}},
        {"line 2..8 widened to 0..8", {8, 2}, {4, 0, 2}},
    };
    for (const ScaleCase& c : lines)
        ExpectScale(AnchoredScale(c.range, 0.16666666666666666, 0, true), c);
}

TEST(AnchoredScale, WithoutZeroKeepsABottomAtOrAboveTheLevel)
{
    const ScaleCase cci[] = {
        {"cci 180/-120", {180, -120}, {5, -120, 60}},
        // The divisions cover max - min from the bottom 30: top line 190 < 199.
        {"cci 39..199", {199, 39}, {4, 30, 40}},
    };
    for (const ScaleCase& c : cci)
        ExpectScale(AnchoredScale(c.range, 0.2, 0, false), c);

    const ScaleCase volumeRange[] = {
        {"k%R bottom 5 stays", {20, 5}, {5, 5, 3}},
        {"k%R bottom 3 stays", {13, 3}, {5, 3, 2}},
        {"k%R bottom 2 moves to 1, 3 on a line", {12, 2}, {6, 1, 2}},
    };
    for (const ScaleCase& c : volumeRange)
        ExpectScale(AnchoredScale(c.range, 0.2, 3, false), c);
}

TEST(SymmetricScale, BecomesSymmetricOnceTheBottomFallsBelowTheCentre)
{
    const ScaleCase momentum[] = {
        {"momentum 3/-1.2", {3, -1.2}, {4, -4, 2}},
        {"momentum all above 0 keeps its bottom", {9, 1}, {3, 1, 3}},
    };
    for (const ScaleCase& c : momentum)
        ExpectScale(SymmetricScale(c.range, 0), c);
    // Nothing scanned: the step stays negative and nothing is plotted.
    const Scale none = SymmetricScale({-1e9, 1e9}, 0);
    EXPECT_LE(none.step, 0);
    EXPECT_EQ(none.divisions, 0);

    const ScaleCase roc[] = {
        {"roc 112/95", {112, 95}, {4, 88, 6}},
        {"roc 110/101 keeps its bottom", {110, 101}, {3, 101, 3}},
    };
    for (const ScaleCase& c : roc)
        ExpectScale(SymmetricScale(c.range, 100), c);
}

TEST(PlainScale, RoundsTheBottomAndCoversTheMaximum)
{
    ExpectScale(PlainScale({12.5, 2.5}, 0.25), {"volatility 12.5/2.5", {}, {4, 2, 3}});
    ExpectScale(PlainScale({7, 7}, 0.25), {"flat", {}, {0, 0, 0}});
}

TEST(SteppedScale, WholeTensFromZero)
{
    const ScaleCase cases[] = {
        {"max 45", {45, 1}, {5, 0, 10}},
        {"max 23.5", {23.5, 1}, {3, 0, 10}},
        {"max 9.5", {9.5, 1}, {1, 0, 10}},
    };
    for (const ScaleCase& c : cases)
        ExpectScale(SteppedScale(c.range), c);
    // Nothing scanned: max stays at -1e9 and no grid line is drawn at all.
    EXPECT_LT(SteppedScale({-1e9, 1e9}).divisions, 0);
}

TEST(ScaleRules, OverflowingRangesGiveNoStep)
{
    const double huge = std::numeric_limits<double>::max();
    EXPECT_EQ(AnchoredScale({huge, -huge}, 0.125, 0, true).step, 0);
    EXPECT_EQ(SymmetricScale({huge, -huge}, 0).step, 0);
    EXPECT_EQ(PlainScale({std::numeric_limits<double>::infinity(), 1}, 0.2).step, 0);
}

TEST(ScanRange, SkipsZerosAndStopsAtTheOldestShownBar)
{
    Series a{}, b{};
    a[0] = 4;
    a[5] = 100;  // bar 5 is not shown
    b[3] = 6;
    const Series* both[] = {&a, &b};
    const ValueRange range = ScanRange(5, both);
    EXPECT_EQ(range.max, 6);
    EXPECT_EQ(range.min, 4);
    EXPECT_EQ(ScanRange(5, {}).max, -1e9);
}

TEST(WindowRange, ScansTheNewestFortyBarsAtMost)
{
    Series series{};
    for (int i = 0; i < kMaxBars; ++i)
        series[i] = 100 + i;
    series[39] = 500;   // last bar of the window
    series[40] = 9000;  // first bar past it
    series[0] = 0;      // skipped
    EXPECT_EQ(WindowRange(250, series).max, 500);
    EXPECT_EQ(WindowRange(250, series).min, 101);
    EXPECT_EQ(WindowRange(5, series).max, 102);  // bars 0 to 2
    const ValueRange none = WindowRange(2, series);
    EXPECT_EQ(none.max, -1e10);
    EXPECT_EQ(none.min, 1e10);
    EXPECT_LE(PlainScale(none, 0.2).step, 0);
}
