#include "core/data/project_dir_name.h"

#include <algorithm>

#include "core/tools/text.h"

namespace tessarin {

namespace {

bool KeptAsIs(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-' || c == '_';
}

}  // namespace

// The client's own naming: scheme dropped, every character other than letters, digits,
// '.', '-' and '_' turned into '_', one trailing '_' (the trailing slash) dropped. For an
// http:// URL of plain characters this is the same as removing "http://", one trailing '/'
// and turning '/' into '_'.
std::string ProjectDirName(std::string_view masterUrl) {
  std::string name = ReplaceText(masterUrl, "http://", "");
  if (const std::size_t scheme = name.find("://"); scheme != std::string::npos) {
    name.erase(0, scheme + 3);
  }
  for (char& c : name) {
    if (!KeptAsIs(c))
      c = '_';
  }
  if (!name.empty() && name.back() == '_')
    name.pop_back();
  // "http://../" would name projects/.. itself: the client directory.
  if (name.find_first_not_of('.') == std::string::npos)
    name.assign(std::max<std::size_t>(name.size(), 1), '_');
  return name;
}

}  // namespace tessarin
