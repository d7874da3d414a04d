#include "core/watcher/result_list.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

struct ResultListTest : ::testing::Test {
  ResultListTest() {
    host.domain_name = "alpha";
    host.p_fpops = "2000000000";
    host.on_frac = "0.5";
    host.active_frac = "0.8";
    project.project_name = "SETI@home";
    project.resource_share = 100;
    project.long_term_debt = 5;
  }
  HostRecord host;
  ProjectRecord project;
  ResultList list;
};

TEST_F(ResultListTest, AddsOnceAndFillsFromRecords) {
  AddResult(list, host, project, 1700000000, 2, "r1_0", "r1");
  AddResult(list, host, project, 1800000000, 4, "r1_0", "r1");
  ASSERT_EQ(list.size(), 1u);
  const ResultEntry& entry = list[0];
  EXPECT_EQ(entry.State, 2);
  EXPECT_EQ(entry.TimeLeft, -1);
  EXPECT_DOUBLE_EQ(entry.HostSpeed, 2e9);
  EXPECT_DOUBLE_EQ(entry.Availability, 0.4);
  EXPECT_FLOAT_EQ(entry.ResourceShare, 100);
  EXPECT_FLOAT_EQ(entry.LongTermDebt, 5);
  EXPECT_DOUBLE_EQ(entry.Estimate, 0);

  HostRecord other = host;
  other.domain_name = "beta";
  AddResult(list, other, project, 0, 2, "r1_0", "r1");
  EXPECT_EQ(list.size(), 2u);
}

TEST_F(ResultListTest, StatesAndSharesOfIdleProjects) {
  project.non_cpu_intensive = true;
  AddResult(list, host, project, 0, 0, "", "");
  EXPECT_EQ(list.back().State, result_state::kNonCpuOther);
  EXPECT_FLOAT_EQ(list.back().ResourceShare, 0);

  project.non_cpu_intensive = false;
  project.project_name = "Other";
  AddResult(list, host, project, 0, result_state::kSuspended, "x_0", "x");
  EXPECT_FLOAT_EQ(list.back().ResourceShare, 0);

  project.suspended = true;
  project.non_cpu_intensive = true;
  project.project_name = "Third";
  AddResult(list, host, project, 0, 0, "", "");
  EXPECT_EQ(list.back().State, 0);  // suspended: a project entry keeps state 0
}

TEST_F(ResultListTest, EstimatesAndTimeLeft) {
  AddResult(list, host, project, 0, 2, "a_0", "a");
  AddResult(list, host, project, 0, 2, "a_1", "a");
  AddResult(list, host, project, 0, 2, "b_0", "b");
  AddWU(list, "a", 5e12);
  EXPECT_DOUBLE_EQ(list[0].Estimate, 5e12);
  EXPECT_DOUBLE_EQ(list[1].Estimate, 5e12);
  EXPECT_DOUBLE_EQ(list[2].Estimate, 0);
  SetTimeLeft(list, "b_0", 3600);
  SetTimeLeft(list, "missing", 1);
  EXPECT_EQ(list[2].TimeLeft, 3600);
  EXPECT_EQ(list[0].TimeLeft, -1);
}

TEST_F(ResultListTest, ProcessorsReadFromTheHostAtLeastOne) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"4", 4}, {"", 1}, {"0", 1}, {"-2", 1}, {"2.7", 2}, {"many", 1}, {"1e30", 65536}};
  for (const auto& [text, cpus] : cases) {
    host.p_ncpus = text;
    project.project_name = text;
    AddResult(list, host, project, 0, 2, "r_0", "r");
    EXPECT_EQ(list.back().HostCpus, cpus) << text;
  }
}

}  // namespace
}  // namespace tessarin
