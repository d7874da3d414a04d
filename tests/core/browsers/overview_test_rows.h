#pragma once
// Result-list rows for the Overview tests.

#include <cstdint>
#include <string>

#include "core/data/result_list.h"

namespace tessarin::test {

inline constexpr double kNow = 1700000000.0;  // a fixed "now", Unix seconds
inline constexpr int kHour = 3600;

inline ResultEntry ResultRow(const std::string& host, const std::string& project,
                             const std::string& result, float share, std::int32_t timeLeft,
                             std::uint8_t state = result_state::kQueued,
                             double deadline = kNow + 100 * kHour) {
  ResultEntry row;
  row.HostName = host;
  row.ProjectName = project;
  row.WuName = result + "_wu";
  row.ResultFileName = result;
  row.HostSpeed = 1e9;
  row.Deadline = deadline;
  row.State = state;
  row.TimeLeft = timeLeft;
  row.ResourceShare = share;
  row.Availability = 1;
  return row;
}

// The row the scan adds for the project itself.
inline ResultEntry ProjectRow(const std::string& host, const std::string& project, float share,
                              std::uint8_t state = 0) {
  ResultEntry row;
  row.HostName = host;
  row.ProjectName = project;
  row.HostSpeed = 1e9;
  row.State = state;
  row.ResourceShare = share;
  row.Availability = 1;
  return row;
}

}  // namespace tessarin::test
