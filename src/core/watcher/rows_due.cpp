#include "core/watcher/rows_due.h"

#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "core/data/log_append.h"
#include "core/data/log_files.h"
#include "core/seams/project_logger.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/csv.h"
#include "core/tools/ini_key.h"
#include "core/watcher/logged_results.h"

namespace tessarin {

namespace {

// The value up to each of its first `count` blanks, and what follows the last of them.
// Escaped names hold no blank, so the blanks after them end them.
std::optional<std::vector<std::string>> SplitDue(const std::string& value, int count) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (int k = 0; k < count; ++k) {
    const std::size_t end = value.find(' ', from);
    if (end == std::string::npos)
      return std::nullopt;
    parts.push_back(value.substr(from, end - from));
    from = end + 1;
  }
  parts.push_back(value.substr(from));
  return parts;
}

std::string FirstFailure(const std::optional<std::vector<std::string>>& parts, std::size_t at,
                         double now) {
  const double since = parts ? std::atof((*parts)[at].c_str()) : now;
  return std::to_string(static_cast<long long>(since));
}

struct OwedProjectRow {
  ProjectKind kind = ProjectKind::kOther;
  std::string wuName;
  double since = 0;
  std::string prefix;
};

std::optional<OwedProjectRow> ParseOwedProjectRow(const std::string& value) {
  const std::optional<std::vector<std::string>> parts = SplitDue(value, 3);
  if (!parts)
    return std::nullopt;
  const int kind = std::atoi((*parts)[0].c_str());
  if (kind < 0 || kind > static_cast<int>(ProjectKind::kEinstein))
    return std::nullopt;
  return OwedProjectRow{static_cast<ProjectKind>(kind), UnescapeIniKey((*parts)[1]),
                        std::atof((*parts)[2].c_str()), (*parts)[3]};
}

void Settle(SettingsStore& settings, const char* section, const std::string& resultFileName) {
  const std::string key = EscapeIniKey(resultFileName);
  if (settings.ValueExists(section, key))
    settings.DeleteKey(section, key);
}

void RetryBoincRows(const RowsDueContext& context) {
  SettingsStore& settings = context.settings;
  for (const auto& [key, value] : settings.ReadSectionValues(sections::kBoincRowsDue)) {
    const std::string resultFileName = UnescapeIniKey(key);
    if (context.logged.AskedThisCycle(resultFileName))
      continue;
    const std::optional<std::vector<std::string>> parts = SplitDue(value, 1);
    if (!parts) {
      settings.DeleteKey(sections::kBoincRowsDue, key);  // not written by this program
      continue;
    }
    try {
      const ResultNameIndex::Answer found =
          context.logged.FileIndex().Find(context.csvPath, LoggedText(resultFileName));
      if (found != ResultNameIndex::Answer::kFound) {
        AppendResultRow(context.csvPath, logs::kBoincCsvHeader, (*parts)[1]);
        context.flags.finishedWU = true;
      }
      settings.DeleteKey(sections::kBoincRowsDue, key);
    } catch (const std::exception& error) {
      // The rest would fail alike (a full disk): one report a cycle is enough.
      context.exceptions.LogFailure(std::string("LogWU - ") + error.what());
      return;
    }
  }
}

void RetryProjectRows(const RowsDueContext& context) {
  SettingsStore& settings = context.settings;
  for (const auto& [key, value] : settings.ReadSectionValues(sections::kProjectLogsDue)) {
    const std::string resultFileName = UnescapeIniKey(key);
    if (context.logged.AskedThisCycle(resultFileName) ||
        settings.ValueExists(sections::kBoincRowsDue, key)) {
      continue;
    }
    const std::optional<OwedProjectRow> owed = ParseOwedProjectRow(value);
    if (!owed) {
      settings.DeleteKey(sections::kProjectLogsDue, key);  // not written by this program
      continue;
    }
    if (context.now - owed->since > kOwedRowDays * 86400.0) {
      context.exceptions.LogException("LogWU - Project log row given up after " +
                                      std::to_string(kOwedRowDays) + " days");
      settings.DeleteKey(sections::kProjectLogsDue, key);
      continue;
    }
    try {
      context.loggers.LogProjectResult(owed->kind, owed->prefix, resultFileName, owed->wuName,
                                       context.flags);
      settings.DeleteKey(sections::kProjectLogsDue, key);
    } catch (const ProjectRowNotReady& notReady) {
      context.exceptions.LogException(std::string("LogWU - ") + notReady.what());
    } catch (const std::exception& error) {
      context.exceptions.LogFailure(std::string("LogWU - ") + error.what());
      return;
    }
  }
}

}  // namespace

void OweBoincRow(SettingsStore& settings, const std::string& resultFileName, const std::string& row,
                 double now) {
  const std::string key = EscapeIniKey(resultFileName);
  const auto owed = SplitDue(settings.ReadString(sections::kBoincRowsDue, key, ""), 1);
  settings.WriteString(sections::kBoincRowsDue, key, FirstFailure(owed, 0, now) + " " + row);
}

void SettleBoincRow(SettingsStore& settings, const std::string& resultFileName) {
  Settle(settings, sections::kBoincRowsDue, resultFileName);
}

void OweProjectLog(SettingsStore& settings, ProjectKind kind, const std::string& prefix,
                   const std::string& resultFileName, const std::string& wuName, double now) {
  const std::string key = EscapeIniKey(resultFileName);
  const auto owed = SplitDue(settings.ReadString(sections::kProjectLogsDue, key, ""), 3);
  settings.WriteString(sections::kProjectLogsDue, key,
                       std::to_string(static_cast<int>(kind)) + " " + EscapeIniKey(wuName) + " " +
                           FirstFailure(owed, 2, now) + " " + prefix);
}

void SettleProjectLog(SettingsStore& settings, const std::string& resultFileName) {
  Settle(settings, sections::kProjectLogsDue, resultFileName);
}

bool ProjectLogOwed(const SettingsStore& settings, const std::string& resultFileName) {
  return settings.ValueExists(sections::kProjectLogsDue, EscapeIniKey(resultFileName));
}

bool RowOwed(const SettingsStore& settings, const std::string& resultFileName) {
  return ProjectLogOwed(settings, resultFileName) ||
         settings.ValueExists(sections::kBoincRowsDue, EscapeIniKey(resultFileName));
}

void RetryRowsDue(const RowsDueContext& context) {
  RetryBoincRows(context);
  RetryProjectRows(context);
}

}  // namespace tessarin
