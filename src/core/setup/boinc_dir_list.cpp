#include "core/setup/boinc_dir_list.h"

#include <algorithm>

#include "core/tools/dir_path.h"
#include "core/tools/text.h"

namespace tessarin {

bool BoincDirBefore(std::string_view left, std::string_view right) {
  const std::string lowerLeft = LowerCase(left);
  const std::string lowerRight = LowerCase(right);
  if (lowerLeft != lowerRight)
    return lowerLeft < lowerRight;
  return left < right;
}

std::size_t SortedPosition(const std::vector<BoincDirEntry>& dirs, std::string_view path) {
  const auto place = std::upper_bound(dirs.begin(), dirs.end(), path,
                                      [](std::string_view value, const BoincDirEntry& entry) {
                                        return BoincDirBefore(value, entry.path);
                                      });
  return static_cast<std::size_t>(place - dirs.begin());
}

std::size_t AddBoincDir(std::vector<BoincDirEntry>& dirs, const std::string& path) {
  for (std::size_t i = 0; i < dirs.size(); ++i) {
    if (SameDir(dirs[i].path, path)) {
      dirs[i].checked = true;
      return i;
    }
  }
  const std::size_t index = SortedPosition(dirs, path);
  dirs.insert(dirs.begin() + static_cast<std::ptrdiff_t>(index), BoincDirEntry{path, true});
  return index;
}

std::string BoincDirKey(std::string_view path) {
  return EscapeIniText(path);
}

std::string BoincDirFromKey(std::string_view key) {
  return UnescapeIniText(key);
}

}  // namespace tessarin
