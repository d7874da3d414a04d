// The whole Overview estimate for 20 hosts with 10 projects each and 10,000 results in all.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "core/browsers/overview_build.h"

namespace {

constexpr double kNow = 1700000000.0;
constexpr int kHosts = 20;
constexpr int kProjectsPerHost = 10;
constexpr int kResultsPerProject = 50;

tessarin::ResultList MakeResultList() {
  std::mt19937 random(42);
  std::uniform_int_distribution<int> share(1, 400);
  std::uniform_int_distribution<int> hours(1, 40);
  std::uniform_int_distribution<int> deadlineDays(1, 30);
  std::uniform_int_distribution<int> kind(0, 9);
  tessarin::ResultList list;
  for (int h = 0; h < kHosts; ++h) {
    const std::string host = "host-" + std::to_string(h);
    // The scan adds the results of every project first, then the project rows.
    std::vector<float> shares;
    for (int p = 0; p < kProjectsPerHost; ++p) {
      shares.push_back(static_cast<float>(share(random)));
      const std::string project = "Project " + std::to_string(p);
      for (int r = 0; r < kResultsPerProject; ++r) {
        tessarin::ResultEntry row;
        row.HostName = host;
        row.ProjectName = project;
        row.ResultFileName = project + "_" + host + "_result_" + std::to_string(r) + "_0";
        row.WuName = row.ResultFileName + "_wu";
        row.HostSpeed = 2e9;
        row.Estimate = 3600.0 * hours(random) * row.HostSpeed;
        row.Deadline = kNow + 86400.0 * deadlineDays(random);
        const int k = kind(random);
        row.State = k == 0   ? tessarin::result_state::kUploaded
                    : k == 1 ? tessarin::result_state::kSuspended
                             : tessarin::result_state::kQueued;
        row.TimeLeft = k == 2 ? 1800 * hours(random) : -1;
        row.ResourceShare = row.State == tessarin::result_state::kSuspended ? 0 : shares.back();
        row.Availability = 0.9 * 0.95;
        list.push_back(std::move(row));
      }
    }
    for (int p = 0; p < kProjectsPerHost; ++p) {
      tessarin::ResultEntry row;
      row.HostName = host;
      row.ProjectName = "Project " + std::to_string(p);
      row.HostSpeed = 2e9;
      row.ResourceShare = shares[static_cast<std::size_t>(p)];
      row.Availability = 0.9 * 0.95;
      list.push_back(std::move(row));
    }
  }
  return list;
}

void BM_OverviewEstimate(benchmark::State& state) {
  const tessarin::ResultList list = MakeResultList();
  for (auto _ : state) {
    tessarin::OverviewTree tree = tessarin::BuildOverview(list, kNow);
    benchmark::DoNotOptimize(tree.data());
  }
}
BENCHMARK(BM_OverviewEstimate)->Unit(benchmark::kMillisecond);

}  // namespace
