#include "core/browsers/overview_entries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "overview_test_rows.h"

namespace tessarin {
namespace {

using test::kHour;
using test::kNow;
using test::ProjectRow;
using test::ResultRow;

OverviewEntry Added(const ResultEntry& row) {
  OverviewEntries entries;
  AddOverviewEntry(entries, row);
  return entries.at(0);
}

ResultEntry UnknownTimeLeft(double estimate, double speed) {
  ResultEntry row = ResultRow("h", "p", "r", 100, -1);
  row.Estimate = estimate;
  row.HostSpeed = speed;
  return row;
}

TEST(OverviewEntry, CountsDoneAndNotDoneStates) {
  for (std::uint8_t state : {3, 4, 5, 96, 99}) {
    const OverviewEntry entry = Added(ResultRow("h", "p", "r", 100, 500, state));
    EXPECT_EQ(entry.Counters[kDone], 1u) << int(state);
    EXPECT_EQ(entry.Counters[kNotDone], 0u) << int(state);
    EXPECT_EQ(entry.TimeLeft, 0) << int(state);
  }
  for (std::uint8_t state : {0, 1, 2, 97, 98}) {
    const OverviewEntry entry = Added(ResultRow("h", "p", "r", 100, 500, state));
    EXPECT_EQ(entry.Counters[kNotDone], 1u) << int(state);
    EXPECT_EQ(entry.Counters[kDone], 0u) << int(state);
  }
  EXPECT_EQ(Added(ResultRow("h", "p", "r", 0, 500, 97)).TimeLeft, 0);
  EXPECT_EQ(Added(ResultRow("h", "p", "r", 0, 500, 98)).TimeLeft, 500);
}

TEST(OverviewEntry, UnknownTimeLeftIsTheEstimateOverTheHostSpeed) {
  EXPECT_EQ(Added(UnknownTimeLeft(3.6e13, 1e9)).TimeLeft, 36000);
  // Halves go to the even neighbour.
  EXPECT_EQ(Added(UnknownTimeLeft(2.5, 1)).TimeLeft, 2);
  EXPECT_EQ(Added(UnknownTimeLeft(3.5, 1)).TimeLeft, 4);
  // A project row has no estimate.
  EXPECT_EQ(Added(ProjectRow("h", "p", 100)).TimeLeft, 0);
  // The speed of the result's app version, a GPU's say, comes before the host's.
  ResultEntry gpu = UnknownTimeLeft(3.6e13, 1e9);
  gpu.Flops = 1e11;
  EXPECT_EQ(Added(gpu).TimeLeft, 360);
  gpu.HostSpeed = 0;
  EXPECT_EQ(Added(gpu).TimeLeft, 360);
}

TEST(OverviewEntry, UnusableHostSpeedNeverGivesAnUndefinedTimeLeft) {
  EXPECT_EQ(Added(UnknownTimeLeft(3.6e13, 0)).TimeLeft, 0);
  EXPECT_EQ(Added(UnknownTimeLeft(0, 0)).TimeLeft, 0);
  EXPECT_EQ(Added(UnknownTimeLeft(3.6e13, -5)).TimeLeft, 0);
  EXPECT_EQ(Added(UnknownTimeLeft(3.6e13, std::nan(""))).TimeLeft, 0);
  EXPECT_EQ(Added(UnknownTimeLeft(1e300, 1e-300)).TimeLeft,
            std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(Added(UnknownTimeLeft(-3.6e13, 1e9)).TimeLeft, 0);
  EXPECT_EQ(Added(ResultRow("h", "p", "r", 100, -20)).TimeLeft, 0);
}

TEST(OverviewEntry, DeadlineThatIsNotANumberCountsAsNone) {
  EXPECT_EQ(Added(ResultRow("h", "p", "r", 100, 1, 2, std::nan(""))).Deadline, 0);
  EXPECT_EQ(
      Added(ResultRow("h", "p", "r", 100, 1, 2, std::numeric_limits<double>::infinity())).Deadline,
      0);
}

std::vector<std::string> SortedNames(const std::vector<ResultEntry>& rows) {
  OverviewEntries entries;
  for (const ResultEntry& row : rows)
    AddOverviewEntry(entries, row);
  SortOverviewEntries(entries);
  std::vector<std::string> names;
  for (const OverviewEntry& entry : entries) {
    names.push_back(entry.HostName + "/" + entry.ProjectName + "/" + entry.ResultFileName);
  }
  return names;
}

TEST(OverviewSort, HostsByteOrderProjectsIgnoringCaseResultsByDeadline) {
  const std::vector<ResultEntry> rows = {
      ResultRow("beta", "zeta", "z1", 1, 1, 2, 500),
      ResultRow("alpha", "Rosetta", "r2", 1, 1, 2, 300),
      ResultRow("Zulu", "x", "x1", 1, 1, 2, 100),
      ResultRow("alpha", "einstein", "e1", 1, 1, 2, 900),
      ResultRow("alpha", "Rosetta", "r1", 1, 1, 2, 200),
      ProjectRow("alpha", "Rosetta", 1),
      ResultRow("alpha", "Milkyway", "m1", 1, 1, 2, 50),
  };
  EXPECT_EQ(SortedNames(rows),
            (std::vector<std::string>{"Zulu/x/x1", "alpha/einstein/e1", "alpha/Milkyway/m1",
                                      "alpha/Rosetta/", "alpha/Rosetta/r1", "alpha/Rosetta/r2",
                                      "beta/zeta/z1"}));
}

TEST(OverviewSort, EqualEntriesKeepTheirOrder) {
  const std::vector<ResultEntry> rows = {
      ResultRow("h", "p", "first", 1, 1, 2, 100),
      ResultRow("h", "p", "second", 1, 1, 2, 100),
      ResultRow("h", "p", "early", 1, 1, 2, 50),
      ResultRow("h", "p", "third", 1, 1, 2, 100),
  };
  EXPECT_EQ(SortedNames(rows),
            (std::vector<std::string>{"h/p/early", "h/p/first", "h/p/second", "h/p/third"}));
}

TEST(OverviewSort, ProjectNamesDifferingInCaseStayGrouped) {
  const std::vector<ResultEntry> rows = {
      ResultRow("h", "Seti", "a", 1, 1, 2, 500),
      ResultRow("h", "SETI", "b", 1, 1, 2, 100),
      ResultRow("h", "Seti", "c", 1, 1, 2, 100),
  };
  EXPECT_EQ(SortedNames(rows), (std::vector<std::string>{"h/SETI/b", "h/Seti/c", "h/Seti/a"}));
}

}  // namespace
}  // namespace tessarin
