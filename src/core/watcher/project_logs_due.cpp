#include "core/watcher/project_logs_due.h"

#include <cstdlib>
#include <exception>
#include <optional>

#include "core/seams/project_logger.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/ini_key.h"
#include "core/watcher/logged_results.h"

namespace tessarin {

namespace {

struct OwedRow {
  ProjectKind kind = ProjectKind::kOther;
  std::string wuName;
  double since = 0;
  std::string prefix;
};

// Escaped names hold no blank, so the first three blanks end kind, work unit and time.
std::optional<OwedRow> ParseOwedRow(const std::string& value) {
  std::size_t ends[3];
  std::size_t from = 0;
  for (std::size_t& end : ends) {
    end = value.find(' ', from);
    if (end == std::string::npos)
      return std::nullopt;
    from = end + 1;
  }
  const int kind = std::atoi(value.substr(0, ends[0]).c_str());
  if (kind < 0 || kind > static_cast<int>(ProjectKind::kEinstein))
    return std::nullopt;
  return OwedRow{static_cast<ProjectKind>(kind),
                 UnescapeIniKey(value.substr(ends[0] + 1, ends[1] - ends[0] - 1)),
                 std::atof(value.substr(ends[1] + 1, ends[2] - ends[1] - 1).c_str()),
                 value.substr(ends[2] + 1)};
}

}  // namespace

void OweProjectLog(SettingsStore& settings, ProjectKind kind, const std::string& prefix,
                   const std::string& resultFileName, const std::string& wuName, double now) {
  const std::string key = EscapeIniKey(resultFileName);
  const std::optional<OwedRow> owed =
      ParseOwedRow(settings.ReadString(sections::kProjectLogsDue, key, ""));
  const long long since = static_cast<long long>(owed ? owed->since : now);
  settings.WriteString(sections::kProjectLogsDue, key,
                       std::to_string(static_cast<int>(kind)) + " " + EscapeIniKey(wuName) + " " +
                           std::to_string(since) + " " + prefix);
}

void SettleProjectLog(SettingsStore& settings, const std::string& resultFileName) {
  if (ProjectLogOwed(settings, resultFileName))
    settings.DeleteKey(sections::kProjectLogsDue, EscapeIniKey(resultFileName));
}

bool ProjectLogOwed(const SettingsStore& settings, const std::string& resultFileName) {
  return settings.ValueExists(sections::kProjectLogsDue, EscapeIniKey(resultFileName));
}

void RetryProjectLogsDue(SettingsStore& settings, ProjectLogger& loggers,
                         const LoggedResults& logged, CycleFlags& flags, ExceptionLog& exceptions,
                         double now) {
  for (const auto& [key, value] : settings.ReadSectionValues(sections::kProjectLogsDue)) {
    const std::string resultFileName = UnescapeIniKey(key);
    if (logged.AskedThisCycle(resultFileName))
      continue;
    const std::optional<OwedRow> owed = ParseOwedRow(value);
    if (!owed) {
      settings.DeleteKey(sections::kProjectLogsDue, key);  // not written by this program
      continue;
    }
    if (now - owed->since > kProjectLogDueDays * 86400.0) {
      exceptions.LogException("LogWU - Project log row given up after " +
                              std::to_string(kProjectLogDueDays) + " days");
      settings.DeleteKey(sections::kProjectLogsDue, key);
      continue;
    }
    try {
      loggers.LogProjectResult(owed->kind, owed->prefix, resultFileName, owed->wuName, flags);
      settings.DeleteKey(sections::kProjectLogsDue, key);
    } catch (const std::exception& error) {
      exceptions.LogFailure(std::string("LogWU - ") + error.what());
    }
  }
}

}  // namespace tessarin
