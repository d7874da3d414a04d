#include "core/projects/backup_name.h"

#include <string>

#include "core/data/safe_file_name.h"
#include "core/projects/log_names.h"
#include "core/settings/exception_log.h"

namespace tessarin {

bool AcceptBackupName(std::string_view name, std::string_view operation, ExceptionLog& log) {
  if (IsSafeFileName(name)) {
    return true;
  }
  // The name itself stays out of the message: it could break the settings file's key.
  log.LogException(std::string(operation) + " - Unsafe file name");
  return false;
}

}  // namespace tessarin
