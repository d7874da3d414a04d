#pragma once
// The whole Overview from one copy of the kept result list.

#include "core/browsers/overview_tree.h"
#include "core/data/result_list.h"

namespace tessarin {

// Every row in list order through AddOverviewEntry, then sorted, built into the tree and
// estimated from `now` (Unix seconds) with fixed and with redistributed shares.
// `beforeRedistribution`, when given, gets the tree as it was before the shares were handed on.
OverviewTree BuildOverview(const ResultList& list, double now,
                           OverviewTree* beforeRedistribution = nullptr);

}  // namespace tessarin
