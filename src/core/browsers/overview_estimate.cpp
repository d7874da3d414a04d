#include "core/browsers/overview_estimate.h"

#include <algorithm>
#include <cmath>
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

double ShareOf(const OverviewNode& node, int estimate) {
  return estimate == kAllShares ? node.Share : node.ActiveShare;
}

bool TakesPart(const OverviewNode& result, int estimate) {
  return Positive(result.Availability) && Positive(ShareOf(result, estimate));
}

// Index of the last segment that has started at `clock`.
std::size_t SegmentAt(const ShareSegments& segments, double clock) {
  std::size_t index = 0;
  while (index + 1 < segments.size() && segments[index + 1].ValidFrom <= clock)
    ++index;
  return index;
}

struct Pending {
  OverviewNode* Result;
  double Remaining;  // CPU seconds
};

// Wall seconds per CPU second, at full availability, of each result that runs now. The
// project gets `cpus` x projectShare / segmentShare processors; results take them in order,
// each at most one, the last the fraction left over. On one processor this is the project's
// part of the host, as segmentShare / projectShare.
std::vector<double> RunningRatios(std::size_t pending, double segmentShare, double projectShare,
                                  std::int32_t cpus) {
  const double ratio = segmentShare / (cpus * projectShare);
  const double processors = 1 / ratio;
  if (std::isnan(processors))
    return {};
  const double whole = std::min(std::floor(processors), static_cast<double>(pending));
  std::vector<double> ratios(static_cast<std::size_t>(whole), 1.0);
  const double rest = processors - whole;
  if (ratios.size() < pending && Positive(rest))
    ratios.push_back(ratios.empty() ? ratio : 1 / rest);
  return ratios;
}

// Computes `results` (in order, all taking part) over the share segments from `clock` on and
// stores their finish estimate `estimate`. Where no segment has a share left, the rest
// finish where the clock stopped.
void RunResults(const std::vector<OverviewNode*>& results, const ShareSegments& segments,
                double projectShare, std::int32_t cpus, double clock, int estimate) {
  std::vector<Pending> pending;
  for (OverviewNode* result : results)
    pending.push_back({result, static_cast<double>(result->TimeLeft)});
  std::size_t segment = SegmentAt(segments, clock);
  while (!pending.empty() && clock < kLatestFinish) {
    const bool later = segment + 1 < segments.size();
    if (!Positive(segments[segment].Share)) {
      // A segment without share consumes no remaining time and lets no time pass.
      if (!later)
        break;
      ++segment;
      continue;
    }
    const std::vector<double> ratios =
        RunningRatios(pending.size(), segments[segment].Share, projectShare, cpus);
    std::vector<double> ends;
    double end = kLatestFinish;
    for (std::size_t i = 0; i < ratios.size(); ++i) {
      const Pending& run = pending[i];
      ends.push_back(Advance(clock, ratios[i] * run.Remaining / run.Result->Availability));
      end = std::min(end, ends.back());
    }
    if (later)
      end = std::max(clock, std::min(end, segments[segment + 1].ValidFrom));
    for (std::size_t i = 0; i < ratios.size(); ++i) {
      Pending& run = pending[i];
      std::int32_t done = 0;
      if (ends[i] <= end ||
          !RoundHalfEven((end - clock) * run.Result->Availability / ratios[i], done)) {
        run.Remaining = 0;
      } else {
        run.Remaining -= done;
      }
      if (run.Remaining <= 0)
        run.Result->Finish[estimate] = end;
    }
    // Only running results finish; one with nothing left waits for its turn.
    const std::size_t before = pending.size();
    const auto finished = std::remove_if(pending.begin(), pending.begin() + ratios.size(),
                                         [](const Pending& run) { return run.Remaining <= 0; });
    pending.erase(finished, pending.begin() + ratios.size());
    if (end > clock || pending.size() < before) {
      clock = end;
      segment = SegmentAt(segments, clock);
    } else if (later) {
      // Segments out of order: move on rather than stand still.
      ++segment;
    } else {
      break;
    }
  }
  for (const Pending& run : pending)
    run.Result->Finish[estimate] = clock;
}

// The results of `project` that take part in `estimate`, in order.
std::vector<OverviewNode*> TakingPart(OverviewNode& project, int estimate) {
  std::vector<OverviewNode*> results;
  for (OverviewNode& result : project.Children) {
    if (TakesPart(result, estimate))
      results.push_back(&result);
  }
  return results;
}

}  // namespace

void EstimateFinish(OverviewTree& tree, double now) {
  for (OverviewNode& host : tree) {
    host.Expanded = true;
    for (OverviewNode& project : host.Children) {
      for (int j : {kAllShares, kActiveShares}) {
        const double projectShare = ShareOf(project, j);
        const bool shared = Positive(projectShare);
        std::vector<OverviewNode*> results;
        if (shared)
          results = TakingPart(project, j);
        RunResults(results, {{ShareOf(host, j), -std::numeric_limits<double>::infinity()}},
                   projectShare, host.Cpus, now, j);
        // A result left out takes the running clock of its project.
        double clock = now;
        for (OverviewNode& result : project.Children) {
          if (shared && TakesPart(result, j))
            clock = std::max(clock, result.Finish[j]);
          else
            result.Finish[j] = clock;
        }
        project.Finish[j] = clock;
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
    const std::vector<OverviewNode*> results = TakingPart(project, kActiveShares);
    if (results.empty())
      continue;
    RunResults(results, segments, project.ActiveShare, host.Cpus, now, kActiveShares);
    // The next redistribution step starts from these times.
    project.Finish[kActiveShares] = now;
    for (const OverviewNode* result : results) {
      project.Finish[kActiveShares] =
          std::max(project.Finish[kActiveShares], result->Finish[kActiveShares]);
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
