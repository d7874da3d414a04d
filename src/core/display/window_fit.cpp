#include "core/display/window_fit.h"

#include <cmath>

namespace tessarin {

int RowHeight(bool compact) {
  return compact ? kCompactRowHeight : kNormalRowHeight;
}

int FitGridHeight(int rowCount, int rowHeight, int screenHeight) {
  const int pitch = rowHeight + 1;
  if (rowCount <= 0 || pitch <= 0)
    return 0;
  const long long needed = static_cast<long long>(rowCount) * pitch;
  const int available = screenHeight - kScreenReserve;
  if (needed <= available)
    return static_cast<int>(needed);
  if (available < pitch)
    return 0;
  return pitch * (available / pitch);
}

int CentredOffset(int screenSize, int windowSize) {
  return static_cast<int>(std::lround((screenSize - windowSize) / 2.0));
}

bool RefitsOnHandOver(bool visible, int shownBefore, int shownAfter) {
  return visible && shownBefore != shownAfter;
}

bool RemembersPlace(int windowHeight) {
  return windowHeight > kRememberAbove;
}

}  // namespace tessarin
