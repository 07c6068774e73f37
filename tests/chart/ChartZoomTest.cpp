#include "chart/ChartZoom.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

// Stepping in from the smallest zoom reaches the largest through every step,
// each larger than the last, and stepping out walks the same steps back.
TEST(ChartZoom, InAndOutWalkTheSameStepsBetweenTheEnds)
{
    std::vector<double> up{kMinZoom};
    while (up.back() < kMaxZoom) {
        up.push_back(ZoomedIn(up.back()));
        ASSERT_GT(up.back(), up[up.size() - 2]);
    }
    EXPECT_EQ(up.size(), 15u);
    std::vector<double> down{kMaxZoom};
    while (down.back() > kMinZoom)
        down.push_back(ZoomedOut(down.back()));
    EXPECT_EQ(std::vector<double>(up.rbegin(), up.rend()), down);
    EXPECT_EQ(ZoomedIn(kMaxZoom), kMaxZoom);
    EXPECT_EQ(ZoomedOut(kMinZoom), kMinZoom);
}

TEST(ChartZoom, AZoomBetweenStepsMovesToTheNeighbouringStep)
{
    EXPECT_EQ(ZoomedIn(1.0), 1.1);
    EXPECT_EQ(ZoomedIn(1.0004), 1.1);  // on the step, give or take a fitted width's rounding
    EXPECT_EQ(ZoomedIn(1.3), 1.5);
    EXPECT_EQ(ZoomedOut(1.3), 1.25);
    EXPECT_EQ(ZoomedOut(9.0), kMaxZoom);
    EXPECT_EQ(BoundedZoom(0.01), kMinZoom);
    EXPECT_EQ(BoundedZoom(std::numeric_limits<double>::quiet_NaN()), 1.0);
}
