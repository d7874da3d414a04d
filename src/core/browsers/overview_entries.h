#pragma once
// Overview entries: the kept result list copied into one flat, sortable array.

#include <cstdint>
#include <string>
#include <vector>

#include "core/data/result_list.h"

namespace tessarin {

// Counter indices of an entry and a node.
inline constexpr int kNotDone = 0;
inline constexpr int kDone = 1;

struct OverviewEntry {
  std::string ProjectName;
  std::string HostName;
  std::string ResultFileName;  // empty for a project row
  std::uint32_t Counters[2] = {0, 0};
  double Deadline = 0;        // Unix seconds
  std::int32_t TimeLeft = 0;  // seconds, never negative
  std::uint8_t State = 0;
  float ResourceShare = 0;
  double Availability = 0;  // on_frac x active_frac
  std::int32_t HostCpus = 1;
  float LongTermDebt = 0;
};

using OverviewEntries = std::vector<OverviewEntry>;

// States 3, 4, 5, 96 and 99: nothing left to compute.
bool IsDoneState(std::uint8_t state);

// Appends one row. An unknown time left (-1) is estimated from the work unit and the host
// speed; without a usable speed it stays 0, so the result keeps its project's running clock.
void AddOverviewEntry(OverviewEntries& entries, const ResultEntry& row);

// Hosts byte by byte, then projects ignoring the case of a to z (identical names kept
// together), then deadline, earliest first. Stable: equal entries keep their order.
void SortOverviewEntries(OverviewEntries& entries);

}  // namespace tessarin
