#include "core/watcher/checkpoint_memory.h"

#include <algorithm>

#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/csv.h"
#include "core/tools/date_time.h"
#include "core/tools/ini_key.h"
#include "core/tools/number_format.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

constexpr double kActiveSeconds = 10 * 60;
constexpr double kJudgedSeconds = 24 * 60 * 60;
constexpr double kSecondsPerDay = 86400;
constexpr double kUnixEpochSerial = 25569;  // 1970-01-01 as days since 1899-12-30
constexpr char kUtcMark = 'Z';

double ParseChangeTime(const std::string& text) {
  if (!text.empty() && text.back() == kUtcMark) {
    return (StrToFloatSafe(std::string_view(text).substr(0, text.size() - 1)) - kUnixEpochSerial) *
           kSecondsPerDay;
  }
  return UnixFromDateSerial(StrToFloatSafe(text));
}

}  // namespace

std::string CheckpointSection(const std::string& clientDir) {
  return sections::kCheckpointsPrefix + EscapeIniText(clientDir);
}

std::string FormatCheckpointCpu(double cpuTime) {
  return FormatGeneral(cpuTime, 18);
}

CheckpointLine ParseCheckpointLine(const std::string& value) {
  const FieldArray fields = SplitCsvLine(value, ',', true);
  return CheckpointLine{fields[1], fields[2], fields[3], fields[4], ParseChangeTime(fields[5])};
}

std::string FormatCheckpointLine(const CheckpointLine& line) {
  return line.cpuTime + "," + QuoteText(line.projectName) + "," + QuoteText(line.appName) + "," +
         line.appVersion + "," +
         FormatGeneral(line.changeTime / kSecondsPerDay + kUnixEpochSerial, 12) + kUtcMark;
}

CheckpointMemory::CheckpointMemory(SettingsStore& settings, const std::string& clientDir)
    : settings_(settings),
      section_(CheckpointSection(clientDir)),
      previous_(settings.ReadSectionValues(section_)) {
  for (Entry& entry : previous_)
    entry.first = UnescapeIniKey(entry.first);
}

ProgressStatus CheckpointMemory::Observe(const std::string& resultName, double cpuTime,
                                         const std::string& projectName, const std::string& appName,
                                         const std::string& appVersion, double now,
                                         ProgressStatus status) {
  CheckpointLine line{FormatCheckpointCpu(cpuTime), projectName, appName, appVersion, now};
  const bool notJudged = status == ProgressStatus::kNotJudged;
  bool remember = true;
  // Keys match as everywhere in the settings file.
  const auto found = std::find_if(previous_.begin(), previous_.end(), [&](const Entry& entry) {
    return SameSettingsName(entry.first, resultName);
  });
  if (found == previous_.end()) {
    if (notJudged)
      status = ProgressStatus::kActive;
  } else {
    const CheckpointLine stored = ParseCheckpointLine(found->second);
    const double sinceChange = now - stored.changeTime;
    if (stored.cpuTime != line.cpuTime) {
      if (notJudged && sinceChange < kJudgedSeconds)
        status = ProgressStatus::kActive;
    } else {
      if (notJudged) {
        status =
            sinceChange <= kActiveSeconds ? ProgressStatus::kActive : ProgressStatus::kInactive;
      }
      line.changeTime = stored.changeTime;
    }
    // A CPU time that fell back to 0 is not remembered until it is known again.
    remember = cpuTime > 0 || stored.cpuTime == "0";
    previous_.erase(found);
  }
  if (remember)
    current_.emplace_back(resultName, FormatCheckpointLine(line));
  return status;
}

void CheckpointMemory::Forget(const std::string& resultName) {
  std::erase_if(previous_,
                [&](const Entry& entry) { return SameSettingsName(entry.first, resultName); });
}

void CheckpointMemory::Store() {
  settings_.EraseSection(section_);
  // Result names come from the client: escaped, none can become a header or another key.
  for (const Entry& entry : previous_)
    settings_.WriteString(section_, EscapeIniKey(entry.first), entry.second);
  for (const Entry& entry : current_)
    settings_.WriteString(section_, EscapeIniKey(entry.first), entry.second);
}

}  // namespace tessarin
