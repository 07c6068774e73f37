#include "analysis/SignalSet.h"

#include <gtest/gtest.h>

TEST(SignalSet, CountsTodayByScanIndexNotByBar)
{
    SignalSet set;
    set.RecordBuy(0, 1, 90.5);  // found at scan index 0, marked at bar 1
    set.RecordBuy(3, 3, 88);
    set.RecordSell(0, 0, 110);
    EXPECT_EQ(set.buyCount, 2);
    EXPECT_EQ(set.buyToday, 1);
    EXPECT_EQ(set.buyBars[0], 1);
    EXPECT_EQ(set.buyLevels[1], 88);
    EXPECT_EQ(set.sellCount, 1);
    EXPECT_EQ(set.sellToday, 1);
}

TEST(SignalSet, ListsNeverGrowPastTheirCapacity)
{
    SignalSet set;
    for (int i = 0; i < 250; ++i)
        set.RecordSell(i, i, 1.0 + i);
    EXPECT_EQ(set.sellCount, SignalSet::kCapacity);
    EXPECT_EQ(set.sellBars[SignalSet::kCapacity - 1], SignalSet::kCapacity - 1);
    EXPECT_EQ(set.buyCount, 0);
    EXPECT_EQ(set.buyLevels[0], 0);
    set.Clear();
    EXPECT_EQ(set.sellCount, 0);
    EXPECT_EQ(set.sellLevels[0], 0);
}
