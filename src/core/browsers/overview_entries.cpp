#include "core/browsers/overview_entries.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/data/result_estimate.h"

namespace tessarin {

namespace {

std::int32_t EstimatedTimeLeft(const ResultEntry& row) {
  // Without a speed there is nothing to divide by.
  return EstimatedSeconds(row).value_or(0);
}

char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Byte order after upper-casing a to z, without building the upper-case copies.
int CompareUpperAscii(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(UpperAscii(a[i]));
    const auto y = static_cast<unsigned char>(UpperAscii(b[i]));
    if (x != y)
      return x < y ? -1 : 1;
  }
  if (a.size() == b.size())
    return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SortsBefore(const OverviewEntry& a, const OverviewEntry& b) {
  if (const int host = a.HostName.compare(b.HostName); host != 0)
    return host < 0;
  if (const int project = CompareUpperAscii(a.ProjectName, b.ProjectName); project != 0) {
    return project < 0;
  }
  // Names that differ only in case stay apart, so each becomes one project node.
  if (const int exact = a.ProjectName.compare(b.ProjectName); exact != 0)
    return exact < 0;
  return a.Deadline < b.Deadline;
}

}  // namespace

bool IsDoneState(std::uint8_t state) {
  switch (state) {
    case result_state::kComputeError:
    case result_state::kUploading:
    case result_state::kUploaded:
    case result_state::kNonCpuFinished:
    case result_state::kAborted:
      return true;
    default:
      return false;
  }
}

void AddOverviewEntry(OverviewEntries& entries, const ResultEntry& row) {
  OverviewEntry entry;
  entry.ProjectName = row.ProjectName;
  entry.HostName = row.HostName;
  entry.ResultFileName = row.ResultFileName;
  // A deadline that is not a number would break the sort order.
  entry.Deadline = std::isfinite(row.Deadline) ? row.Deadline : 0;
  entry.Availability = row.Availability;
  entry.HostCpus = row.HostCpus;
  entry.State = row.State;
  entry.ResourceShare = row.ResourceShare;
  entry.LongTermDebt = row.LongTermDebt;
  const bool done = IsDoneState(row.State);
  entry.Counters[done ? kDone : kNotDone] = 1;
  if (done || row.State == result_state::kNonCpuOther) {
    entry.TimeLeft = 0;
  } else if (row.TimeLeft == -1) {
    entry.TimeLeft = EstimatedTimeLeft(row);
  } else {
    entry.TimeLeft = std::max(row.TimeLeft, 0);
  }
  entries.push_back(std::move(entry));
}

void SortOverviewEntries(OverviewEntries& entries) {
  std::stable_sort(entries.begin(), entries.end(), SortsBefore);
}

}  // namespace tessarin
