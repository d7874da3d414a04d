#include "core/data/safe_file_name.h"

#include "core/data/client_file.h"

namespace tessarin {

bool IsSafeFileName(std::string_view name) {
  return IsPlainName(name) && name.find('\\') == std::string_view::npos;
}

}  // namespace tessarin
