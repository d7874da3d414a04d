#include "core/browsers/overview_column_widths.h"

#include <algorithm>

namespace tessarin {

OverviewWidths OverviewMinimumWidths(int dateWidth, int separatorWidth, int padding) {
  OverviewWidths widths{};
  for (int i = 0; i < overview_column::kCount; ++i)
    widths[static_cast<std::size_t>(i)] = kOverviewColumns[static_cast<std::size_t>(i)].MinWidth;
  int& deadline = widths[overview_column::kDeadline];
  deadline = std::max(deadline, dateWidth + padding);
  int& finish = widths[overview_column::kEstFinish];
  finish = std::max(finish, 2 * dateWidth + separatorWidth + padding);
  return widths;
}

}  // namespace tessarin
