#pragma once
// The Overview tree as plain data: hosts, their projects, the projects' results.

#include <cstdint>
#include <string>
#include <vector>

#include "core/browsers/overview_entries.h"

namespace tessarin {

enum class OverviewLevel : std::uint8_t { Project = 0, Host = 1, Result = 2 };

// Which finish estimate: with the shares of all projects, or with the active shares only.
inline constexpr int kAllShares = 0;
inline constexpr int kActiveShares = 1;

struct OverviewNode {
  std::string Name;
  OverviewLevel Level = OverviewLevel::Host;
  std::uint32_t Counters[2] = {0, 0};  // kNotDone, kDone; sums on hosts and projects
  double Deadline = 0;                 // Unix seconds, whole; result nodes
  std::uint64_t TimeLeft = 0;          // seconds; sums on hosts and projects
  std::uint8_t State = 0;              // results: their state; projects: only the marker 97
  float Share = 0;
  float ActiveShare = 0;
  double Availability = 0;    // on_frac x active_frac; result nodes
  double Finish[2] = {0, 0};  // Unix seconds, by kAllShares / kActiveShares
  float LongTermDebt = 0;     // project nodes
  std::int32_t Cpus = 1;      // host nodes: results it runs at once
  bool Expanded = false;
  std::vector<OverviewNode> Children;
};

// Top-level host nodes.
using OverviewTree = std::vector<OverviewNode>;

// Entries in SortOverviewEntries order. A project takes its share from its first entry with
// a share above 0; projects without time left lose their active share.
OverviewTree BuildOverviewTree(const OverviewEntries& entries);

// True for a result node still to be computed whose finish estimate (kAllShares or
// kActiveShares) is after its deadline: work that is done, aborted or suspended is never late.
bool MissesDeadline(const OverviewNode& node, int estimate);

}  // namespace tessarin
