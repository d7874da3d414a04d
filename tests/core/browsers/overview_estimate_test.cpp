#include "core/browsers/overview_estimate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/browsers/overview_build.h"
#include "overview_test_rows.h"

namespace tessarin {
namespace {

using test::kHour;
using test::kNow;
using test::ProjectRow;
using test::ResultRow;

const OverviewNode& ResultNode(const OverviewTree& tree, std::size_t host, std::size_t project,
                               std::size_t result) {
  return tree.at(host).Children.at(project).Children.at(result);
}

// Finish estimates as hours after now.
double Hours(double finish) {
  return (finish - kNow) / kHour;
}

TEST(OverviewEstimate, EqualSharesShareTheHostUntilTheEnd) {
  const OverviewTree tree =
      BuildOverview({ResultRow("h", "a", "a1", 100, 10 * kHour), ProjectRow("h", "a", 100),
                     ResultRow("h", "b", "b1", 100, 10 * kHour), ProjectRow("h", "b", 100)},
                    kNow);
  for (std::size_t project : {0u, 1u}) {
    const OverviewNode& result = ResultNode(tree, 0, project, 0);
    EXPECT_EQ(result.Finish[kAllShares], kNow + 20 * kHour);
    EXPECT_EQ(result.Finish[kActiveShares], kNow + 20 * kHour);
  }
  EXPECT_TRUE(tree[0].Expanded);
  EXPECT_FALSE(tree[0].Children[0].Expanded);
}

TEST(OverviewEstimate, FirstPassUsesFixedShares) {
  OverviewEntries entries;
  for (const ResultEntry& row :
       {ResultRow("h", "a", "a1", 100, 1 * kHour), ResultRow("h", "b", "b1", 300, 9 * kHour)}) {
    AddOverviewEntry(entries, row);
  }
  OverviewTree tree = BuildOverviewTree(entries);
  EstimateFinish(tree, kNow);
  EXPECT_EQ(ResultNode(tree, 0, 0, 0).Finish[kActiveShares], kNow + 4 * kHour);
  EXPECT_EQ(ResultNode(tree, 0, 1, 0).Finish[kActiveShares], kNow + 12 * kHour);
  EXPECT_EQ(tree[0].Children[1].Finish[kActiveShares], kNow + 12 * kHour);
  EXPECT_EQ(FindFirstFinisher(tree[0]), &tree[0].Children[0]);
}

TEST(OverviewEstimate, FinishedProjectLeavesItsShareToTheOther) {
  const OverviewTree tree = BuildOverview(
      {ResultRow("h", "a", "a1", 100, 1 * kHour), ResultRow("h", "b", "b1", 300, 9 * kHour)}, kNow);
  const OverviewNode& small = ResultNode(tree, 0, 0, 0);
  const OverviewNode& large = ResultNode(tree, 0, 1, 0);
  EXPECT_EQ(small.Finish[kActiveShares], kNow + 4 * kHour);
  EXPECT_EQ(small.Finish[kAllShares], kNow + 4 * kHour);
  EXPECT_EQ(large.Finish[kActiveShares], kNow + 10 * kHour);
  EXPECT_EQ(large.Finish[kAllShares], kNow + 12 * kHour);
  // The project nodes keep the first pass.
  EXPECT_EQ(tree[0].Children[1].Finish[kActiveShares], kNow + 12 * kHour);
  EXPECT_EQ(tree[0].Children[0].ActiveShare, 0.0f);
  EXPECT_EQ(tree[0].Children[1].ActiveShare, 0.0f);
}

TEST(OverviewEstimate, ResultsOfAProjectFollowOneAnother) {
  const OverviewTree tree =
      BuildOverview({ResultRow("h", "a", "a2", 100, 2 * kHour, 2, kNow + 50 * kHour),
                     ResultRow("h", "a", "a1", 100, 1 * kHour, 2, kNow + 40 * kHour),
                     ResultRow("h", "b", "b1", 100, 10 * kHour)},
                    kNow);
  // a1, a2 at half the host: 2 h, then 6 h; then b alone: 3 h done by 6 h, 7 h to go.
  EXPECT_EQ(Hours(ResultNode(tree, 0, 0, 0).Finish[kActiveShares]), 2);
  EXPECT_EQ(Hours(ResultNode(tree, 0, 0, 1).Finish[kActiveShares]), 6);
  EXPECT_EQ(Hours(ResultNode(tree, 0, 1, 0).Finish[kActiveShares]), 13);
  EXPECT_EQ(Hours(ResultNode(tree, 0, 1, 0).Finish[kAllShares]), 20);
}

TEST(OverviewEstimate, DoneProjectDoesNotSlowTheActiveEstimate) {
  const OverviewTree tree =
      BuildOverview({ResultRow("h", "a", "a1", 100, 0, result_state::kUploaded),
                     ResultRow("h", "b", "b1", 100, 10 * kHour)},
                    kNow);
  const OverviewNode& busy = ResultNode(tree, 0, 1, 0);
  EXPECT_EQ(Hours(busy.Finish[kActiveShares]), 10);
  EXPECT_EQ(Hours(busy.Finish[kAllShares]), 20);
  EXPECT_EQ(ResultNode(tree, 0, 0, 0).Finish[kActiveShares], kNow);
}

TEST(OverviewEstimate, PartlyAvailableHostTakesLonger) {
  ResultEntry row = ResultRow("h", "a", "a1", 100, 3 * kHour);
  row.Availability = 0.75;
  const OverviewTree tree = BuildOverview({row}, kNow);
  EXPECT_EQ(Hours(ResultNode(tree, 0, 0, 0).Finish[kActiveShares]), 4);
  EXPECT_EQ(Hours(ResultNode(tree, 0, 0, 0).Finish[kAllShares]), 4);
}

TEST(OverviewEstimate, SuspendedResultTakesTheRunningClock) {
  const OverviewTree tree = BuildOverview(
      {ResultRow("h", "a", "a1", 100, 2 * kHour, 2, kNow + 1 * kHour),
       ResultRow("h", "a", "a2", 0, 5 * kHour, result_state::kSuspended, kNow + 2 * kHour),
       ResultRow("h", "a", "a3", 100, 1 * kHour, 2, kNow + 3 * kHour)},
      kNow);
  EXPECT_EQ(Hours(ResultNode(tree, 0, 0, 1).Finish[kAllShares]), 2);
  EXPECT_EQ(Hours(ResultNode(tree, 0, 0, 1).Finish[kActiveShares]), 2);
  EXPECT_EQ(Hours(ResultNode(tree, 0, 0, 2).Finish[kActiveShares]), 3);
}

TEST(OverviewEstimate, SuspendedProjectGetsNoEstimateAndNoShare) {
  const OverviewTree tree =
      BuildOverview({ResultRow("h", "a", "a1", 0, 2 * kHour, result_state::kSuspended),
                     ProjectRow("h", "a", 0), ResultRow("h", "b", "b1", 100, 2 * kHour)},
                    kNow);
  EXPECT_EQ(ResultNode(tree, 0, 0, 0).Finish[kAllShares], kNow);
  EXPECT_EQ(ResultNode(tree, 0, 0, 0).Finish[kActiveShares], kNow);
  EXPECT_EQ(Hours(ResultNode(tree, 0, 1, 0).Finish[kAllShares]), 2);
  EXPECT_EQ(Hours(ResultNode(tree, 0, 1, 0).Finish[kActiveShares]), 2);
}

TEST(OverviewEstimate, NoAvailabilityOrNoSpeedKeepsTheClockFinite) {
  ResultEntry offHost = ResultRow("off", "a", "a1", 100, 2 * kHour);
  offHost.Availability = 0;
  ResultEntry noSpeed = ResultRow("slow", "a", "s1", 100, -1);
  noSpeed.Estimate = 1e13;
  noSpeed.HostSpeed = 0;
  ResultEntry tinyAvailability = ResultRow("tiny", "a", "t1", 100, 2 * kHour);
  tinyAvailability.Availability = 1e-310;
  const OverviewTree tree =
      BuildOverview({offHost, noSpeed, ProjectRow("slow", "a", 100), tinyAvailability}, kNow);
  ASSERT_EQ(tree.size(), 3u);
  EXPECT_EQ(tree[0].Name, "off");
  EXPECT_EQ(ResultNode(tree, 0, 0, 0).Finish[kAllShares], kNow);
  EXPECT_EQ(ResultNode(tree, 0, 0, 0).Finish[kActiveShares], kNow);
  EXPECT_EQ(tree[1].Name, "slow");
  EXPECT_EQ(ResultNode(tree, 1, 0, 0).Finish[kAllShares], kNow);
  EXPECT_EQ(ResultNode(tree, 1, 0, 0).Finish[kActiveShares], kNow);
  EXPECT_EQ(ResultNode(tree, 2, 0, 0).Finish[kAllShares], kLatestFinish);
  EXPECT_EQ(ResultNode(tree, 2, 0, 0).Finish[kActiveShares], kLatestFinish);
}

TEST(OverviewEstimate, SegmentWithoutShareConsumesNothing) {
  OverviewNode host;
  OverviewNode project;
  project.Level = OverviewLevel::Project;
  project.ActiveShare = 100;
  OverviewNode result;
  result.Level = OverviewLevel::Result;
  result.TimeLeft = 4 * kHour;
  result.ActiveShare = 100;
  result.Availability = 1;
  result.Finish[kActiveShares] = -1;
  project.Children.push_back(result);
  host.Children.push_back(project);
  // Half the host for two hours, then nothing to share: the clock stops there.
  ReestimateFinish(host, {{200, -INFINITY}, {0, kNow + 2 * kHour}, {-50, kNow + 3 * kHour}}, kNow);
  EXPECT_EQ(Hours(host.Children[0].Children[0].Finish[kActiveShares]), 2);
}

TEST(OverviewEstimate, EmptyListGivesAnEmptyTree) {
  EXPECT_TRUE(BuildOverview({}, kNow).empty());
}

}  // namespace
}  // namespace tessarin
