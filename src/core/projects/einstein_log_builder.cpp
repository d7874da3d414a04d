#include "core/projects/einstein_log_builder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <stdexcept>

#include "core/data/log_file_writer.h"
#include "core/data/log_files.h"
#include "core/projects/backup_name.h"
#include "core/projects/einstein_command_line.h"
#include "core/projects/einstein_logger.h"
#include "core/projects/log_line_reader.h"
#include "core/projects/project_log_index.h"
#include "core/settings/exception_log.h"
#include "core/tools/csv.h"
#include "core/tools/files.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

// Columns "date" .. "error" of the Einstein header, which a boinc.csv row supplies.
constexpr int kPrefixColumns = 43;
constexpr int kWuNameColumn = 39;
constexpr int kResultNameColumn = 40;

constexpr std::size_t kReadBufferSize = 64 * 1024;

ColumnMap MapBoincColumns(const std::string& boincHeader, char separator) {
  const FieldArray boincColumns = SplitCsvLine(boincHeader, separator, true);
  FieldArray einsteinColumns = SplitCsvLine(logs::kEinsteinHeader, ',', true);
  for (int k = 1; k <= kMaxCsvFields; ++k) {
    if (einsteinColumns[k] == "einstein_version") {
      einsteinColumns[k] = "app_version";
    }
  }
  return MapColumns(boincColumns, einsteinColumns);
}

std::string MappedField(const FieldArray& fields, const ColumnMap& map, int column) {
  return map[column] == 0 ? std::string() : fields[map[column]];
}

}  // namespace

void BuildEinsteinLog(const Environment& env) {
  const std::string einsteinPath = env.logDir + logs::kEinsteinCsv;
  const std::string boincPath = env.logDir + logs::kBoincCsv;
  if (PathExists(einsteinPath) || FileSizeOf(boincPath) == 0) {
    return;
  }
  LogLineReader boinc(boincPath, kReadBufferSize);
  std::string header;
  boinc.ReadLine(header);
  // Created with the first Einstein@Home row: a log of other projects makes no empty file.
  // Built aside and renamed when whole: a build cut short is done again at the next start,
  // and the index keeps the coincidences it wrote from being written twice.
  const std::string building = einsteinPath + ".tmp";
  ProjectLogIndex index;
  std::optional<LogFileWriter> einstein;
  const char separator = DetectSeparator(header);
  const ColumnMap map = MapBoincColumns(header, separator);

  std::string line;
  while (boinc.ReadLine(line)) {
    const FieldArray fields = SplitCsvLine(line, separator, false);
    if (!ContainsText(UpperCase(fields[2]), "EINSTEIN")) {
      continue;
    }
    const std::string resultName = Unquote(MappedField(fields, map, kResultNameColumn));
    const std::string wuName = Unquote(MappedField(fields, map, kWuNameColumn));
    if (!AcceptBackupName(resultName, "BuildEinsteinLog", env.exceptions) ||
        !AcceptBackupName(wuName, "BuildEinsteinLog", env.exceptions)) {
      continue;
    }
    std::string row = logs::kLineBreak;
    for (int k = 1; k <= kPrefixColumns; ++k) {
      row += MappedField(fields, map, k) + ',';
    }
    const std::int32_t count = LogResultEinstein(env, index, resultName);
    const std::string description =
        FileAsString(env.logDir + wuName + logs::kWorkunitDescriptionExtension, env.exceptions);
    row += ParseEinsteinCommandLine(ExtractTag(description, "command_line"));
    row += std::to_string(count);
    if (!einstein) {
      einstein.emplace(building, LogFileWriter::Mode::kTruncate);
      einstein->Write(logs::kEinsteinHeader);
    }
    einstein->Write(row);
  }
  if (!einstein)
    return;
  einstein->Close(true);
  if (std::rename(building.c_str(), einsteinPath.c_str()) != 0)
    throw std::runtime_error(einsteinPath + " - " + std::strerror(errno));
}

}  // namespace tessarin
