#include "core/projects/log_upgrade.h"

#include <bitset>
#include <fstream>
#include <optional>
#include <stdexcept>

#include "core/data/log_file_writer.h"
#include "core/data/log_files.h"
#include "core/data/shared_log_block.h"
#include "core/projects/log_line_reader.h"
#include "core/projects/log_names.h"
#include "core/settings/exception_log.h"
#include "core/tools/csv.h"
#include "core/tools/files.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

constexpr std::size_t kReadBufferSize = 64 * 1024;
constexpr const char* kBackupSuffix = ".bak";
constexpr const char* kTempSuffix = ".tmp";

// How the old columns become the current ones.
struct ColumnPlan {
  char separator = ',';
  ColumnMap map;
  std::bitset<kMaxCsvFields + 1> integer;
  int count = 0;
};

ColumnPlan PlanColumns(std::string_view oldHeader, std::string_view currentHeader,
                       std::span<const char* const> integerColumns) {
  ColumnPlan plan;
  plan.separator = DetectSeparator(oldHeader);
  const FieldArray oldNames = SplitCsvLine(oldHeader, plan.separator, true);
  const FieldArray currentNames = SplitCsvLine(currentHeader, ',', true);
  plan.map = MapColumns(oldNames, currentNames);
  plan.count = std::min(CountFields(currentHeader, ','), kMaxCsvFields);
  for (int k = 1; k <= plan.count; ++k) {
    for (const char* name : integerColumns) {
      if (currentNames[k] == name)
        plan.integer.set(static_cast<std::size_t>(k));
    }
  }
  return plan;
}

// A value that holds a ',' (a decimal comma of a ';' log) is quoted so it stays one column.
void AppendValue(std::string& row, const std::string& value) {
  if (value.find(',') != std::string::npos && value.front() != '"') {
    row += '"';
    row += value;
    row += '"';
  } else {
    row += value;
  }
}

std::string RewriteRow(std::string_view line, const ColumnPlan& plan, std::string_view projectName,
                       std::string_view appName) {
  const FieldArray fields = SplitCsvLine(line, plan.separator, false);
  std::string row;
  for (int k = 1; k <= plan.count; ++k) {
    if (k > 1)
      row += ',';
    if (k == 2 && !projectName.empty()) {
      row += projectName;
    } else if (k == 3 && !appName.empty()) {
      row += appName;
    } else if (plan.map[k] > 0) {
      const std::string& value = fields[plan.map[k]];
      AppendValue(row,
                  plan.integer.test(static_cast<std::size_t>(k)) ? TextBefore(value, '.') : value);
    }
  }
  return row;
}

void RemoveQuietly(LogFileOperations& ops, const std::string& path) {
  try {
    ops.Remove(path);
  } catch (const std::exception&) {
    // A leftover is cleared by the next upgrade; the first error is the one to report.
  }
}

// Writes the rows that follow the old header to `temp` and forces them to the disk.
void WriteRewritten(LogLineReader& reader, std::string_view oldHeader,
                    std::string_view currentHeader, std::string_view projectName,
                    std::string_view appName, std::span<const char* const> integerColumns,
                    const std::string& temp, LogFileOperations& ops) {
  const ColumnPlan plan = PlanColumns(oldHeader, currentHeader, integerColumns);
  try {
    LogFileWriter writer(temp, LogFileWriter::Mode::kTruncate, ops);
    writer.Write(currentHeader);
    std::string line;
    while (reader.ReadLine(line)) {
      if (line.empty())
        continue;  // a blank line holds no result
      writer.Write(logs::kLineBreak);
      writer.Write(RewriteRow(line, plan, projectName, appName));
    }
    writer.Close(true);
  } catch (...) {
    RemoveQuietly(ops, temp);
    throw;
  }
}

// True when every byte of `part` starts `whole` (equal files included).
bool IsPrefixOf(const std::string& part, const std::string& whole) {
  std::ifstream first(part, std::ios::binary);
  std::ifstream second(whole, std::ios::binary);
  if (!first || !second)
    return false;
  std::string blockA(kReadBufferSize, '\0');
  std::string blockB(kReadBufferSize, '\0');
  for (;;) {
    first.read(blockA.data(), static_cast<std::streamsize>(blockA.size()));
    second.read(blockB.data(), static_cast<std::streamsize>(blockB.size()));
    const auto size = static_cast<std::size_t>(first.gcount());
    if (size > static_cast<std::size_t>(second.gcount()))
      return false;
    if (blockA.compare(0, size, blockB, 0, size) != 0)
      return false;
    if (size < blockA.size())
      return true;  // `part` ended here
  }
}

