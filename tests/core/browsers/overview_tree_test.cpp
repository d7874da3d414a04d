#include "core/browsers/overview_tree.h"

#include <gtest/gtest.h>

#include <vector>

#include "overview_test_rows.h"

namespace tessarin {
namespace {

using test::kHour;
using test::kNow;
using test::ProjectRow;
using test::ResultRow;

OverviewTree Tree(const std::vector<ResultEntry>& rows) {
  OverviewEntries entries;
  for (const ResultEntry& row : rows)
    AddOverviewEntry(entries, row);
  SortOverviewEntries(entries);
  return BuildOverviewTree(entries);
}

TEST(OverviewTree, EmptyListGivesNoNodes) {
  EXPECT_TRUE(Tree({}).empty());
}

TEST(OverviewTree, HostsProjectsAndResultsWithTheirSums) {
  const OverviewTree tree = Tree({
      ResultRow("h1", "alpha", "a1", 100, 600),
      ResultRow("h1", "alpha", "a2", 100, 0, result_state::kUploaded),
      ProjectRow("h1", "alpha", 100),
      ResultRow("h1", "beta", "b1", 300, 900),
      ProjectRow("h1", "beta", 300),
      ProjectRow("h2", "alpha", 50),
  });
  ASSERT_EQ(tree.size(), 2u);
  const OverviewNode& h1 = tree[0];
  EXPECT_EQ(h1.Name, "h1");
  EXPECT_EQ(h1.Level, OverviewLevel::Host);
  EXPECT_EQ(h1.Counters[kNotDone], 2u);
  EXPECT_EQ(h1.Counters[kDone], 1u);
  EXPECT_EQ(h1.TimeLeft, 1500u);
  EXPECT_EQ(h1.Share, 400.0f);
  EXPECT_EQ(h1.ActiveShare, 400.0f);
  ASSERT_EQ(h1.Children.size(), 2u);
  const OverviewNode& alpha = h1.Children[0];
  EXPECT_EQ(alpha.Name, "alpha");
  EXPECT_EQ(alpha.Level, OverviewLevel::Project);
  EXPECT_EQ(alpha.Counters[kNotDone], 1u);
  EXPECT_EQ(alpha.Counters[kDone], 1u);
  EXPECT_EQ(alpha.TimeLeft, 600u);
  ASSERT_EQ(alpha.Children.size(), 2u);  // the project row adds no result node
  EXPECT_EQ(alpha.Children[0].Level, OverviewLevel::Result);
  EXPECT_EQ(alpha.Children[0].Name, "a1");
  EXPECT_EQ(alpha.Children[1].State, result_state::kUploaded);

  // A host whose only project has no results: no work, so no active share.
  const OverviewNode& h2 = tree[1];
  EXPECT_EQ(h2.Share, 50.0f);
  EXPECT_EQ(h2.ActiveShare, 0.0f);
  EXPECT_EQ(h2.Children[0].ActiveShare, 0.0f);
  EXPECT_EQ(h2.Children[0].Share, 50.0f);
}

TEST(OverviewTree, FinishedProjectGivesUpItsActiveShare) {
  const OverviewTree tree = Tree({
      ResultRow("h", "done", "d1", 100, 500, result_state::kUploading),
      ResultRow("h", "busy", "b1", 300, 500),
  });
  const OverviewNode& host = tree[0];
  EXPECT_EQ(host.Share, 400.0f);
  EXPECT_EQ(host.ActiveShare, 300.0f);
  EXPECT_EQ(host.Children[1].Name, "done");
  EXPECT_EQ(host.Children[1].Share, 100.0f);
  EXPECT_EQ(host.Children[1].ActiveShare, 0.0f);
}

TEST(OverviewTree, ProjectTakesItsShareFromTheFirstEntryAboveZero) {
  // The suspended result sorts first (earliest deadline); the share comes from the next one.
  const OverviewTree tree = Tree({
      ResultRow("h", "p", "late", 200, 10, 2, kNow + 5 * kHour),
      ResultRow("h", "p", "suspended", 0, 10, result_state::kSuspended, -5),
      ResultRow("h", "p", "later", 999, 10, 2, kNow + 9 * kHour),
  });
  const OverviewNode& project = tree[0].Children[0];
  EXPECT_EQ(project.Share, 200.0f);
  EXPECT_EQ(project.ActiveShare, 200.0f);
  EXPECT_EQ(tree[0].Share, 200.0f);
  EXPECT_EQ(project.Children[0].Share, 0.0f);
  EXPECT_EQ(project.Children[2].Share, 999.0f);
}

TEST(OverviewTree, NonCpuProjectIsMarked) {
  const OverviewTree tree = Tree({
      ProjectRow("h", "net", 0, result_state::kNonCpuOther),
      ResultRow("h", "net", "n1", 0, 100, result_state::kNonCpuOther),
      ResultRow("h", "cpu", "c1", 100, 100),
  });
  EXPECT_EQ(tree[0].Children[0].Name, "cpu");
  EXPECT_EQ(tree[0].Children[0].State, 0);
  EXPECT_EQ(tree[0].Children[1].State, result_state::kNonCpuOther);
  EXPECT_EQ(tree[0].Children[1].TimeLeft, 0u);
}

TEST(OverviewTree, DeadlineIsCutToWholeSeconds) {
  const OverviewTree tree = Tree({ResultRow("h", "p", "r", 1, 1, 2, 1700000000.9)});
  EXPECT_EQ(tree[0].Children[0].Children[0].Deadline, 1700000000.0);
}

TEST(OverviewTree, NamesThatLookLikeTheStartMarkerStillGetNodes) {
  const OverviewTree tree = Tree({ResultRow("-", "-", "r", 100, 60)});
  ASSERT_EQ(tree.size(), 1u);
  EXPECT_EQ(tree[0].Name, "-");
  ASSERT_EQ(tree[0].Children.size(), 1u);
  EXPECT_EQ(tree[0].Children[0].Name, "-");
  EXPECT_EQ(tree[0].Children[0].Children.size(), 1u);
}

TEST(OverviewTree, LargeTimeLeftSumsDoNotWrap) {
  std::vector<ResultEntry> rows;
  for (int i = 0; i < 3; ++i) {
    rows.push_back(ResultRow("h", "p", "r" + std::to_string(i), 1, 2'000'000'000));
  }
  EXPECT_EQ(Tree(rows)[0].TimeLeft, 6'000'000'000u);
}

}  // namespace
}  // namespace tessarin
