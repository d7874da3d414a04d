#include "core/projects/backup_name.h"

#include <stdexcept>
#include <string>

#include "core/data/log_files.h"
#include "core/data/safe_file_name.h"
#include "core/projects/log_names.h"
#include "core/seams/project_logger.h"
#include "core/settings/environment.h"
#include "core/settings/exception_log.h"
#include "core/tools/files.h"

namespace tessarin {

bool AcceptBackupName(std::string_view name, std::string_view operation, ExceptionLog& log) {
  if (IsSafeFileName(name)) {
    return true;
  }
  // The name itself stays out of the message: it could break the settings file's key.
  log.LogException(std::string(operation) + " - Unsafe file name");
  return false;
}

std::string RequiredWorkunitCopy(const Environment& env, const std::string& wuName) {
  const std::string path = env.logDir + wuName + logs::kBackupExtension;
  std::string copy = FileAsString(path, env.exceptions);
  if (copy.empty())
    throw ProjectRowNotReady(path + " - No copy of the work unit yet");
  return copy;
}

}  // namespace tessarin
