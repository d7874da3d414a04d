#pragma once
// How wide the Overview columns must be for the texts of the user's locale.

#include <array>

#include "core/browsers/overview_layout.h"

namespace tessarin {

using OverviewWidths = std::array<int, overview_column::kCount>;

// Each column's design minimum, raised where a date text needs more: "Deadline" holds one
// date, "Est. finish" two joined by the estimate separator. `dateWidth` is the widest date
// text, `separatorWidth` that of the separator, `padding` the cell's margins (all pixels).
OverviewWidths OverviewMinimumWidths(int dateWidth, int separatorWidth, int padding);

}  // namespace tessarin
