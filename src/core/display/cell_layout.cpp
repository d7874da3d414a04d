#include "core/display/cell_layout.h"

#include <algorithm>

namespace tessarin {

using namespace cell_layout;

int HostNameRoom(int cellWidth, int centreWidth, int rightWidth) {
  int end = cellWidth - kRightMargin;
  if (rightWidth > 0)
    end = cellWidth - kRightMargin - rightWidth - kHeaderGap;
  if (centreWidth > 0)
    end = std::min(end, (cellWidth - centreWidth) / 2 - kHeaderGap);
  return std::max(end - kLeft, 0);
}

int ProjectNameRoom(int cellWidth, int shortestResultWidth) {
  if (shortestResultWidth <= 0)
    return std::max(cellWidth - kLeft - kRightMargin, 0);
  return std::max(cellWidth - kNamesGap - shortestResultWidth, 0);
}

}  // namespace tessarin
