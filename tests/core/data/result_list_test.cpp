#include "core/data/result_list.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

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
  ResultIndex index{list};
};

TEST_F(ResultListTest, AddsOnceAndFillsFromRecords) {
  index.AddResult(host, project, 1700000000, 2, "r1_0", "r1");
  index.AddResult(host, project, 1800000000, 4, "r1_0", "r1");
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
  index.AddResult(other, project, 0, 2, "r1_0", "r1");
  EXPECT_EQ(list.size(), 2u);
}

TEST_F(ResultListTest, StatesAndSharesOfIdleProjects) {
  project.non_cpu_intensive = true;
  index.AddResult(host, project, 0, 0, "", "");
  EXPECT_EQ(list.back().State, result_state::kNonCpuOther);
  EXPECT_FLOAT_EQ(list.back().ResourceShare, 0);

  project.non_cpu_intensive = false;
  project.project_name = "Other";
  index.AddResult(host, project, 0, result_state::kSuspended, "x_0", "x");
  EXPECT_FLOAT_EQ(list.back().ResourceShare, 0);

  project.suspended = true;
  project.non_cpu_intensive = true;
  project.project_name = "Third";
  index.AddResult(host, project, 0, 0, "", "");
  EXPECT_EQ(list.back().State, 0);  // suspended: a project entry keeps state 0
}

TEST_F(ResultListTest, EstimatesAndTimeLeft) {
  index.AddResult(host, project, 0, 2, "a_0", "a");
  index.AddResult(host, project, 0, 2, "a_1", "a");
  index.AddResult(host, project, 0, 2, "b_0", "b");
  index.AddWU("a", 5e12);
  EXPECT_DOUBLE_EQ(list[0].Estimate, 5e12);
  EXPECT_DOUBLE_EQ(list[1].Estimate, 5e12);
  EXPECT_DOUBLE_EQ(list[2].Estimate, 0);
  SetTimeLeft(list, "b_0", 3600);
  SetTimeLeft(list, "missing", 1);
  EXPECT_EQ(list[2].TimeLeft, 3600);
  EXPECT_EQ(list[0].TimeLeft, -1);
}

// The list a cycle over two clients builds: entries are told apart by project, host and result
// file name (cut to their widths), estimates reach every entry of a work unit in either
// client, and entries appended past the index are found as well.
TEST_F(ResultListTest, IndexKeepsTheListOfAPlainSearch) {
  HostRecord beta = host;
  beta.domain_name = "beta";
  ProjectRecord other = project;
  other.project_name = "Einstein@Home";
  const std::string longName(120, 'r');
  index.AddResult(host, project, 0, 2, "a_0", "a");
  index.AddResult(host, other, 0, 2, "a_0", "a");        // another project
  index.AddResult(beta, project, 0, 2, "a_0", "a");      // another host
  index.AddResult(host, project, 0, 2, "a_0", "other");  // same key: dropped
  ResultEntry added;
  added.HostName = "alpha";
  added.ProjectName = "SETI@home";
  added.WuName = "b";
  added.ResultFileName = "b_0";
  list.push_back(added);
  index.AddResult(host, project, 0, 2, "b_0", "b");  // appended by others: dropped
  index.AddResult(host, project, 0, 2, longName, "c");
  index.AddResult(host, project, 0, 2, longName + "x", "c");  // equal once cut
  index.AddResult(host, project, 0, 0, "", "");
  index.AddWU("a", 7);
  index.AddWU("b", 8);
  index.AddWU(std::string(101, 'c'), 9);
  index.AddWU("", 10);  // entries without a work unit

  std::vector<std::tuple<std::string, std::string, std::string, std::string, double>> got;
  for (const ResultEntry& entry : list) {
    got.emplace_back(entry.HostName, entry.ProjectName, entry.ResultFileName, entry.WuName,
                     entry.Estimate);
  }
  const decltype(got) expected = {
      {"alpha", "SETI@home", "a_0", "a", 7},
      {"alpha", "Einstein@Home", "a_0", "a", 7},
      {"beta", "SETI@home", "a_0", "a", 7},
      {"alpha", "SETI@home", "b_0", "b", 8},
      {"alpha", "SETI@home", std::string(100, 'r'), "c", 0},
      {"alpha", "SETI@home", "", "", 10},
  };
  EXPECT_EQ(got, expected);
}

TEST_F(ResultListTest, ProcessorsReadFromTheHostAtLeastOne) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"4", 4}, {"", 1}, {"0", 1}, {"-2", 1}, {"2.7", 2}, {"many", 1}, {"1e30", 65536}};
  for (const auto& [text, cpus] : cases) {
    host.p_ncpus = text;
    project.project_name = text;
    index.AddResult(host, project, 0, 2, "r_0", "r");
    EXPECT_EQ(list.back().HostCpus, cpus) << text;
  }
}

}  // namespace
}  // namespace tessarin
