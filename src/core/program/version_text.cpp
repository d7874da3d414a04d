#include "core/program/version_text.h"

#include "version.h"

namespace tessarin {

std::string VersionText() {
  return std::string(version::kProductName) + " " + version::kProductVersion + " (" +
         version::kFileVersion + ")\n" + version::kCopyright + "\n" + version::kLicense;
}

}  // namespace tessarin
