#pragma once
// When each result will be finished. A host's projects share its processors by resource
// share, each result runs on at most one processor, the host works for the fraction
// on_frac x active_frac of the time, and a project that runs out of work leaves its share to
// those that still have some. All times are Unix seconds.

#include <vector>

#include "core/browsers/overview_tree.h"

namespace tessarin {

// Latest time an estimate reaches (9999-12-31 23:59:59 UTC): work that would take longer
// ends there instead of running into infinity.
inline constexpr double kLatestFinish = 253402300799.0;

// From `ValidFrom` on, the projects with work still share `Share` among them.
struct ShareSegment {
  double Share = 0;
  double ValidFrom = 0;
};
using ShareSegments = std::vector<ShareSegment>;

// First pass with fixed shares: estimate 0 with every project's share competing all the
// time, estimate 1 with the active shares only. A project's results take its processors in
// tree order from `now` (on one processor: one after another); a result without share or
// availability takes the running clock of its project. Expands the host nodes.
void EstimateFinish(OverviewTree& tree, double now);

// Second pass: per host, hands the share of each project that finishes to the others and
// estimates their results again (estimate 1). Each step takes the first finisher from the
// estimates of the step before.
void RedistributeShares(OverviewTree& tree, double now);

// The project of `host` with an active share above 0 and the earliest estimate 1 (the first
// on ties); nullptr when none is left.
OverviewNode* FindFirstFinisher(OverviewNode& host);

// Estimate 1 of the results of every project of `host` that still has an active share,
// over the given segments (ordered by ValidFrom, the first valid from any time); the
// project's own estimate 1 becomes the latest of its results'.
void ReestimateFinish(OverviewNode& host, const ShareSegments& segments, double now);

}  // namespace tessarin
