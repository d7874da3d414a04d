#include "core/tools/dir_path.h"

namespace tessarin {

std::string NormalDir(std::string_view path) {
  if (path.empty())
    return {};
  std::string normal;
  if (path.front() == '/')
    normal = "/";
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string_view::npos)
      end = path.size();
    const std::string_view part = path.substr(start, end - start);
    if (!part.empty() && part != ".")
      normal.append(part).push_back('/');
    start = end + 1;
  }
  // "." alone, or "./": the current directory.
  return normal.empty() ? "./" : normal;
}

bool SameDir(std::string_view a, std::string_view b) {
  return NormalDir(a) == NormalDir(b);
}

std::string ExpandHome(std::string_view path, std::string_view home) {
  if (path == "~")
    return std::string(home);
  if (path.starts_with("~/")) {
    std::string expanded(home);
    if (!expanded.empty() && expanded.back() == '/')
      expanded.pop_back();
    return expanded.append(path.substr(1));
  }
  return std::string(path);
}

}  // namespace tessarin
