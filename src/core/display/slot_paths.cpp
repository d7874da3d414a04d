#include "core/display/slot_paths.h"

#include "core/data/client_file.h"
#include "core/data/safe_file_name.h"
#include "core/settings/settings_keys.h"

namespace tessarin {

std::string WorkUnitBackupPath(const Environment& env, const ActiveTaskFacts& facts) {
  // A name that leads out of the log directory names no backup.
  if (!IsSafeFileName(facts.wuFile))
    return "";
  return env.logDir + facts.wuFile + ".tess";
}

std::string ResultFilePath(const ActiveTaskFacts& facts) {
  return facts.projectDir + facts.resultFileName;
}

std::string ReadTaskFile(const Environment& env, const ActiveTaskFacts& facts,
                         const std::string& path) {
  return ClientFileAsString(facts.clientDir, path, MaxBackupBytes(env.settings), env.exceptions);
}

}  // namespace tessarin
