#include "core/browsers/grid_keys.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessarin {
namespace {

TEST(NextVisibleIndexTest, StepsOverHiddenAndStopsAtTheEdges) {
  // Index 0 is the fixed column; 2, 3 and 5 are hidden.
  const std::vector<bool> hiddenColumns = {false, false, true, true, false, true};
  const auto hidden = [&](std::size_t i) { return static_cast<bool>(hiddenColumns[i]); };
  EXPECT_EQ(NextVisibleIndex(1, +1, 1, 6, hidden), 4u);
  EXPECT_EQ(NextVisibleIndex(4, -1, 1, 6, hidden), 1u);
  EXPECT_EQ(NextVisibleIndex(4, +1, 1, 6, hidden), std::nullopt);  // only hidden ones beyond
  EXPECT_EQ(NextVisibleIndex(1, -1, 1, 6, hidden), std::nullopt);  // never onto the fixed one
  EXPECT_EQ(NextVisibleIndex(1, 0, 1, 6, hidden), std::nullopt);
}

}  // namespace
}  // namespace tessarin
