#include "core/display/result_name_fit.h"

namespace tessarin {

namespace {

constexpr std::string_view kEllipsis = "...";

}  // namespace

std::string ShortenResultName(std::string_view name, int available,
                              const std::function<int(std::string_view)>& width) {
  std::string shown(name);
  if (width(shown) <= available)
    return shown;
  shown.insert(0, kEllipsis);
  while (shown.size() > kEllipsis.size() + 1) {
    shown.erase(kEllipsis.size(), 1);
    if (width(shown) < available)
      break;
  }
  return shown;
}

}  // namespace tessarin
