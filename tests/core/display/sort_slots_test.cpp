// The four sort orders of the display list.

#include "core/display/sort_slots.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

namespace tessarin {
namespace {

SlotInfo Entry(std::string tag, std::string host, std::string project, std::uint8_t slot,
               double progress, std::int32_t timeLeft) {
  SlotInfo entry;
  entry.ResultName = std::move(tag);
  entry.HostName = std::move(host);
  entry.ProjectName = std::move(project);
  entry.SlotNumber = slot;
  entry.Progress = progress;
  entry.TimeLeft = timeLeft;
  return entry;
}

std::string Order(const DisplayList& list) {
  std::string order;
  for (const SlotInfo& entry : list)
    order += entry.ResultName;
  return order;
}

DisplayList Sorted(DisplayList list, int sortBy) {
  SortSlots(list, sortBy);
  return list;
}

TEST(SortSlots, ByHostThenSlotIgnoringCaseOfAToZ) {
  const DisplayList list = {
      Entry("a", "beta", "", 2, 0, 0),       Entry("b", "_gamma", "", 0, 0, 0),
      Entry("c", "Alpha", "", 1, 0, 0),      Entry("d", "BETA", "", 1, 0, 0),
      Entry("e", "\xE9psilon", "", 0, 0, 0), Entry("f", "alpha", "", 0, 0, 0),
  };
  // ALPHA < BETA < _GAMMA < bytes above 127; equal names by slot.
  EXPECT_EQ(Order(Sorted(list, 0)), "fcdabe");
}

TEST(SortSlots, ByProjectThenTimeLeftUnknownLast) {
  const DisplayList list = {
      Entry("a", "", "seti@home", 0, 0, -1),  Entry("b", "", "Einstein", 0, 0, 50),
      Entry("c", "", "SETI@home", 0, 0, 100), Entry("d", "", "einstein", 0, 0, 20),
      Entry("e", "", "SETI@HOME", 0, 0, 100),
  };
  EXPECT_EQ(Order(Sorted(list, 1)), "dbcea");
}

TEST(SortSlots, ByProgressLargestFirstKeepingEqualOrder) {
  const DisplayList list = {
      Entry("a", "", "", 0, 10, 0),   Entry("b", "", "", 0, 50, 0), Entry("c", "", "", 0, 10, 0),
      Entry("d", "", "", 0, 99.5, 0), Entry("e", "", "", 0, 50, 0),
  };
  EXPECT_EQ(Order(Sorted(list, 2)), "dbeac");
}

TEST(SortSlots, ByTimeLeftUnsignedSoUnknownGoesLast) {
  const DisplayList list = {
      Entry("a", "", "", 0, 0, -1),         Entry("b", "", "", 0, 0, 3600),
      Entry("c", "", "", 0, 0, 0),          Entry("d", "", "", 0, 0, -1),
      Entry("e", "", "", 0, 0, 2147483647), Entry("f", "", "", 0, 0, 1),
  };
  EXPECT_EQ(Order(Sorted(list, 3)), "cfbead");
}

TEST(SortSlots, OtherValuesAndShortListsLeaveTheOrder) {
  const DisplayList list = {Entry("b", "b", "b", 1, 1, 2), Entry("a", "a", "a", 0, 2, 1)};
  EXPECT_EQ(Order(Sorted(list, 4)), "ba");
  EXPECT_EQ(Order(Sorted(list, -1)), "ba");
  EXPECT_EQ(Order(Sorted({list[0]}, 0)), "b");
  EXPECT_TRUE(Sorted({}, 0).empty());
}

TEST(SortSlots, ProgressThatComparesWithNothingStaysPut) {
  const DisplayList list = {Entry("a", "", "", 0, 1, 0), Entry("n", "", "", 0, std::nan(""), 0),
                            Entry("b", "", "", 0, 2, 0), Entry("c", "", "", 0, 3, 0)};
  EXPECT_EQ(Order(Sorted(list, 2)), "ancb");
}

}  // namespace
}  // namespace tessarin
