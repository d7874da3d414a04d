#include "core/tools/path_inside.h"

#include <filesystem>
#include <system_error>

namespace tessarin {

namespace fs = std::filesystem;

std::string ResolvedPath(const std::string& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path.empty() ? fs::path(".") : fs::path(path), error);
  if (error)
    return path;
  fs::path resolved = fs::weakly_canonical(absolute, error);
  if (error)
    resolved = absolute.lexically_normal();
  std::string text = resolved.string();
  while (text.size() > 1 && text.back() == '/')
    text.pop_back();
  return text;
}

bool IsSameOrInside(const std::string& inner, const std::string& outer) {
  const std::string in = ResolvedPath(inner);
  const std::string out = ResolvedPath(outer);
  if (in == out || out == "/")
    return true;
  return in.size() > out.size() && in.compare(0, out.size(), out) == 0 && in[out.size()] == '/';
}

}  // namespace tessarin
