#include "core/projects/ap_logger.h"

#include "core/data/log_append.h"
#include "core/data/log_files.h"
#include "core/projects/backup_name.h"
#include "core/projects/log_row.h"
#include "core/projects/project_log_index.h"
#include "core/settings/exception_log.h"
#include "core/tools/csv.h"
#include "core/tools/files.h"
#include "core/tools/number_format.h"
#include "core/tools/tag_extract.h"

namespace tessarin {

ApPeak FindBestApPeak(const Environment& env, const std::string& resultName) {
  ApPeak best;
  if (!AcceptBackupName(resultName, "FindBestApPeak", env.exceptions)) {
    return best;
  }
  const std::string text =
      FileAsString(env.logDir + resultName + logs::kBackupExtension, env.exceptions);
  std::size_t position = 0;
  double bestPower = 0;
  std::string element;
  while (NextTag(text, "result", position, element)) {
    ++best.count;
    std::string power = ExtractTagCut(element, "peak_power");
    if (power.empty() || StrToFloatSafe(power) <= bestPower) {
      continue;
    }
    bestPower = StrToFloatSafe(power);
    best.power = std::move(power);
    best.index = ExtractTagCut(element, "index");
    best.scale = ExtractTagCut(element, "scale");
    best.dm = ExtractTagCut(element, "dm");
    best.period = ExtractTagCut(element, "period");
  }
  return best;
}

void LogAp(const Environment& env, ProjectLogIndex& index, CycleFlags& flags,
           const std::string& prefix, const std::string& resultName, const std::string& wuName) {
  if (!AcceptBackupName(wuName, "LogAp", env.exceptions)) {
    return;
  }
  const std::string path = env.logDir + logs::kApCsv;
  if (index.Holds(path, LoggedText(resultName)))
    return;
  std::string workunit = RequiredWorkunitCopy(env, wuName);
  // start_coords is taken from the whole work unit, end_coords only from its header.
  std::string startCoords = ExtractTagCut(workunit, "start_coords");
  std::string header = ExtractTagCut(workunit, "header");
  std::string endCoords = ExtractTagCut(header, "end_coords");

  const std::string startRa = ExtractTagCut(startCoords, "ra");
  const std::string startDec = ExtractTagCut(startCoords, "dec");
  const std::string timeRecorded = ExtractTagCut(startCoords, "jd");
  const std::string endRa = ExtractTagCut(endCoords, "ra");
  const std::string endDec = ExtractTagCut(endCoords, "dec");

  LogRow row(prefix);
  row.Raw(startRa).Raw(startDec).Raw(endRa).Raw(endDec);
  row.Raw(ExtractTagCut(header, "datasize")).Raw(timeRecorded);
  for (const char* name : {"fft_len", "dm_low", "dm_hi", "max_coadd", "dm_chunk", "thresh_0"}) {
    row.Raw(ExtractTagCut(header, name));
  }
  const ApPeak peak = FindBestApPeak(env, resultName);
  row.Raw(peak.power).Raw(peak.index).Raw(peak.scale).Raw(peak.dm).Raw(peak.period);
  row.Count(peak.count);

  AppendResultRow(path, logs::kApHeader, row.Text());
  flags.wallpaperRequest = true;
}

}  // namespace tessarin
