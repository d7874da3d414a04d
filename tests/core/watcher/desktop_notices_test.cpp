#include "core/watcher/desktop_notices.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

// One client's project entry plus a queued result of `hours` of work (none when 0).
ResultList Client(const std::string& dir, double hours, bool failed = false) {
  ResultList list;
  const auto entry = [&](std::uint8_t state, double estimate, const std::string& file) {
    ResultEntry e;
    e.HostName = "alpha";
    e.ProjectName = "SETI@home";
    e.ResultFileName = file;
    e.HostSpeed = 1e9;
    e.Estimate = estimate;
    e.State = state;
    e.ClientDir = dir;
    list.push_back(e);
  };
  if (hours > 0)
    entry(result_state::kQueued, hours * 3600 * 1e9, "q_0");
  if (failed)
    entry(result_state::kComputeError, 0, "bad_0");
  entry(0, 0, "");
  return list;
}

ResultList Both(ResultList a, const ResultList& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<std::string> Titles(const std::vector<DesktopNotice>& notices) {
  std::vector<std::string> titles;
  for (const DesktopNotice& n : notices)
    titles.push_back(n.title);
  return titles;
}

TEST(DesktopNotices, OnePerConditionAndClientUntilItClears) {
  NoticeMemory memory;
  const NoticeThresholds on{3, true};
  using T = std::vector<std::string>;
  const struct {
    ResultList results;
    T expected;
  } cycles[] = {
      {Client("/a/", 0), {"Tessarin: cache empty"}},
      {Client("/a/", 0), {}},  // still empty: said already
      {Client("/a/", 2), {}},  // red, but an empty cache has been reported as more
      {Client("/a/", 20), {}},
      {Client("/a/", 2), {"Tessarin: red alert"}},
      {Client("/a/", 2, true), {"Tessarin: result finished with an error"}},
      // Another client of the same host is a client of its own.
      {Both(Client("/a/", 2, true), Client("/b/", 0)), {"Tessarin: cache empty"}},
      {Both(Client("/a/", 20), Client("/b/", 0)), {}},
      {Both(Client("/a/", 0, true), Client("/b/", 0)),
       {"Tessarin: cache empty", "Tessarin: result finished with an error"}},
  };
  int n = 0;
  for (const auto& cycle : cycles)
    EXPECT_EQ(Titles(memory.Due(cycle.results, on)), cycle.expected) << "cycle " << ++n;
}

TEST(DesktopNotices, NamesHostAndProjectAndSkipsUnjudgedClientsAndTheOffSwitch) {
  NoticeMemory memory;
  ResultList results = Client("/a/", 1, true);
  EXPECT_EQ(
      memory.Due(results, {3, true}),
      (std::vector<DesktopNotice>{
          {"Tessarin: red alert", "Host alpha, project SETI@home: work left for 3 hours or less"},
          {"Tessarin: result finished with an error", "Host alpha, project SETI@home: bad_0"}}));

  // Switched off: nothing, and nothing remembered for when it is switched on again.
  EXPECT_TRUE(memory.Due(results, {3, false}).empty());
  EXPECT_EQ(memory.Due(results, {3, true}).size(), 2u);

  // A state file read only in part says nothing about the work left.
  NoticeMemory fresh;
  for (ResultEntry& entry : results)
    entry.ClientDir.clear();
  EXPECT_TRUE(fresh.Due(results, {3, true}).empty());
}

}  // namespace
}  // namespace tessarin
