// The arrangements of the document windows.
#include "clsWindowArrange.h"

#include <gtest/gtest.h>

TEST(WindowArrange, TilesShareTheAreaWithoutGaps)
{
    const auto vertical = clsWindowArrange::TileVertical(3, QSize(600, 400));
    ASSERT_EQ(vertical.size(), 3U);
    EXPECT_EQ(vertical[0], QRect(0, 0, 600, 133));
    EXPECT_EQ(vertical[1], QRect(0, 133, 600, 133));
    EXPECT_EQ(vertical[2], QRect(0, 266, 600, 134));

    const auto horizontal = clsWindowArrange::TileHorizontal(2, QSize(601, 400));
    ASSERT_EQ(horizontal.size(), 2U);
    EXPECT_EQ(horizontal[0], QRect(0, 0, 300, 400));
    EXPECT_EQ(horizontal[1], QRect(300, 0, 301, 400));
    EXPECT_TRUE(clsWindowArrange::TileVertical(0, QSize(600, 400)).empty());
}

TEST(WindowArrange, StackAllGivesEqualRoundedShares)
{
    // 500 / 3 = 166.67 rounds to 167; 250 / 4 = 62.5 rounds to the even 62.
    const auto three = clsWindowArrange::StackAll(3, QSize(800, 500));
    ASSERT_EQ(three.size(), 3U);
    EXPECT_EQ(three[0], QRect(0, 0, 800, 166));
    EXPECT_EQ(three[1], QRect(0, 166, 800, 166));
    EXPECT_EQ(three[2], QRect(0, 332, 800, 166));
    EXPECT_EQ(clsWindowArrange::StackAll(4, QSize(800, 250))[1], QRect(0, 61, 800, 61));
    EXPECT_TRUE(clsWindowArrange::StackAll(0, QSize(800, 500)).empty());
}

TEST(WindowArrange, ManyStackedWindowsKeepAFloorHeight)
{
    const auto many = clsWindowArrange::StackAll(20, QSize(800, 100));
    ASSERT_EQ(many.size(), 20U);
    EXPECT_EQ(many[0].height(), 13);
    EXPECT_EQ(many[19].top(), 19 * 13);
}
