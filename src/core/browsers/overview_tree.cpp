#include "core/browsers/overview_tree.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

namespace {

void AddShare(OverviewNode& host, float share) {
  host.Share += share;
  host.ActiveShare += share;
}

void AddCounts(OverviewNode& node, const OverviewNode& result) {
  node.Counters[kNotDone] += result.Counters[kNotDone];
  node.Counters[kDone] += result.Counters[kDone];
  node.TimeLeft += result.TimeLeft;
}

OverviewNode ResultNode(const OverviewEntry& entry) {
  OverviewNode node;
  node.Name = entry.ResultFileName;
  node.Level = OverviewLevel::Result;
  node.Counters[kNotDone] = entry.Counters[kNotDone];
  node.Counters[kDone] = entry.Counters[kDone];
  node.Deadline = std::trunc(entry.Deadline);
  node.State = entry.State;
  node.TimeLeft = static_cast<std::uint64_t>(entry.TimeLeft);
  node.Share = entry.ResourceShare;
  node.ActiveShare = entry.ResourceShare;
  node.Availability = entry.Availability;
  return node;
}

}  // namespace

OverviewTree BuildOverviewTree(const OverviewEntries& entries) {
  OverviewTree tree;
  // Nothing is current before the first entry, whatever its names.
  bool haveHost = false;
  bool haveProject = false;
  for (const OverviewEntry& entry : entries) {
    if (!haveHost || entry.HostName != tree.back().Name) {
      OverviewNode host;
      host.Name = entry.HostName;
      host.Level = OverviewLevel::Host;
      tree.push_back(std::move(host));
      haveHost = true;
      haveProject = false;
    }
    OverviewNode& host = tree.back();
    // Two clients reporting one host name run on the same processors.
    host.Cpus = std::max(host.Cpus, entry.HostCpus);
    if (!haveProject || entry.ProjectName != host.Children.back().Name) {
      OverviewNode project;
      project.Name = entry.ProjectName;
      project.Level = OverviewLevel::Project;
      project.LongTermDebt = entry.LongTermDebt;
      project.Share = entry.ResourceShare;
      project.ActiveShare = entry.ResourceShare;
      if (entry.State == result_state::kNonCpuFinished ||
          entry.State == result_state::kNonCpuOther) {
        project.State = result_state::kNonCpuOther;
      }
      AddShare(host, entry.ResourceShare);
      host.Children.push_back(std::move(project));
      haveProject = true;
    } else if (OverviewNode& project = host.Children.back();
               project.Share == 0 && entry.ResourceShare > 0) {
      project.Share = entry.ResourceShare;
      project.ActiveShare = entry.ResourceShare;
      AddShare(host, entry.ResourceShare);
    }
    if (!entry.ResultFileName.empty()) {
      OverviewNode& project = host.Children.back();
      project.Children.push_back(ResultNode(entry));
      AddCounts(project, project.Children.back());
      AddCounts(host, project.Children.back());
    }
  }
  for (OverviewNode& host : tree) {
    for (OverviewNode& project : host.Children) {
      if (project.TimeLeft == 0) {
        host.ActiveShare -= project.ActiveShare;
        project.ActiveShare = 0;
      }
    }
  }
  return tree;
}

bool MissesDeadline(const OverviewNode& node, int estimate) {
  return node.Level == OverviewLevel::Result && StillToCompute(node.State) &&
         node.Finish[estimate] > node.Deadline;
}

}  // namespace tessarin
