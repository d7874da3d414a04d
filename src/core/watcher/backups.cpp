#include "core/watcher/backups.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <optional>

#include "core/data/client_file.h"
#include "core/data/log_files.h"
#include "core/data/safe_file_name.h"
#include "core/settings/exception_log.h"
#include "core/settings/settings_keys.h"
#include "core/tools/files.h"
#include "core/watcher/client_state_walk.h"
#include "core/watcher/work_unit_log.h"

namespace tessarin {

namespace {

bool CheckName(ScanContext& context, const char* operation, const std::string& name) {
  if (IsSafeFileName(name))
    return true;
  context.env.exceptions.LogException(std::string(operation) + " - unsafe file name - " + name);
  return false;
}

// Visits the file_name elements of a work unit or result, each under the operation's handler.
template <typename CopyOne>
void ForEachFileName(ScanContext& context, const char* operation, const std::string& element,
                     CopyOne copyOne) {
  ForEachElement(element, "file_name", [&](const std::string& name) {
    try {
      if (CheckName(context, operation, name))
        copyOne(name);
    } catch (const std::exception& error) {
      context.env.exceptions.LogFailure(std::string(operation) + " - " + error.what());
    }
    return true;
  });
}

// Copies the client file `source` to `copy` when `wanted` (given the opened file) says so;
// true when copied. A refused file is counted once per path; other errors reach the caller.
template <typename Wanted>
bool CopyClientFile(ScanContext& context, const char* operation, const std::string& clientDir,
                    const std::string& source, const std::string& copy, Wanted wanted) {
  const std::uint64_t maxBytes = MaxBackupBytes(context.env.settings);
  try {
    const std::optional<OpenedClientFile> file = OpenClientFile(clientDir, source, maxBytes);
    if (!file || !wanted(*file))
      return false;
    if (!CopyDescriptorData(file->fd.get(), source, copy, maxBytes))
      throw ClientFileRefused("Grew past " + std::to_string(maxBytes >> 20) + " MB, not copied");
    return true;
  } catch (const ClientFileRefused& refusal) {
    context.env.exceptions.LogExceptionOnce(std::string(operation) + " - " + source + " - " +
                                            refusal.what());
    return false;
  }
}

bool EntryExists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

std::uint32_t Low32(std::uint64_t size) {
  return static_cast<std::uint32_t>(size & 0xFFFFFFFFu);
}

void WriteWorkunitDescription(ScanContext& context, const std::string& workunit,
                              const std::string& wuName) {
  Environment& env = context.env;
  if (!CheckName(context, "ProcessWorkunit", wuName))
    return;
  const std::string description = env.logDir + wuName + logs::kWorkunitDescriptionExtension;
  if (FileSizeOf(description) != static_cast<std::uint32_t>(workunit.size())) {
    StringToFile(workunit, description, env.exceptions);
  }
}

// Copies the input files; `copied` is called after each copy made.
template <typename Copied>
void CopyWorkunitInputs(ScanContext& context, const std::string& workunit,
                        const std::string& clientDir, const std::string& projectDir,
                        Copied copied) {
  ForEachFileName(context, "ProcessWorkunit", workunit, [&](const std::string& name) {
    const std::string copy = context.env.logDir + name + logs::kBackupExtension;
    // An input file only grows while it downloads; a complete copy stays.
    const auto incomplete = [&](const OpenedClientFile& file) {
      return Low32(file.size) >= 1 && FileSizeOf(copy) < Low32(file.size);
    };
    if (CopyClientFile(context, "ProcessWorkunit", clientDir, projectDir + name, copy, incomplete))
      copied();
  });
}

}  // namespace

void ProcessWorkunit(ScanContext& context, const std::string& workunit,
                     const std::string& clientDir, const std::string& projectDir, ProjectKind kind,
                     const std::string& wuName) {
  WriteWorkunitDescription(context, workunit, wuName);
  CopyWorkunitInputs(context, workunit, clientDir, projectDir, [&] {
    if (kind == ProjectKind::kSeti || kind == ProjectKind::kAstropulse) {
      context.flags.wallpaperRequest = true;
    }
    context.flags.newWU = true;
  });
}

void CopyWorkunitQuietly(ScanContext& context, const std::string& workunit,
                         const std::string& clientDir, const std::string& projectDir,
                         const std::string& wuName, bool inputFiles) {
  WriteWorkunitDescription(context, workunit, wuName);
  if (inputFiles)
    CopyWorkunitInputs(context, workunit, clientDir, projectDir, [] {});
}

void ProcessResult(ScanContext& context, const std::string& result, const std::string& clientDir,
                   const std::string& projectDir) {
  ForEachFileName(context, "ProcessResult", result, [&](const std::string& name) {
    const std::string copy = context.env.logDir + name + logs::kBackupExtension;
    CopyClientFile(context, "ProcessResult", clientDir, projectDir + name, copy,
                   [&](const OpenedClientFile& file) {
                     return Low32(file.size) > 0 && FileSizeOf(copy) != Low32(file.size);
                   });
  });
}

void ProcessStateSah(ScanContext& context, const std::string& resultFileName,
                     const std::string& clientDir, const std::string& slotDir) {
  try {
    if (!CheckName(context, "ProcessStateSah", resultFileName))
      return;
    const std::string copy = context.env.logDir + resultFileName + logs::kStateBackupSuffix;
    const auto newer = [&](const OpenedClientFile& file) {
      return FileTimeOf(copy) < file.modified;
    };
    // ap_state.dat only when there is no state.sah at all (a refused one counts as there).
    const std::string sahState = slotDir + "state.sah";
    if (!CopyClientFile(context, "ProcessStateSah", clientDir, sahState, copy, newer) &&
        !EntryExists(sahState)) {
      CopyClientFile(context, "ProcessStateSah", clientDir, slotDir + "ap_state.dat", copy, newer);
    }
  } catch (const std::exception& error) {
    context.env.exceptions.LogFailure(std::string("ProcessStateSah - ") + error.what());
  }
}

bool LogFromBackups(ScanContext& context, const ClientFacts& client, const ProjectRecord& project,
                    const VanishedResult& vanished, const std::string& filePattern) {
  Environment& env = context.env;
  try {
    // A wildcard would match the copies of other results.
    if (filePattern.find_first_of("*?") != std::string::npos) {
      env.exceptions.LogException("LogFromBackups - unsafe file name - " + filePattern);
      return true;
    }
    if (!CheckName(context, "LogFromBackups", filePattern))
      return true;
    bool settled = true;
    for (const std::string& file : ListFiles(env.logDir, filePattern)) {
      // "W_1_0.tess" is the main output of result W_1 of work unit W.
      const std::size_t last = file.rfind('_');
      const std::size_t second =
          last == 0 || last == std::string::npos ? std::string::npos : file.rfind('_', last - 1);
      if (LogBackupCopy(context, client, project, vanished, file,
                        second == std::string::npos ? "" : file.substr(0, second)) ==
          LogOutcome::kFailed) {
        settled = false;
      }
    }
    return settled;
  } catch (const std::exception& error) {
    env.exceptions.LogFailure(std::string("LogFromBackups - ") + error.what());
  }
  return false;
}

LogOutcome LogBackupCopy(ScanContext& context, const ClientFacts& client,
                         const ProjectRecord& project, const VanishedResult& vanished,
                         const std::string& file, const std::string& wuName) {
  const std::string& logDir = context.env.logDir;
  FinishedResult result;
  result.wuName = wuName;
  result.resultFileName = file.substr(0, file.rfind('.'));
  const std::int64_t copyTime =
      std::max(FileTimeOf(logDir + file),
               FileTimeOf(logDir + result.resultFileName + logs::kStateBackupSuffix));
  result.loggingTime = static_cast<double>(copyTime) / 1e9;
  result.appVersion = vanished.appVersion;
  result.appName = vanished.appName;
  result.cpuTime = vanished.cpuTime;
  result.error = vanished.error;
  return LogWU(context, client, project, result);
}

}  // namespace tessarin
