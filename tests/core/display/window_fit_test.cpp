// Fitting the monitoring display to whole rows, and which places are remembered.

#include "core/display/window_fit.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(WindowFit, RowsThatFitAreShownWhole) {
  // Each row carries its grid line: 3 normal rows need 3 x 156.
  EXPECT_EQ(FitGridHeight(3, RowHeight(false), 1080), 468);
  EXPECT_EQ(FitGridHeight(3, RowHeight(true), 1080), 258);
  EXPECT_EQ(FitGridHeight(0, RowHeight(false), 1080), 0);
}

TEST(WindowFit, TooManyRowsGiveAWholeNumberOfRowsWithinTheScreen) {
  // 600 - 190 = 410 leaves room for two normal rows (312), never a part of a third.
  EXPECT_EQ(FitGridHeight(5, 155, 600), 312);
  // Compact rows: 410 / 86 = 4 rows.
  EXPECT_EQ(FitGridHeight(9, 85, 600), 344);
  // Exactly filling the room is not "too many".
  EXPECT_EQ(FitGridHeight(2, 204, 600), 410);
  EXPECT_EQ(FitGridHeight(3, 204, 600), 410);
  for (int rows = 1; rows < 40; ++rows) {
    const int h = FitGridHeight(rows, 155, 900);
    EXPECT_EQ(h % 156, 0) << rows;
    EXPECT_LE(h, 710) << rows;
  }
}

TEST(WindowFit, ATinyScreenNeverGivesANegativeHeight) {
  EXPECT_EQ(FitGridHeight(4, 155, 300), 0);
  EXPECT_EQ(FitGridHeight(4, 155, 100), 0);
}

TEST(WindowFit, CentringRoundsTheHalfPixel) {
  EXPECT_EQ(CentredOffset(1920, 420), 750);
  EXPECT_EQ(CentredOffset(1921, 420), 751);  // 750.5
  EXPECT_EQ(CentredOffset(400, 500), -50);
}

TEST(WindowFit, OnlyWindowsHigherThanOneRowAreRemembered) {
  EXPECT_FALSE(RemembersPlace(24));
  EXPECT_FALSE(RemembersPlace(155));
  EXPECT_TRUE(RemembersPlace(156));
}

}  // namespace
}  // namespace tessarin
