#include "core/browsers/overview_estimate.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/tools/number_format.h"

namespace tessarin {

namespace {

// Share, availability and the like count only when above 0 (which also rules out NaN).
bool Positive(double value) {
  return value > 0;
}

// Negative shares from a damaged client file never turn the clock back.
double Advance(double clock, double seconds) {
  if (!Positive(seconds))
    return clock;
  return std::min(clock + seconds, kLatestFinish);
}

// Wall-clock seconds to compute `cpuSeconds` when the project gets 1 / `ratio` of a host that
// is on for `availability` of the time.
double WallSeconds(double cpuSeconds, double ratio, double availability) {
  return ratio * cpuSeconds / availability;
}

double ShareOf(const OverviewNode& node, int estimate) {
  return estimate == kAllShares ? node.Share : node.ActiveShare;
}

// Index of the last segment that has started at `clock`.
std::size_t SegmentAt(const ShareSegments& segments, double clock) {
  std::size_t index = 0;
  while (index + 1 < segments.size() && segments[index + 1].ValidFrom <= clock)
    ++index;
  return index;
}

double ReestimateResult(const OverviewNode& result, const ShareSegments& segments,
                        double projectShare, double clock) {
  std::int64_t remaining = static_cast<std::int64_t>(result.TimeLeft);
  for (std::size_t index = SegmentAt(segments, clock); remaining > 0 && index < segments.size();
       ++index) {
    const double segmentShare = segments[index].Share;
    // A segment without share consumes no remaining time and lets no time pass.
    if (!Positive(segmentShare))
      continue;
    const double ratio = segmentShare / projectShare;
    const double start = clock;
    clock = Advance(clock, WallSeconds(static_cast<double>(remaining), ratio, result.Availability));
    if (index + 1 < segments.size())
      clock = std::min(clock, segments[index + 1].ValidFrom);
    std::int32_t done = 0;
    if (!RoundHalfEven((clock - start) * result.Availability / ratio, done))
      break;
    remaining -= done;
  }
  return clock;
}

}  // namespace

void EstimateFinish(OverviewTree& tree, double now) {
  for (OverviewNode& host : tree) {
    host.Expanded = true;
    for (OverviewNode& project : host.Children) {
      double clocks[2] = {now, now};
      for (OverviewNode& result : project.Children) {
        for (int j : {kAllShares, kActiveShares}) {
          const double projectShare = ShareOf(project, j);
          if (Positive(result.Availability) && Positive(ShareOf(result, j)) &&
              Positive(projectShare)) {
            clocks[j] = Advance(clocks[j],
                                WallSeconds(static_cast<double>(result.TimeLeft),
                                            ShareOf(host, j) / projectShare, result.Availability));
          }
          result.Finish[j] = clocks[j];
          project.Finish[j] = clocks[j];
        }
      }
    }
  }
}

OverviewNode* FindFirstFinisher(OverviewNode& host) {
  OverviewNode* first = nullptr;
  for (OverviewNode& project : host.Children) {
    if (!Positive(project.ActiveShare))
      continue;
    if (first == nullptr || project.Finish[kActiveShares] < first->Finish[kActiveShares]) {
      first = &project;
    }
  }
  return first;
}

void ReestimateFinish(OverviewNode& host, const ShareSegments& segments, double now) {
  for (OverviewNode& project : host.Children) {
    if (!Positive(project.ActiveShare))
      continue;
    double clock = now;
    for (OverviewNode& result : project.Children) {
      if (!Positive(result.Availability) || !Positive(result.ActiveShare))
        continue;
      clock = ReestimateResult(result, segments, project.ActiveShare, clock);
      result.Finish[kActiveShares] = clock;
    }
  }
}

void RedistributeShares(OverviewTree& tree, double now) {
  for (OverviewNode& host : tree) {
    ShareSegments segments{{host.ActiveShare, -std::numeric_limits<double>::infinity()}};
    while (OverviewNode* finisher = FindFirstFinisher(host)) {
      segments.push_back(
          {segments.back().Share - finisher->ActiveShare, finisher->Finish[kActiveShares]});
      finisher->ActiveShare = 0;
      ReestimateFinish(host, segments, now);
    }
  }
}

}  // namespace tessarin
