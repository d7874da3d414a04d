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
  // The project node follows its results, so the next step starts from there.
  EXPECT_EQ(tree[0].Children[1].Finish[kActiveShares], kNow + 10 * kHour);
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

TEST(OverviewEstimate, EachStepStartsFromTheFinishTimesOfTheStepBefore) {
  // Equal shares: the first ends at 3 h; the second has 1 h left and half the host, so 5 h;
  // the third has 1 h left at 5 h and the whole host.
  const OverviewTree tree = BuildOverview(
      {ResultRow("h", "a", "a1", 100, 1 * kHour), ResultRow("h", "b", "b1", 100, 2 * kHour),
       ResultRow("h", "c", "c1", 100, 3 * kHour)},
      kNow);
  EXPECT_EQ(Hours(ResultNode(tree, 0, 0, 0).Finish[kActiveShares]), 3);
  EXPECT_EQ(Hours(ResultNode(tree, 0, 1, 0).Finish[kActiveShares]), 5);
  EXPECT_EQ(Hours(ResultNode(tree, 0, 2, 0).Finish[kActiveShares]), 6);
  EXPECT_EQ(Hours(ResultNode(tree, 0, 2, 0).Finish[kAllShares]), 9);
}

// Hours after now of each result, host by host, project by project.
std::vector<double> ActiveFinishHours(const OverviewTree& tree, int estimate = kActiveShares) {
  std::vector<double> hours;
  for (const OverviewNode& host : tree) {
    for (const OverviewNode& project : host.Children) {
      for (const OverviewNode& result : project.Children)
        hours.push_back(Hours(result.Finish[estimate]));
    }
  }
  return hours;
}

TEST(OverviewEstimate, HostRunsAsManyResultsAsItHasProcessors) {
  struct Case {
    std::int32_t cpus;
    std::vector<double> oneProject;   // four results of 6 h
    std::vector<double> twoProjects;  // a: 2 h; b: 3 h and 3 h; equal shares
    std::vector<double> twoProjectsAllShares;
  };
  const Case cases[] = {
      {1, {6, 12, 18, 24}, {4, 5, 8}, {4, 6, 12}},
      // b gets the second processor to itself once a ends, so b2 starts at 2 h.
      {2, {6, 6, 12, 12}, {2, 3, 5}, {2, 3, 6}},
      {4, {6, 6, 6, 6}, {2, 3, 3}, {2, 3, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cpus);
    std::vector<ResultEntry> one;
    for (const char* name : {"r1", "r2", "r3", "r4"})
      one.push_back(ResultRow("h", "p", name, 100, 6 * kHour));
    std::vector<ResultEntry> two{ResultRow("h", "a", "a1", 100, 2 * kHour),
                                 ResultRow("h", "b", "b1", 100, 3 * kHour),
                                 ResultRow("h", "b", "b2", 100, 3 * kHour)};
    for (std::vector<ResultEntry>* rows : {&one, &two}) {
      for (ResultEntry& row : *rows)
        row.HostCpus = c.cpus;
    }
    EXPECT_EQ(ActiveFinishHours(BuildOverview(one, kNow)), c.oneProject);
    const OverviewTree tree = BuildOverview(two, kNow);
    EXPECT_EQ(tree[0].Cpus, c.cpus);
    EXPECT_EQ(ActiveFinishHours(tree), c.twoProjects);
    EXPECT_EQ(ActiveFinishHours(tree, kAllShares), c.twoProjectsAllShares);
  }
}

TEST(OverviewEstimate, EmptyListGivesAnEmptyTree) {
  EXPECT_TRUE(BuildOverview({}, kNow).empty());
}

}  // namespace
}  // namespace tessarin
