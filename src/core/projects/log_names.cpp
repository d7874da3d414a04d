#include "core/projects/log_names.h"

#include "version.h"

namespace tessarin {

std::string VersionedLogName(std::string_view logPath) {
  const std::size_t slash = logPath.rfind('/');
  const std::size_t dot = logPath.rfind('.');
  const bool hasExtension =
      dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
  std::string name(hasExtension ? logPath.substr(0, dot) : logPath);
  return name + "." + version::kFileVersion;
}

}  // namespace tessarin
