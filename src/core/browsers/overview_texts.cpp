#include "core/browsers/overview_texts.h"

#include <cstdint>
#include <cstdio>
#include <ctime>

#include "core/browsers/overview_estimate.h"
#include "core/browsers/overview_layout.h"
#include "core/tools/number_format.h"

namespace tessarin {

namespace {

constexpr double kFirstDayOfYearOne = -62135596800.0;  // 0001-01-01 00:00 UTC

std::uint32_t Total(const OverviewNode& node) {
  return node.Counters[kNotDone] + node.Counters[kDone];
}

bool IsNonCpu(std::uint8_t state) {
  return state == result_state::kNonCpuFinished || state == result_state::kNonCpuOther;
}

std::string WorkunitsText(const OverviewNode& node) {
  if (node.Level == OverviewLevel::Result || Total(node) == 0)
    return "";
  return std::to_string(node.Counters[kNotDone]) + " / " + std::to_string(Total(node));
}

std::string TimeLeftText(const OverviewNode& node) {
  if (Total(node) == 0 || IsNonCpu(node.State))
    return "";
  // Finished and aborted results have nothing left to compute.
  if (node.Level == OverviewLevel::Result &&
      (node.State == result_state::kComputeError || node.State == result_state::kUploading ||
       node.State == result_state::kUploaded || node.State == result_state::kAborted)) {
    return "";
  }
  return FormatHMS(static_cast<std::int64_t>(node.TimeLeft));
}

std::string ResultFinishText(const OverviewNode& node, const OverviewDateFormat& dateText) {
  switch (node.State) {
    case result_state::kQueued: {
      std::string text = dateText(node.Finish[kActiveShares]);
      const std::string allShares = dateText(node.Finish[kAllShares]);
      if (allShares != text)
        text += kEstimateSeparator + allShares;
      return text;
    }
    case result_state::kComputeError:
    case result_state::kUploading:
    case result_state::kUploaded:
    case result_state::kNonCpuFinished:
      return "finished";
    case result_state::kAborted:
      return "aborted";
    default:
      return "";
  }
}

std::string EstFinishText(const OverviewNode& node, const OverviewDateFormat& dateText) {
  // Non-CPU-intensive work has no share, yet it is not suspended.
  if (node.State == result_state::kNonCpuOther)
    return "";
  std::string text;
  if (node.Level == OverviewLevel::Result)
    text = ResultFinishText(node, dateText);
  if (node.Share == 0 && node.State != result_state::kNonCpuFinished)
    text = "suspended";
  return text;
}

}  // namespace

std::string DefaultOverviewDateText(double unixSeconds) {
  // Years 1 to 9999 only, so the conversion to time_t stays defined.
  if (!(unixSeconds >= kFirstDayOfYearOne && unixSeconds <= kLatestFinish))
    return "";
  const auto seconds = static_cast<std::time_t>(unixSeconds);
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr)
    return "";
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
  return text;
}

std::string TreeGetText(const OverviewNode& node, int column, const OverviewDateFormat& dateText) {
  switch (column) {
    case overview_column::kProject:
      return node.Name;
    case overview_column::kWorkunits:
      return WorkunitsText(node);
    case overview_column::kTimeLeft:
      return TimeLeftText(node);
    case overview_column::kDeadline:
      return node.Level == OverviewLevel::Result ? dateText(node.Deadline) : "";
    case overview_column::kEstFinish:
      return EstFinishText(node, dateText);
    case overview_column::kLtd:
      return node.Level == OverviewLevel::Project ? Fixed(node.LongTermDebt, 15, 2) : "";
    default:
      return "";
  }
}

}  // namespace tessarin
