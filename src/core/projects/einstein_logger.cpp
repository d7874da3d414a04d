#include "core/projects/einstein_logger.h"

#include <exception>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/data/log_append.h"
#include "core/data/log_file_writer.h"
#include "core/data/log_files.h"
#include "core/data/safe_file_name.h"
#include "core/projects/backup_name.h"
#include "core/projects/einstein_command_line.h"
#include "core/projects/log_names.h"
#include "core/projects/project_log_index.h"
#include "core/projects/zip_first_member.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_keys.h"
#include "core/settings/settings_store.h"
#include "core/tools/csv.h"
#include "core/tools/files.h"
#include "core/tools/number_format.h"
#include "core/tools/tag_extract.h"
#include "core/tools/text.h"

namespace tessarin {

namespace {

// The application's own factor, not the full 180/pi.
constexpr double kDegreesPerRadian = 57.295;

struct Candidate {
  float freq = 0;
  float ra = 0;   // hours
  float dec = 0;  // degrees
  float score = 0;
};

// Removes and returns the next blank-separated token, after dropping leading blanks.
std::string NextWord(std::string& rest) {
  rest = TrimBlanks(rest);
  return CutHead(rest, ' ');
}

std::optional<Candidate> ParseCandidate(std::string line) {
  const std::string freq = NextWord(line);
  const std::string ra = NextWord(line);
  const std::string dec = NextWord(line);
  const std::string score = TrimBlanks(line);
  if (score.empty()) {
    return std::nullopt;
  }
  Candidate candidate;
  candidate.freq = StrToSingleSafe(freq);
  candidate.ra = static_cast<float>(StrToSingleSafe(ra) * kDegreesPerRadian * 24 / 360);
  candidate.dec = static_cast<float>(StrToSingleSafe(dec) * kDegreesPerRadian);
  candidate.score = StrToSingleSafe(score);
  return candidate;
}

// A 0-based index into `list`, or nothing when the text does not name one of its entries.
// An index too large for 32 bits is just another index outside the list.
std::optional<std::size_t> ListIndex(const std::string& text, const std::vector<Candidate>& list) {
  std::int32_t index = 0;
  try {
    index = DigitsToInt(text, false);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(index);
}

void RemoveBackup(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

std::string CandidateColumns(const Candidate& candidate) {
  return Fixed(candidate.freq, 8, 4) + ',' + Fixed(candidate.ra, 5, 3) + ',' +
         Fixed(candidate.dec, 5, 2) + ',' + Fixed(candidate.score, 8, 4);
}

// Appends one row per coincidence to `rows`, counting them.
void CollectCoincidences(std::string_view output, const std::string& quotedName, std::string& rows,
                         std::int32_t& count) {
  std::vector<Candidate> detector1;
  std::vector<Candidate> detector2;
  std::vector<Candidate>* current = nullptr;
  std::size_t position = 0;
  while (position < output.size()) {
    const std::string line = TrimBlanks(ReadStreamLine(output, position));
    if (line == "%1") {
      current = &detector1;
    } else if (line == "%2") {
      current = &detector2;
    } else if (line == "%coincidences") {
      current = nullptr;
    } else if (current != nullptr) {
      if (const auto candidate = ParseCandidate(line)) {
        current->push_back(*candidate);
      }
    } else {
      // A coincidence: both indices must name a candidate, so it needs both lists filled.
      std::string rest = line;
      const auto index1 = ListIndex(NextWord(rest), detector1);
      const auto index2 = ListIndex(NextWord(rest), detector2);
      const std::string value = TrimBlanks(rest);
      if (!value.empty() && index1 && index2) {
        rows += quotedName + ',' + CandidateColumns(detector1[*index1]) + ',' +
                CandidateColumns(detector2[*index2]) + ',' + Fixed(StrToFloatSafe(value), 18, 16) +
                logs::kLineBreak;
        ++count;
      }
    }
  }
}

}  // namespace

std::string ReadStreamLine(std::string_view data, std::size_t& position) {
  std::string line;
  while (position < data.size()) {
    const char c = data[position++];
    if (c == '\n') {
      break;
    }
    if (c != '\r') {
      line += c;
    }
  }
  return line;
}

std::int32_t LogResultEinstein(const Environment& env, ProjectLogIndex& index,
                               const std::string& resultName) {
  std::int32_t count = 0;
  const std::string path = env.logDir + logs::kEinsteinResultCsv;
  const bool safeName = AcceptBackupName(resultName, "LogResultEinstein", env.exceptions);
  std::string rows;
  if (safeName) {
    const std::string output =
        ReadFirstZipMember(env.logDir + resultName + logs::kBackupExtension, env.exceptions);
    CollectCoincidences(output, QuoteText(resultName), rows, count);
  }
  if (safeName && index.Holds(path, LoggedText(resultName)))
    return count;
  // All rows of the result in one write, so a failed write can be done again whole.
  LogFileWriter log(path, LogFileWriter::Mode::kAppend);
  std::string text;
  if (log.WasEmpty())
    text = std::string(logs::kEinsteinResultHeader) + logs::kLineBreak;
  log.Write(text + rows);
  log.Close();
  return count;
}

void LogEinstein(const Environment& env, ProjectLogIndex& index, CycleFlags& flags,
                 const std::string& prefix, const std::string& resultName,
                 const std::string& wuName) {
  const std::string path = env.logDir + logs::kEinsteinCsv;
  if (index.Holds(path, LoggedText(resultName)))
    return;
  const std::int32_t count = LogResultEinstein(env, index, resultName);
  const bool wuNameSafe = AcceptBackupName(wuName, "LogEinstein", env.exceptions);
  const std::string descriptionPath = env.logDir + wuName + logs::kWorkunitDescriptionExtension;
  const std::string commandLine =
      wuNameSafe ? ExtractTag(FileAsString(descriptionPath, env.exceptions), "command_line")
                 : std::string();
  AppendResultRow(path, logs::kEinsteinHeader,
                  prefix + ParseEinsteinCommandLine(commandLine) + std::to_string(count));

  if (!env.settings.Read(settings::kBackupResult) && IsSafeFileName(resultName)) {
    RemoveBackup(env.logDir + resultName + logs::kBackupExtension);
  }
  if (!env.settings.Read(settings::kBackupWU) && wuNameSafe) {
    RemoveBackup(descriptionPath);
  }
  flags.wallpaperRequest = true;
}

}  // namespace tessarin
