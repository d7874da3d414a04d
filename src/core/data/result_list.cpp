#include "core/data/result_list.h"

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

std::string EntryKey(const std::string& projectName, const std::string& hostName,
                     const std::string& fileName) {
  std::string key;
  for (const std::string* part : {&projectName, &hostName, &fileName}) {
    key += std::to_string(part->size());
    key += ':';
    key += *part;
  }
  return key;
}

}  // namespace

void ResultIndex::CatchUp() {
  if (indexed_ > list_.size()) {
    keys_.clear();
    byWorkUnit_.clear();
    indexed_ = 0;
  }
  for (; indexed_ < list_.size(); ++indexed_) {
    const ResultEntry& entry = list_[indexed_];
    keys_.insert(EntryKey(entry.ProjectName, entry.HostName, entry.ResultFileName));
    byWorkUnit_[entry.WuName].push_back(indexed_);
  }
}

void ResultIndex::AddResult(const HostRecord& host, const ProjectRecord& project, double deadline,
                            std::uint8_t state, const std::string& resultFileName,
                            const std::string& wuName) {
  CatchUp();
  const std::string hostName = Cut(host.domain_name, 100);
  const std::string projectName = Cut(project.project_name, 50);
  const std::string fileName = Cut(resultFileName, 100);
  if (keys_.count(EntryKey(projectName, hostName, fileName)) > 0)
    return;
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
  list_.push_back(std::move(entry));
}

bool StillToCompute(std::uint8_t state) {
  return state != result_state::kComputeError && state != result_state::kUploading &&
         state != result_state::kUploaded &&
         (state < result_state::kNonCpuFinished || state > result_state::kAborted);
}

void ResultIndex::AddWU(const std::string& wuName, double estimate) {
  CatchUp();
  const auto found = byWorkUnit_.find(wuName);
  if (found == byWorkUnit_.end())
    return;
  for (std::size_t index : found->second)
    list_[index].Estimate = estimate;
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
