#include "core/watcher/result_list.h"

#include <algorithm>
#include <cmath>

#include "core/tools/number_format.h"

namespace tessarin {

namespace {

std::string Cut(const std::string& text, std::size_t width) {
  return text.size() > width ? text.substr(0, width) : text;
}

// A missing or damaged p_ncpus still leaves one processor; the bound keeps the count an int.
std::int32_t Processors(const std::string& text) {
  const double count = std::floor(StrToFloatSafe(text));
  if (!(count >= 1))
    return 1;
  return static_cast<std::int32_t>(std::min(count, 65536.0));
}

}  // namespace

void AddResult(ResultList& list, const HostRecord& host, const ProjectRecord& project,
               double deadline, std::uint8_t state, const std::string& resultFileName,
               const std::string& wuName) {
  const std::string hostName = Cut(host.domain_name, 100);
  const std::string projectName = Cut(project.project_name, 50);
  const std::string fileName = Cut(resultFileName, 100);
  for (const ResultEntry& entry : list) {
    if (entry.ProjectName == projectName && entry.HostName == hostName &&
        entry.ResultFileName == fileName) {
      return;
    }
  }
  ResultEntry entry;
  entry.HostName = hostName;
  entry.ProjectName = projectName;
  entry.WuName = Cut(wuName, 100);
  entry.ResultFileName = fileName;
  entry.HostSpeed = StrToFloatSafe(host.p_fpops);
  entry.HostCpus = Processors(host.p_ncpus);
  entry.Deadline = deadline;
  entry.State = state;
  if (state == 0 && project.non_cpu_intensive && !project.suspended) {
    entry.State = result_state::kNonCpuOther;
  }
  const bool idle =
      project.non_cpu_intensive || project.suspended || entry.State == result_state::kSuspended;
  entry.ResourceShare = idle ? 0.0f : project.resource_share;
  entry.Availability = StrToFloatSafe(host.on_frac) * StrToFloatSafe(host.active_frac);
  entry.NonCpuIntensive = project.non_cpu_intensive;
  entry.LongTermDebt = project.long_term_debt;
  list.push_back(std::move(entry));
}

bool StillToCompute(std::uint8_t state) {
  return state != result_state::kComputeError && state != result_state::kUploading &&
         state != result_state::kUploaded &&
         (state < result_state::kNonCpuFinished || state > result_state::kAborted);
}

void AddWU(ResultList& list, const std::string& wuName, double estimate) {
  for (ResultEntry& entry : list) {
    if (entry.WuName == wuName)
      entry.Estimate = estimate;
  }
}

void SetTimeLeft(ResultList& list, const std::string& resultFileName, std::int32_t seconds) {
  for (ResultEntry& entry : list) {
    if (entry.ResultFileName == resultFileName) {
      entry.TimeLeft = seconds;
      return;
    }
  }
}

}  // namespace tessarin
