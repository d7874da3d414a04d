#include "core/browsers/overview_build.h"

#include "core/browsers/overview_entries.h"
#include "core/browsers/overview_estimate.h"

namespace tessarin {

OverviewTree BuildOverview(const ResultList& list, double now, OverviewTree* beforeRedistribution) {
  OverviewEntries entries;
  entries.reserve(list.size());
  for (const ResultEntry& row : list)
    AddOverviewEntry(entries, row);
  SortOverviewEntries(entries);
  OverviewTree tree = BuildOverviewTree(entries);
  EstimateFinish(tree, now);
  if (beforeRedistribution != nullptr)
    *beforeRedistribution = tree;
  RedistributeShares(tree, now);
  return tree;
}

}  // namespace tessarin
