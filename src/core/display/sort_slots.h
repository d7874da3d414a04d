#pragma once
// The sort orders of the monitoring display.

#include "core/data/slot_info.h"

namespace tessarin {

// Options/SortBy and the tags of the "Sort by" items.
namespace sort_by {
inline constexpr int kHost = 0;
inline constexpr int kProject = 1;
inline constexpr int kProgress = 2;
inline constexpr int kTimeLeft = 3;
}  // namespace sort_by

// Host (then slot), project (then time left), progress (largest first) or time left. Names
// compare byte by byte with a to z upper-cased; an unknown time left (-1) sorts last. Equal
// entries keep their order; any other `sortBy` leaves the list as it is.
void SortSlots(DisplayList& list, int sortBy);

}  // namespace tessarin