// A backup left by an upgrade that stopped before the log was replaced is the log's own
// content, or the start of it when its copy was cut short; anything else under that name
// is not ours to delete.
void DropStaleBackup(const std::string& backup, const std::string& logPath,
                     LogFileOperations& ops) {
  if (!IsPrefixOf(backup, logPath)) {
    throw std::runtime_error(backup + " - Left by an unfinished upgrade, differs from " + logPath);
  }
  ops.Remove(backup);
}

// log = old, temp = new  ->  log = new, output = old.
void SwapIn(const std::string& logPath, const std::string& temp, const std::string& backup,
            const std::string& output, LogFileOperations& ops) {
  try {
    ops.KeepCopy(logPath, backup);
  } catch (...) {
    RemoveQuietly(ops, temp);
    throw;
  }
  try {
    ops.Rename(temp, logPath);
  } catch (...) {
    RemoveQuietly(ops, backup);
    RemoveQuietly(ops, temp);
    throw;
  }
  try {
    ops.Rename(backup, output);
  } catch (...) {
    // The new content can be made again from the old: put the old one back.
    try {
      ops.Rename(backup, logPath);
    } catch (const std::exception&) {
      // Both contents are still there (log and backup); the next start finishes.
    }
    throw;
  }
}

}  // namespace

void UpgradeLogFile(const std::string& logPath, const std::string& targetPath,
                    std::string_view currentHeader, std::string_view projectName,
                    std::string_view appName, std::span<const char* const> integerColumns,
                    LogFileOperations& ops) {
  const bool toTarget = !targetPath.empty();
  const std::string output = toTarget ? targetPath : VersionedLogName(logPath);
  if (!PathExists(logPath) || PathExists(output))
    return;
  const std::string backup = output + kBackupSuffix;
  const std::string temp = output + kTempSuffix;

  LogLineReader reader(logPath, kReadBufferSize);
  std::string oldHeader;
  const bool empty = !reader.ReadLine(oldHeader);
  if (oldHeader.starts_with(kUtf8ByteOrderMark))
    oldHeader.erase(0, kUtf8ByteOrderMark.size());
  const bool backupLeft = !toTarget && PathExists(backup);
  if (!empty && oldHeader == currentHeader) {
    // Stopped after the log was replaced: only the old content's name is missing.
    if (backupLeft)
      ops.Rename(backup, output);
    return;
  }
  if (backupLeft)
    DropStaleBackup(backup, logPath, ops);
  if (empty) {
    // Nothing to rewrite; the next write creates the log afresh.
    if (!toTarget)
      ops.Rename(logPath, output);
    return;
  }

  WriteRewritten(reader, oldHeader, currentHeader, projectName, appName, integerColumns, temp, ops);
  if (!toTarget) {
    SwapIn(logPath, temp, backup, output, ops);
    return;
  }
  try {
    ops.Rename(temp, output);
  } catch (...) {
    RemoveQuietly(ops, temp);
    throw;
  }
}

void UpgradeLogFiles(const Environment& env) {
  const std::string& dir = env.logDir;
  struct Upgrade {
    std::string log;
    std::string target;
    const char* header;
    const char* projectName;
    const char* appName;
  };
  const Upgrade upgrades[] = {
      {dir + logs::kSahCsv, "", logs::kSahHeader, "", ""},
      {dir + logs::kApCsv, "", logs::kApHeader, "", ""},
      {dir + logs::kSahCsv, dir + logs::kBoincCsv, logs::kBoincCsvHeader, "\"SETI@home\"",
       "\"setiathome\""},
      {dir + logs::kBoincCsv, "", logs::kBoincCsvHeader, "", ""},
      {dir + logs::kEinsteinCsv, "", logs::kEinsteinHeader, "", ""},
  };
  // One log that cannot be upgraded does not hold back the others.
  std::optional<std::runtime_error> firstFailure;
  for (const Upgrade& upgrade : upgrades) {
    try {
      UpgradeLogFile(upgrade.log, upgrade.target, upgrade.header, upgrade.projectName,
                     upgrade.appName, std::span<const char* const>(kIntegerColumns));
    } catch (const std::exception& error) {
      if (!firstFailure)
        firstFailure.emplace(error.what());
    }
  }
  if (firstFailure)
    throw *firstFailure;
}

}  // namespace tessarin
