#include "core/display/sort_slots.h"

#include <cstdint>
#include <utility>

#include "core/tools/text.h"

namespace tessarin {

namespace {

// Compared unsigned, so -1 (unknown) is larger than every known time.
std::uint32_t TimeLeftKey(const SlotInfo& entry) {
  return static_cast<std::uint32_t>(entry.TimeLeft);
}

// Whether `entry` belongs after `next`.
bool GoesAfter(const SlotInfo& entry, const SlotInfo& next, int sortBy) {
  switch (sortBy) {
    case sort_by::kProject: {
      const int order = UpperCase(entry.ProjectName).compare(UpperCase(next.ProjectName));
      return order > 0 || (order == 0 && TimeLeftKey(entry) > TimeLeftKey(next));
    }
    case sort_by::kProgress:
      return next.Progress > entry.Progress;
    case sort_by::kHost: {
      const int order = UpperCase(entry.HostName).compare(UpperCase(next.HostName));
      return order > 0 || (order == 0 && entry.SlotNumber > next.SlotNumber);
    }
    case sort_by::kTimeLeft:
      return TimeLeftKey(entry) > TimeLeftKey(next);
    default:
      return false;
  }
}

}  // namespace

// Neighbour swaps only: stable, and safe for progress values that compare with nothing.
void SortSlots(DisplayList& list, int sortBy) {
  bool swapped = list.size() > 1;
  while (swapped) {
    swapped = false;
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
      if (GoesAfter(list[i], list[i + 1], sortBy)) {
        std::swap(list[i], list[i + 1]);
        swapped = true;
      }
    }
  }
}

}  // namespace tessarin
