#include "core/projects/sah_logger.h"

#include <cstdio>
#include <initializer_list>

#include "core/data/log_append.h"
#include "core/data/log_files.h"
#include "core/projects/backup_name.h"
#include "core/projects/log_row.h"
#include "core/projects/project_log_index.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/csv.h"
#include "core/tools/files.h"
#include "core/tools/tag_extract.h"

namespace tessarin {

namespace {

void CutInto(LogRow& row, std::string& element, std::initializer_list<std::string_view> tags) {
  for (std::string_view tag : tags)
    row.Raw(ExtractTagCut(element, tag));
}

// Columns 44 .. 55: sky position and recording parameters of the work unit.
void AppendWorkunitColumns(LogRow& row, std::string workunit) {
  std::string header = ExtractTagCut(workunit, "workunit_header");
  // Without group_info its data_desc and splitter_cfg columns stay empty.
  std::string group = ExtractTagCut(header, "group_info");
  std::string dataDesc = ExtractTagCut(group, "data_desc");
  std::string splitter = ExtractTagCut(group, "splitter_cfg");
  std::string subband = ExtractTagCut(header, "subband_desc");
  CutInto(row, dataDesc,
          {"start_ra", "start_dec", "end_ra", "end_dec", "true_angle_range", "time_recorded_jd"});
  CutInto(row, subband, {"center", "base", "sample_rate"});
  CutInto(row, splitter, {"fft_len", "ifft_len"});
  CutInto(row, subband, {"number"});
}

// Columns 56 .. 90: the best signal of each type from the state backup, and the counts.
void AppendBestSignalColumns(LogRow& row, std::string state, const SahSignalCounts& counts) {
  std::string spike = ExtractTagCut(state, "best_spike");
  std::string gaussian = ExtractTagCut(state, "best_gaussian");
  std::string pulse = ExtractTagCut(state, "best_pulse");
  std::string triplet = ExtractTagCut(state, "best_triplet");
  CutInto(row, spike, {"bs_score", "peak_power", "bs_bin", "bs_fft_ind", "chirp_rate", "fft_len"});
  row.Count(counts.spikes);
  CutInto(row, gaussian,
          {"bg_score", "peak_power", "chisqr", "bg_bin", "bg_fft_ind", "chirp_rate", "fft_len",
           "sigma", "mean_power"});
  row.Count(counts.gaussians);
  CutInto(
      row, pulse,
      {"bp_score", "peak_power", "mean_power", "period", "chirp_rate", "fft_len", "snr", "thresh"});
  row.Count(counts.pulses);
  CutInto(row, triplet,
          {"bt_score", "peak_power", "mean_power", "period", "bt_bperiod", "chirp_rate", "bt_scale",
           "fft_len"});
  row.Count(counts.triplets);
}

void RemoveUnkeptBackups(const Environment& env, const std::string& resultName,
                         const std::string& wuName) {
  const std::string& dir = env.logDir;
  // A backup that cannot be deleted simply stays; nothing depends on its absence.
  if (!env.settings.Read(settings::kBackupState)) {
    std::remove((dir + resultName + logs::kStateBackupSuffix).c_str());
  }
  if (!env.settings.Read(settings::kBackupResult)) {
    std::remove((dir + resultName + logs::kBackupExtension).c_str());
  }
  if (!env.settings.Read(settings::kBackupWU)) {
    std::remove((dir + wuName + logs::kBackupExtension).c_str());
    std::remove((dir + wuName + logs::kWorkunitDescriptionExtension).c_str());
  }
}

}  // namespace

void LogSah(const Environment& env, ProjectLogIndex& index, CycleFlags& flags,
            const std::string& prefix, const std::string& resultName, const std::string& wuName) {
  if (!AcceptBackupName(resultName, "LogSah", env.exceptions) ||
      !AcceptBackupName(wuName, "LogSah", env.exceptions)) {
    return;
  }
  const std::string& dir = env.logDir;
  if (index.Holds(dir + logs::kSahCsv, LoggedText(resultName)))
    return;
  std::string workunit = RequiredWorkunitCopy(env, wuName);
  LogRow row(prefix);
  AppendWorkunitColumns(row, std::move(workunit));
  const SahSignalCounts counts = LogResultSah(env, index, resultName);
  AppendBestSignalColumns(
      row, FileAsString(dir + resultName + logs::kStateBackupSuffix, env.exceptions), counts);

  AppendResultRow(dir + logs::kSahCsv, logs::kSahHeader, row.Text());

  RemoveUnkeptBackups(env, resultName, wuName);
  flags.wallpaperRequest = true;
}

}  // namespace tessarin
