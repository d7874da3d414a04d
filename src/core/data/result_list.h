#pragma once
// The result list: one entry per result and per project of every client, rebuilt each cycle.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/data/host_record.h"
#include "core/data/project_record.h"

namespace tessarin {

// Result states beyond the client's own 2..5.
namespace result_state {
inline constexpr std::uint8_t kQueued = 2;
inline constexpr std::uint8_t kComputeError = 3;
inline constexpr std::uint8_t kUploading = 4;
inline constexpr std::uint8_t kUploaded = 5;
// Client states that never reach the list as they are: 6 becomes kAborted, 7 kComputeError.
inline constexpr std::uint8_t kClientAborted = 6;
inline constexpr std::uint8_t kClientUploadFailed = 7;
inline constexpr std::uint8_t kNonCpuFinished = 96;
inline constexpr std::uint8_t kNonCpuOther = 97;
inline constexpr std::uint8_t kSuspended = 98;
inline constexpr std::uint8_t kAborted = 99;
}  // namespace result_state

struct ResultEntry {
  std::string HostName;        // 100
  std::string ProjectName;     // 50
  std::string WuName;          // 100, empty for a project entry
  std::string ResultFileName;  // 100, empty for a project entry
  double HostSpeed = 0;        // p_fpops
  std::int32_t HostCpus = 1;   // p_ncpus, at least 1
  double Estimate = 0;         // rsc_fpops_est x duration_correction_factor
  double Flops = 0;            // speed of the result's app version, 0 when the client gives none
  double Deadline = 0;         // Unix seconds
  std::uint8_t State = 0;
  std::int32_t TimeLeft = -1;  // seconds, -1 none yet
  float ResourceShare = 0;
  double Availability = 0;  // on_frac x active_frac
  bool NonCpuIntensive = false;
  float LongTermDebt = 0;
};

using ResultList = std::vector<ResultEntry>;

// Adds to a result list and finds its entries by name rather than by walking it, so a cycle
// over a client with a hundred thousand results costs in proportion to them. Entries that
// others append to the list are taken in at the next call.
class ResultIndex {
 public:
  explicit ResultIndex(ResultList& list) : list_(list) {}

  ResultList& List() { return list_; }

  // Appends an entry unless one with the same project name, host name and result file name
  // exists. State 0 of a non-CPU-intensive project that is not suspended becomes 97.
  void AddResult(const HostRecord& host, const ProjectRecord& project, double deadline,
                 std::uint8_t state, const std::string& resultFileName, const std::string& wuName);
  // Sets the estimate of every entry of that work unit.
  void AddWU(const std::string& wuName, double estimate);

 private:
  void CatchUp();

  ResultList& list_;
  std::size_t indexed_ = 0;
  // Project, host and result file name, each behind its length.
  std::unordered_set<std::string> keys_;
  std::unordered_map<std::string, std::vector<std::size_t>> byWorkUnit_;
};

// Waiting or running: not finished, aborted, suspended or of a non-CPU-intensive project.
bool StillToCompute(std::uint8_t state);

void SetTimeLeft(ResultList& list, const std::string& resultFileName, std::int32_t seconds);

}  // namespace tessarin
