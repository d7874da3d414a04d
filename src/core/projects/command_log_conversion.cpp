#include "core/projects/command_log_conversion.h"

#include <cstdio>
#include <optional>
#include <stdexcept>

#include "core/data/log_file_operations.h"
#include "core/data/log_file_writer.h"
#include "core/data/log_files.h"
#include "core/data/safe_file_name.h"
#include "core/projects/log_names.h"
#include "core/settings/exception_log.h"
#include "core/tools/files.h"

namespace tessarin {

namespace {

constexpr const char* kCommandBackupPattern = "*_*_0_command.tess";

// Everything from the third-last '_' on is the result's "_{n}_0_command.tess".
std::string WorkunitNameOf(const std::string& commandFile) {
  std::size_t cut = std::string::npos;
  for (int i = 0; i < 3; ++i) {
    cut = commandFile.rfind('_', cut == std::string::npos ? cut : cut - 1);
    if (cut == std::string::npos || cut == 0)
      return {};
  }
  return commandFile.substr(0, cut);
}

std::string Description(const std::string& wuName, const std::string& commandLine) {
  const std::string br = logs::kLineBreak;
  return "<workunit>" + br + "    <name>" + wuName + "</name>" + br + "    <command_line>" +
         commandLine + "</command_line>" + br + "</workunit>" + br;
}

// The description is complete and on the disk before the command backup goes.
void Convert(const Environment& env, const std::string& commandFile, const std::string& wuName) {
  const std::string commandPath = env.logDir + commandFile;
  const std::string description = env.logDir + wuName + logs::kWorkunitDescriptionExtension;
  const std::string commandLine = FileAsString(commandPath, env.exceptions);
  if (commandLine.size() != FileSizeOf(commandPath)) {
    throw std::runtime_error(commandPath + " - Could not be read");
  }
  LogFileOperations& ops = SystemFileOperations();
  const std::string temp = description + ".tmp";
  try {
    LogFileWriter writer(temp, LogFileWriter::Mode::kTruncate, ops);
    writer.Write(Description(wuName, commandLine));
    writer.Close(true);
    ops.Rename(temp, description);
  } catch (...) {
    std::remove(temp.c_str());
    throw;
  }
  ops.Remove(commandPath);
}

}  // namespace

void ConvertCommandLogs(const Environment& env) {
  std::optional<std::runtime_error> firstFailure;
  for (const std::string& commandFile : ListFiles(env.logDir, kCommandBackupPattern)) {
    const std::string wuName = WorkunitNameOf(commandFile);
    if (!IsSafeFileName(wuName))
      continue;
    if (PathExists(env.logDir + wuName + logs::kWorkunitDescriptionExtension))
      continue;
    try {
      Convert(env, commandFile, wuName);
    } catch (const std::exception& error) {
      if (!firstFailure)
        firstFailure.emplace(error.what());
    }
  }
  if (firstFailure)
    throw *firstFailure;
}

}  // namespace tessarin
